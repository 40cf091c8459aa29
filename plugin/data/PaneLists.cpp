#include "PaneLists.h"

#include <string>

#include "ArxHelpers.h"
#include "DataNames.h"
#include "RegistrySettings.h"
#include "StoredValues.h"
#include "XdataStore.h"
#include "wcrt.h"

namespace {

// One numbered list: the text every key of the list contains and that the
// item number follows, the precision of its values, and whether writing it
// marks the entity as a pane.
struct NumberedList {
    std::wstring stem;
    Setting precision;
    bool marksPane;
};

NumberedList NaturalElevations() {
    return {kNaturalElevationStem, Setting::ElevationPrecision, true};
}
NumberedList DesignElevations() {
    return {kDesignElevationStem, Setting::ElevationPrecision, true};
}
NumberedList LayerFills() { return {kLayerFillStem, Setting::VolumePrecision, false}; }
NumberedList LayerCuts() { return {kLayerCutStem, Setting::VolumePrecision, false}; }
NumberedList CornerLayers(int corner) {
    return {wcrtFormat(L"%s%d_", kCornerLayerStem, corner), Setting::ElevationPrecision, false};
}

bool Contains(const std::wstring& key, const std::wstring& stem) {
    return key.find(stem) != std::wstring::npos;
}

void RemoveList(ArxDbgAppXdataX& data, const std::wstring& stem) {
    std::vector<std::wstring> keys;
    data.GetFlagArray(keys);
    for (const std::wstring& key : keys)
        if (Contains(key, stem)) data.remove(key.c_str());
}

bool WriteList(AcDbObjectId pane, const NumberedList& list, const std::vector<double>& values) {
    for (double v : values)
        if (RefuseNonFinite({v})) return false;
    const std::wstring format = GetPrecisionFormat(list.precision);
    return EditXdata(pane, kPaneApp, [&](ArxDbgAppXdataX& data) {
        RemoveList(data, list.stem);
        for (size_t k = 0; k < values.size(); ++k) {
            const std::wstring key =
                wcrtFormat(L"%s%d", list.stem.c_str(), static_cast<int>(k + 1));
            data.setString(key.c_str(), wcrtFormat(format.c_str(), values[k]).c_str());
        }
        if (list.marksPane) data.setString(kPaneMarkKey, kPaneMarkValue);
    });
}

// The item number behind the stem is not parsed: the writer stores the items
// in ascending order, so stored order is list order.
std::vector<StoredNumber> ListTextsFrom(ArxDbgAppXdataX& data, const std::wstring& stem) {
    std::vector<StoredNumber> items;
    std::vector<std::wstring> keys;
    data.GetFlagArray(keys);
    std::wstring text;
    for (const std::wstring& key : keys)
        if (Contains(key, stem) && data.getString(key.c_str(), text))
            items.push_back(MakeStoredNumber(key, text));
    return items;
}

std::vector<StoredNumber> ReadListTexts(AcDbObjectId pane, const std::wstring& stem) {
    std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    return data ? ListTextsFrom(*data, stem) : std::vector<StoredNumber>();
}

bool ReadListFrom(ArxDbgAppXdataX& data, const NumberedList& list, std::vector<double>& values) {
    values.clear();
    for (const StoredNumber& item : ListTextsFrom(data, list.stem)) values.push_back(item.value);
    return !values.empty();
}

bool ReadList(AcDbObjectId pane, const NumberedList& list, std::vector<double>& values) {
    values.clear();
    for (const StoredNumber& item : ReadListTexts(pane, list.stem)) values.push_back(item.value);
    return !values.empty();
}

}  // namespace

bool GetPaneCorners(AcDbObjectId pane, AcGePoint3dArray& corners) {
    corners.removeAll();
    if (ArxPolyline::Arx_TakeAllPLinePtArr(pane, corners) == 0) return false;
    if (corners.length() > 1 && corners.last().isEqualTo(corners.first())) corners.removeLast();
    return true;
}

bool SetPaneNaturalElevations(AcDbObjectId pane, const std::vector<double>& elevations) {
    return WriteList(pane, NaturalElevations(), elevations);
}
bool SetPaneDesignElevations(AcDbObjectId pane, const std::vector<double>& elevations) {
    return WriteList(pane, DesignElevations(), elevations);
}
bool SetCornerLayerElevations(AcDbObjectId pane, int corner,
                              const std::vector<double>& elevations) {
    return WriteList(pane, CornerLayers(corner), elevations);
}
bool SetPaneLayerFills(AcDbObjectId pane, const std::vector<double>& volumes) {
    return WriteList(pane, LayerFills(), volumes);
}
bool SetPaneLayerCuts(AcDbObjectId pane, const std::vector<double>& volumes) {
    return WriteList(pane, LayerCuts(), volumes);
}

bool GetPaneNaturalElevations(AcDbObjectId pane, std::vector<double>& elevations) {
    return ReadList(pane, NaturalElevations(), elevations);
}
bool GetPaneDesignElevations(AcDbObjectId pane, std::vector<double>& elevations) {
    return ReadList(pane, DesignElevations(), elevations);
}
bool GetCornerLayerElevations(AcDbObjectId pane, int corner, std::vector<double>& elevations) {
    return ReadList(pane, CornerLayers(corner), elevations);
}
bool GetAllCornerLayerElevations(AcDbObjectId pane, std::vector<std::vector<double>>& layers) {
    for (std::vector<double>& corner : layers) corner.clear();
    std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    if (!data) return false;
    bool any = false;
    for (size_t i = 0; i < layers.size(); ++i)
        any = ReadListFrom(*data, CornerLayers(static_cast<int>(i)), layers[i]) || any;
    return any;
}
bool GetPaneLayerFills(AcDbObjectId pane, std::vector<double>& volumes) {
    return ReadList(pane, LayerFills(), volumes);
}
bool GetPaneLayerCuts(AcDbObjectId pane, std::vector<double>& volumes) {
    return ReadList(pane, LayerCuts(), volumes);
}

bool HasCornerLayerElevations(AcDbObjectId pane) {
    AcGePoint3dArray corners;
    std::vector<double> layers;
    return GetPaneCorners(pane, corners) && GetCornerLayerElevations(pane, 0, layers);
}

std::vector<StoredNumber> GetPaneStoredList(AcDbObjectId pane, const ACHAR* stem) {
    return ReadListTexts(pane, stem);
}
