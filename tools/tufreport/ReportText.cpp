#include "ReportText.h"

#include <charconv>
#include <regex>

namespace {

bool PlainDecimal(const std::string& text) {
    static const std::regex kPlain("-?[0-9]+(\\.[0-9]+)?");
    return std::regex_match(text, kPlain);
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
