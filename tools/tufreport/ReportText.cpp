#include "ReportText.h"

#include <charconv>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// -?[0-9]+(\.[0-9]+)?: a number as the precision formats write it.
bool PlainDecimal(const std::string& text) {
    size_t i = text.starts_with('-') ? 1 : 0;
    const size_t integerStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == integerStart) return false;
    if (i == text.size()) return true;
    if (text[i] != '.') return false;
    const size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i == text.size() && i > fractionStart;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string StoredText(const StoredValue& value) {
    if (!value.usable()) return std::string();
    const std::string trimmed = Trim(value.text);
    if (PlainDecimal(trimmed)) return trimmed;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.value);
    return std::string(buffer, result.ptr);
}
