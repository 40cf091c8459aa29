#include "SurveyFile.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The title names the file's layout. It holds a single separator, so the
// import, which takes only lines of four fields or more, skips it.
constexpr const char* kTitle = "多层标高测量记录，格式一（点号 X Y 各层标高）";

// UTF-8 text in GBK, the code page the suite's users hand their files over in.
bool ToGbk(const std::string& utf8, std::string& gbk) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = utf8;
    gbk.assign(in.size() * 2, '\0');
    char* src = in.data();
    char* dst = gbk.data();
    size_t srcLeft = in.size(), dstLeft = gbk.size();
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1) && srcLeft == 0;
    iconv_close(cd);
    gbk.resize(gbk.size() - dstLeft);
    return ok;
}

}  // namespace

std::string SurveyNumber(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (std::strtod(text, nullptr) != value) std::snprintf(text, sizeof text, "%.17G", value);
    return text;
}

std::string SurveyFileText(const std::vector<SurveyPoint>& points) {
    std::string text = std::string(kTitle) + "\r\n";
    for (size_t i = 0; i < points.size(); ++i) {
        const SurveyPoint& p = points[i];
        text += std::to_string(i + 1) + "," + SurveyNumber(p.position.x, 3) + "," +
                SurveyNumber(p.position.y, 3);
        for (double e : p.elevations) text += "," + SurveyNumber(e, 2);
        text += "\r\n";
    }
    std::string gbk;
    return ToGbk(text, gbk) ? gbk : std::string();
}
