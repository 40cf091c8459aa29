#include "ExtractionTarget.h"

#include "ExtractNames.h"
#include "wcrt.h"

std::wstring NewSiteNumber(const std::wstring& sourceNumber, int pair) {
    return wcrtFormat(kNewSiteNumberFormat, sourceNumber.c_str(), pair + 1);
}
