#include <cstddef>

#include "acadstrc.h"

namespace {

#define ACAD_ES_NAME(name) L## #name,
constexpr const wchar_t* kErrorNames[] = {ACAD_ERROR_STATUS_LIST(ACAD_ES_NAME)};
#undef ACAD_ES_NAME

}  // namespace

const wchar_t* acadErrorStatusText(Acad::ErrorStatus es) {
    auto index = static_cast<size_t>(es);
    if (index >= sizeof(kErrorNames) / sizeof(kErrorNames[0])) return L"eUnknownErrorStatus";
    return kErrorNames[index];
}
