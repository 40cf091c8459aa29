#include "dxf_stream.h"

#include <charconv>
#include <cmath>

namespace {

// Value texts quoted in messages are cut so that a hostile line cannot make
// the message itself huge.
std::string quoted(std::string_view text) {
    constexpr size_t kShown = 40;
    std::string out = "\"";
    out += text.substr(0, kShown);
    if (text.size() > kShown) out += "...";
    return out + "\"";
}

const char* typeName(DxfValueType type) {
    switch (type) {
        case DxfValueType::Double:
            return "a real number";
        case DxfValueType::Int16:
            return "a 16-bit integer";
        case DxfValueType::Int32:
            return "a 32-bit integer";
        case DxfValueType::Int64:
            return "a 64-bit integer";
        case DxfValueType::Bool:
            return "a boolean";
        case DxfValueType::Handle:
            return "a handle";
        case DxfValueType::Binary:
            return "hexadecimal data";
        default:
            return "a value";
    }
}

}  // namespace

DxfGroupReader::DxfGroupReader(std::string_view bytes) : mBytes(bytes) {
    if (mBytes.substr(0, 3) == "\xEF\xBB\xBF") mPos = 3;
}

void DxfGroupReader::fail(DxfFault fault, int line, std::string message) {
    if (mError) return;
    std::string text = line > 0 ? "line " + std::to_string(line) + ": " + message : message;
    mError = DxfError{fault, line, std::move(text)};
}

std::optional<std::string_view> DxfGroupReader::readLine() {
    if (mPos >= mBytes.size()) return std::nullopt;
    size_t end = mBytes.find('\n', mPos);
    if (end == std::string_view::npos) end = mBytes.size();
    std::string_view line = mBytes.substr(mPos, end - mPos);
    mPos = end + 1;
    ++mLine;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) {
        fail(DxfFault::TooLarge, mLine,
             "line longer than " + std::to_string(kMaxLineBytes) + " bytes");
        return std::nullopt;
    }
    // Strings end at a NUL everywhere in the host's interfaces; a NUL byte in
    // a text file is damage, not data.
    if (line.find('\0') != std::string_view::npos) {
        fail(DxfFault::BadValue, mLine, "line contains a NUL byte");
        return std::nullopt;
    }
    return line;
}

const DxfGroup* DxfGroupReader::nextRef() {
    if (mError) return nullptr;
    if (mPushedBack) {
        mPushedBack = false;
        return &mLast;
    }
    std::optional<DxfGroup> g = mImplied ? impliedNext() : readData();
    if (!g) return nullptr;
    mLast = std::move(*g);
    return &mLast;
}

std::optional<DxfGroup> DxfGroupReader::next() {
    const DxfGroup* g = nextRef();
    if (g == nullptr) return std::nullopt;
    return *g;
}

// Comments (999) may stand anywhere in a file and mean nothing to it.
std::optional<DxfGroup> DxfGroupReader::readData() {
    std::optional<DxfGroup> g;
    do g = readGroup();
    while (g && g->code == kDxfCommentCode);
    return g;
}

void DxfGroupReader::impliedSubclasses(std::string entity, std::string own) {
    mImplied = Implied{std::move(entity), std::move(own), 0, std::nullopt};
    if (mPushedBack) mImplied->held = mLast;
    mPushedBack = false;
}

namespace {

// Groups of the entity's common data in release 12 files.
bool isCommonEntityCode(int code) {
    return code == 6 || code == 8 || code == 48 || code == 60 || code == 62 || code == 67 ||
           code == 370;
}

}  // namespace

std::optional<DxfGroup> DxfGroupReader::impliedNext() {
    Implied& implied = *mImplied;
    const int line = mLine + 1;
    if (implied.stage == 0) {
        implied.stage = 1;
        return DxfGroup{100, implied.entity, implied.held ? implied.held->line : line};
    }
    std::optional<DxfGroup> g = implied.held ? implied.held : readData();
    implied.held.reset();
    if (implied.stage == 2 || !g || g->code == 0 || g->code >= 1000) {
        mImplied.reset();
        return g;
    }
    if (isCommonEntityCode(g->code)) return g;
    implied.stage = 2;
    implied.held = g;
    return DxfGroup{100, implied.own, g->line};
}

bool DxfGroupReader::scan(int& code, std::string_view& value) {
    if (mError) return false;
    do {
        int line = 0;
        if (!readView(code, value, line, false)) return false;
    } while (code == kDxfCommentCode);
    return true;
}

std::optional<DxfGroup> DxfGroupReader::readGroup() {
    int code = 0, line = 0;
    std::string_view value;
    if (!readView(code, value, line)) return std::nullopt;
    return DxfGroup{code, std::string(value), line};
}

bool DxfGroupReader::readView(int& code, std::string_view& value, int& codeLineNo,
                              bool checkValue) {
    std::optional<std::string_view> codeLine = readLine();
    if (!codeLine) return false;
    codeLineNo = mLine;
    std::string_view codeText = dxfTrim(*codeLine);
    auto [end, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (codeText.empty() || ec != std::errc() || end != codeText.data() + codeText.size()) {
        fail(DxfFault::BadCode, codeLineNo, "group code " + quoted(codeText) + " is not a number");
        return false;
    }
    DxfValueType type = dxfValueType(code);
    if (type == DxfValueType::Unknown) {
        fail(DxfFault::UnknownCode, codeLineNo, "unknown group code " + std::to_string(code));
        return false;
    }
    std::optional<std::string_view> valueLine = readLine();
    if (!valueLine) {
        fail(DxfFault::Truncated, codeLineNo,
             "the file ends after group code " + std::to_string(code) + " without its value");
        return false;
    }
    if (checkValue && !dxfValueIsValid(type, *valueLine)) {
        fail(DxfFault::BadValue, mLine,
             "value " + quoted(*valueLine) + " of group code " + std::to_string(code) + " is not " +
                 typeName(type));
        return false;
    }
    value = *valueLine;
    return true;
}

void DxfGroupReader::pushBack() { mPushedBack = true; }

void DxfGroupWriter::writeCode(int code) {
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    const size_t length = ec == std::errc() ? static_cast<size_t>(end - digits) : 0;
    if (length < 3) mText.append(3 - length, ' ');
    mText.append(digits, length);
    mText += '\n';
}

void DxfGroupWriter::writeRaw(int code, std::string_view text) {
    writeCode(code);
    mText += text;
    mText += '\n';
}

void DxfGroupWriter::writeString(int code, std::string_view utf8) {
    writeCode(code);
    dxfAppendEscaped(mText, utf8);
    mText += '\n';
}

void DxfGroupWriter::refuse(int code, const std::string& value, const char* what) {
    if (!mRefusal.empty()) return;
    mRefusal =
        "group code " + std::to_string(code) + " would hold " + value + ", which is not " + what;
}

void DxfGroupWriter::writeDouble(int code, double value) {
    if (!std::isfinite(value)) return refuse(code, dxfFormatDouble(value), "a finite real number");
    writeRaw(code, dxfFormatDouble(value));
}

void DxfGroupWriter::writeInt(int code, int64_t value) {
    const DxfValueType type = dxfValueType(code);
    const bool int32 = type == DxfValueType::Int32;
    if ((type == DxfValueType::Int16 || type == DxfValueType::Bool) &&
        (value < INT16_MIN || value > INT16_MAX))
        return refuse(code, std::to_string(value), typeName(DxfValueType::Int16));
    if (int32 && (value < INT32_MIN || value > INT32_MAX))
        return refuse(code, std::to_string(value), typeName(DxfValueType::Int32));
    // Integers are right-aligned in six columns as the format's own writers do.
    std::string text = std::to_string(value);
    if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
    writeRaw(code, text);
}

void DxfGroupWriter::writeHandle(int code, uint64_t value) {
    if (value > kDxfMaxHandle)
        return refuse(code, "handle " + dxfFormatHandle(value), "within the handle range");
    writeRaw(code, dxfFormatHandle(value));
}

void DxfGroupWriter::writePoint(int code, double x, double y, double z) {
    writeDouble(code, x);
    writeDouble(code + 10, y);
    writeDouble(code + 20, z);
}
