// Result-buffer chains kept in one allocation.
#include <cstring>
#include <cwchar>
#include <new>

#include "acutads.h"
#include "dbmain.h"

namespace {

const ACHAR* TextOf(const resbuf& rb) {
    return rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
}

size_t BytesOf(const resbuf& rb) {
    const short n = rb.resval.rbinary.clen;
    return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace

AcRbBlock::AcRbBlock(const resbuf* first, const resbuf* end) {
    size_t count = 0, textUnits = 0, bytes = 0;
    for (const resbuf* rb = first; rb != end; rb = rb->rbnext) {
        ++count;
        const AcRbValueKind kind = acutRbValueKind(rb->restype);
        if (kind == AcRbValueKind::kString) textUnits += std::wcslen(TextOf(*rb)) + 1;
        if (kind == AcRbValueKind::kBinary) bytes += BytesOf(*rb) + 1;
    }
    if (count == 0) return;
    // Buffers first: their size is a multiple of their alignment, which is
    // at least that of the texts that follow.
    static_assert(sizeof(resbuf) % alignof(ACHAR) == 0);
    const size_t textOffset = count * sizeof(resbuf);
    const size_t byteOffset = textOffset + textUnits * sizeof(ACHAR);
    mData = std::make_unique_for_overwrite<std::byte[]>(byteOffset + bytes);
    resbuf* items = get();
    auto* text = reinterpret_cast<ACHAR*>(mData.get() + textOffset);
    auto* binary = reinterpret_cast<char*>(mData.get() + byteOffset);
    size_t i = 0;
    for (const resbuf* rb = first; rb != end; rb = rb->rbnext, ++i) {
        resbuf* item = new (&items[i]) resbuf{};
        item->restype = rb->restype;
        item->resval = rb->resval;
        item->rbnext = i + 1 < count ? &items[i + 1] : nullptr;
        switch (acutRbValueKind(rb->restype)) {
            case AcRbValueKind::kString: {
                const size_t units = std::wcslen(TextOf(*rb)) + 1;
                std::wmemcpy(text, TextOf(*rb), units);
                item->resval.rstring = text;
                text += units;
                break;
            }
            case AcRbValueKind::kBinary: {
                const size_t n = BytesOf(*rb);
                if (n > 0 && rb->resval.rbinary.buf != nullptr)
                    std::memcpy(binary, rb->resval.rbinary.buf, n);
                binary[n] = 0;
                item->resval.rbinary.clen = static_cast<short>(n);
                item->resval.rbinary.buf = binary;
                binary += n + 1;
                break;
            }
            default:
                break;
        }
    }
}
