#include "UserFormula.h"

namespace {

const std::wstring kPlusMarker = L"[+V=";
const std::wstring kMinusMarker = L"[-V=";

// What follows `marker` in `part`, or `part` itself when the marker is absent.
std::wstring AfterMarker(const std::wstring& part, const std::wstring& marker) {
    size_t at = part.find(marker);
    return at == std::wstring::npos ? part : part.substr(at + marker.size());
}

// The text of `rest` before its first "]", or nothing when it has none.
bool PartBeforeBracket(const std::wstring& rest, std::wstring& part) {
    size_t close = rest.find(L']');
    if (close == std::wstring::npos) return false;
    part = rest.substr(0, close);
    return true;
}

}  // namespace

void SplitUserFormula(const std::wstring& text, std::wstring& plusPart, std::wstring& minusPart) {
    plusPart.clear();
    minusPart.clear();
    size_t close = text.find(L']');
    if (close == std::wstring::npos) return;
    std::wstring first = text.substr(0, close);
    const std::wstring rest = text.substr(close + 1);

    if (first.find(kPlusMarker) != std::wstring::npos) {
        plusPart = AfterMarker(first, kPlusMarker);
        if (PartBeforeBracket(rest, minusPart)) minusPart = AfterMarker(minusPart, kMinusMarker);
    } else if (first.find(kMinusMarker) != std::wstring::npos) {
        minusPart = AfterMarker(first, kMinusMarker);
        // The +V part is what the second bracket holds; without a second
        // bracket there is no +V part (the -V text is not a +V formula).
        if (PartBeforeBracket(rest, plusPart)) plusPart = AfterMarker(plusPart, kPlusMarker);
    } else {
        plusPart = first;
    }
}
