#include "SurveyLine.h"

#include "wcrt.h"

namespace {

// Walks the fields of a line. Once no "," is left none will come, so the
// search for it is not repeated; a line is read in one pass.
class FieldReader {
  public:
    explicit FieldReader(const std::wstring& line) : mLine(line) {}
    bool done() const { return mAt >= mLine.size(); }
    // The next field when a separator follows it; false (nothing taken) otherwise.
    bool next(std::wstring& field) {
        size_t sep = mCommas ? mLine.find(L',', mAt) : std::wstring::npos;
        if (sep == std::wstring::npos) {
            mCommas = false;
            sep = mLine.find(L'\uFF0C', mAt);
        }
        if (sep == std::wstring::npos) return false;
        field = mLine.substr(mAt, sep - mAt);
        mAt = sep + 1;
        return true;
    }
    std::wstring rest() const { return mLine.substr(mAt); }

  private:
    const std::wstring& mLine;
    size_t mAt = 0;
    bool mCommas = true;
};

// Field i >= 3: the next layer's elevation.
void AddLayer(SurveyLine& out, const std::wstring& field, int format) {
    const double value = _wtof(field.c_str());
    if (format == 1 || out.elevations.empty())
        out.elevations.push_back(value);
    else
        out.elevations.push_back(LayerBelow(out.elevations.back(), value));
}

}  // namespace

SurveyLine ParseSurveyLine(const std::wstring& line, int format) {
    SurveyLine out;
    FieldReader fields(line);
    std::wstring field;
    for (size_t i = 0; !fields.done(); ++i) {
        if (!fields.next(field)) {
            if (i >= 3) AddLayer(out, fields.rest(), format);
            break;
        }
        if (i == 1)
            out.x = _wtof(field.c_str());
        else if (i == 2)
            out.y = _wtof(field.c_str());
        else if (i >= 3)
            AddLayer(out, field, format);
    }
    return out;
}
