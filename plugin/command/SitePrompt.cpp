#include "SitePrompt.h"

#include "ArxHelpers.h"
#include "aced.h"
#include "wcrt.h"

SiteAnswer AskForSite(const ACHAR* keywords, const ACHAR* prompt) {
    int snapMode = 0;
    const bool saved = ArxSystemVar::Arx_getSysVar(L"OSMODE", snapMode) != 0;
    ArxSystemVar::Arx_setSysVar(L"OSMODE", 0);
    acedInitGet(0, keywords);
    ads_point picked = {0.0, 0.0, 0.0};
    const int result = acedGetPoint(nullptr, prompt, picked);
    if (saved) ArxSystemVar::Arx_setSysVar(L"OSMODE", snapMode);

    SiteAnswer answer;
    if (result == RTKWORD) {
        ACHAR keyword[133] = {0};
        if (acedGetInput(keyword, 133) == RTNORM) {
            answer.kind = SiteAnswer::Kind::Keyword;
            answer.keyword = keyword;
        }
    } else if (result == RTNORM) {
        answer.kind = SiteAnswer::Kind::Point;
        answer.point =
            ArxTransClass::Arx_UcsToWcsPoint(AcGePoint3d(picked[X], picked[Y], picked[Z]));
    }
    return answer;
}

bool IsKeyword(const SiteAnswer& answer, const ACHAR* keyword) {
    return answer.kind == SiteAnswer::Kind::Keyword &&
           _wcsicmp(answer.keyword.c_str(), keyword) == 0;
}
