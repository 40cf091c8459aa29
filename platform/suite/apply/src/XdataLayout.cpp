#include "XdataLayout.h"

#include <cwchar>

#include "dbmain.h"

namespace {

constexpr short kString = 1000;
constexpr short kControl = 1002;

// Number of wchar_t units of the character starting at text[i] (2 for a
// surrogate pair where wchar_t is 16 bits) and its UTF-8 length.
void CharAt(std::wstring_view text, size_t i, size_t& units, size_t& bytes) {
    const auto c = static_cast<unsigned long>(text[i]);
    units = 1;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        const auto next = static_cast<unsigned long>(text[i + 1]);
        if (next >= 0xDC00 && next <= 0xDFFF) {
            units = 2;
            bytes = 4;
            return;
        }
    }
    bytes = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

const ACHAR* TextOf(const resbuf* rb) {
    return rb->resval.rstring != nullptr ? rb->resval.rstring : L"";
}

bool IsControl(const resbuf* rb, const ACHAR* brace) {
    return rb != nullptr && rb->restype == kControl && std::wcscmp(TextOf(rb), brace) == 0;
}

// True when the groups from rb on form a value: one 1000 group, or 1000
// pieces between 1002 "{" and 1002 "}". after is the group that follows the
// value (null at the end of the chain). The value is made only when asked for.
bool ReadValue(const resbuf* rb, std::wstring* value, const resbuf*& after) {
    if (rb == nullptr) return false;
    if (rb->restype == kString) {
        if (value != nullptr) *value = TextOf(rb);
        after = rb->rbnext;
        return true;
    }
    if (!IsControl(rb, L"{")) return false;
    if (value != nullptr) value->clear();
    for (rb = rb->rbnext; rb != nullptr && rb->restype == kString; rb = rb->rbnext)
        if (value != nullptr) *value += TextOf(rb);
    if (!IsControl(rb, L"}")) return false;
    after = rb->rbnext;
    return true;
}

}  // namespace

size_t Utf8Length(std::wstring_view text) {
    size_t total = 0;
    for (size_t i = 0, units = 0, bytes = 0; i < text.size(); i += units) {
        CharAt(text, i, units, bytes);
        total += bytes;
    }
    return total;
}

std::vector<std::wstring> SplitUtf8(std::wstring_view text, size_t maxBytes) {
    std::vector<std::wstring> pieces(1);
    size_t pieceBytes = 0;
    for (size_t i = 0, units = 0, bytes = 0; i < text.size(); i += units) {
        CharAt(text, i, units, bytes);
        if (pieceBytes + bytes > maxBytes && pieceBytes > 0) {
            pieces.emplace_back();
            pieceBytes = 0;
        }
        pieces.back().append(text, i, units);
        pieceBytes += bytes;
    }
    return pieces;
}

DecodedXdata DecodeKeyedXdata(const resbuf* groups, std::pmr::memory_resource* memory) {
    DecodedXdata decoded{XdataEntries(memory), ArxDbgRbList()};
    // Room for every entry at once, and for a few more to be added: growing
    // the list step by step cost more than the rest of a read.
    size_t count = 0;
    for (const resbuf* rb = groups; rb != nullptr; rb = rb->rbnext) ++count;
    decoded.entries.reserve(count / 2 + 16);
    const resbuf* rb = groups;
    while (rb != nullptr && rb->restype == kString) {
        std::wstring value;
        const resbuf* after = nullptr;
        if (!ReadValue(rb->rbnext, &value, after)) break;
        decoded.entries.emplace_back(TextOf(rb), value);
        rb = after;
    }
    if (rb != nullptr) decoded.tail.adoptData(acutCopyRbChain(rb));
    return decoded;
}

bool FindKeyedValue(const resbuf* groups, const ACHAR* key, std::wstring& value) {
    value.clear();
    for (const resbuf* rb = groups; rb != nullptr && rb->restype == kString;) {
        const bool match = std::wcscmp(TextOf(rb), key) == 0;
        const resbuf* after = nullptr;
        if (!ReadValue(rb->rbnext, match ? &value : nullptr, after)) break;
        if (match) return true;
        rb = after;
    }
    value.clear();
    return false;
}

KeyedGroups LayOutKeyedXdata(const XdataEntries& entries) {
    KeyedGroups laid;
    laid.groups.reserve(2 * entries.size());
    // The pieces first: the groups then point into texts that no longer move.
    std::vector<size_t> pieceCounts(entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring_view value = entries[i].second;
        if (Utf8Length(value) <= kMaxXdataStringBytes) continue;
        std::vector<std::wstring> pieces = SplitUtf8(value, kMaxXdataStringBytes);
        pieceCounts[i] = pieces.size();
        for (std::wstring& piece : pieces) laid.pieces.push_back(std::move(piece));
    }
    size_t nextPiece = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& [key, value] = entries[i];
        laid.groups.emplace_back(kString, key.c_str());
        if (pieceCounts[i] == 0) {
            laid.groups.emplace_back(kString, value.c_str());
            continue;
        }
        laid.groups.emplace_back(kControl, L"{");
        for (size_t k = 0; k < pieceCounts[i]; ++k)
            laid.groups.emplace_back(kString, laid.pieces[nextPiece++].c_str());
        laid.groups.emplace_back(kControl, L"}");
    }
    return laid;
}

void EncodeKeyedXdata(const XdataEntries& entries, ArxDbgRbList& list) {
    for (const auto& [code, text] : LayOutKeyedXdata(entries).groups) list.addString(code, text);
}
