#include "PaneData.h"

#include <iterator>

#include "DataNames.h"
#include "RegistrySettings.h"
#include "XdataStore.h"
#include "wcrt.h"

namespace {

std::wstring TextOf(const ACHAR* text) { return text != nullptr ? text : L""; }

}  // namespace

bool IsPane(AcDbObjectId entity) {
    std::wstring mark;
    return ReadText(entity, kPaneApp, kPaneMarkKey, mark, L"");
}

bool GetPaneFieldNumber(AcDbObjectId pane, std::wstring& number) {
    return ReadText(pane, kPaneApp, kFieldNumberKey, number, L"");
}

bool SetPaneFieldNumber(AcDbObjectId pane, const ACHAR* number) {
    return WriteTexts(pane, kPaneApp, {{kFieldNumberKey, TextOf(number)}});
}

bool GetPaneNumber(AcDbObjectId pane, std::wstring& number) {
    return ReadText(pane, kPaneApp, kPaneNumberKey, number, L"");
}

bool SetPaneNumber(AcDbObjectId pane, const ACHAR* number) {
    return WriteTexts(pane, kPaneApp, {{kPaneNumberKey, TextOf(number)}});
}

bool GetPaneRowColumn(AcDbObjectId pane, int& row, int& column) {
    row = 0;
    column = 0;
    std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    if (!data) return false;
    std::wstring text;
    const bool hasRow = data->getString(kPaneRowKey, text);
    if (hasRow) row = _wtoi(text.c_str());
    const bool hasColumn = data->getString(kPaneColumnKey, text);
    if (hasColumn) column = _wtoi(text.c_str());
    return hasRow || hasColumn;
}

bool SetPaneRowColumn(AcDbObjectId pane, int row, int column) {
    return WriteTexts(
        pane, kPaneApp,
        {{kPaneRowKey, wcrtFormat(L"%d", row)}, {kPaneColumnKey, wcrtFormat(L"%d", column)}});
}

bool GetPaneVolumes(AcDbObjectId pane, double& fill, double& cut) {
    return ReadRealPair(pane, kPaneApp, kFillVolumeKey, fill, kCutVolumeKey, cut);
}

bool SetPaneVolumes(AcDbObjectId pane, double fill, double cut) {
    if (RefuseNonFinite({fill, cut})) return false;
    return WriteTexts(pane, kPaneApp,
                      {{kFillVolumeKey, FormatWithPrecision(Setting::VolumePrecision, fill)},
                       {kCutVolumeKey, FormatWithPrecision(Setting::VolumePrecision, cut)}});
}

bool SetPaneAreas(AcDbObjectId pane, double fillArea, double cutArea) {
    if (RefuseNonFinite({fillArea, cutArea})) return false;
    return WriteTexts(pane, kPaneApp,
                      {{kFillAreaKey, FormatWithPrecision(Setting::VolumePrecision, fillArea)},
                       {kCutAreaKey, FormatWithPrecision(Setting::VolumePrecision, cutArea)}});
}

bool GetPaneFormulas(AcDbObjectId pane, std::wstring& fillFormula, std::wstring& fillProcess,
                     std::wstring& cutFormula, std::wstring& cutProcess) {
    std::wstring* const texts[] = {&fillFormula, &fillProcess, &cutFormula, &cutProcess};
    const ACHAR* const keys[] = {kFillFormulaKey, kFillProcessKey, kCutFormulaKey, kCutProcessKey};
    for (std::wstring* text : texts) text->clear();
    std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    if (!data) return false;
    bool any = false;
    for (size_t i = 0; i < std::size(keys); ++i) any = data->getString(keys[i], *texts[i]) || any;
    return any;
}

bool SetPaneFormulas(AcDbObjectId pane, const ACHAR* fillFormula, const ACHAR* fillProcess,
                     const ACHAR* cutFormula, const ACHAR* cutProcess) {
    return WriteTexts(pane, kPaneApp,
                      {{kFillFormulaKey, TextOf(fillFormula)},
                       {kFillProcessKey, TextOf(fillProcess)},
                       {kCutFormulaKey, TextOf(cutFormula)},
                       {kCutProcessKey, TextOf(cutProcess)}});
}
