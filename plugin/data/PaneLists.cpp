#include "PaneLists.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

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
    return {kCornerLayerStem + std::to_wstring(corner) + L"_", Setting::ElevationPrecision, false};
}

bool Contains(std::wstring_view key, std::wstring_view stem) {
    return key.find(stem) != std::wstring::npos;
}

void RemoveList(ArxDbgAppXdataX& data, const std::wstring& stem) {
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : data.entries())
        if (Contains(key, stem)) keys.emplace_back(key);
    for (const std::wstring& key : keys) data.remove(key.c_str());
}

// Without removeOld for a pane known to hold no key of the list.
void PutList(ArxDbgAppXdataX& data, const NumberedList& list, int decimals,
             const std::vector<double>& values, bool removeOld = true) {
    if (removeOld) RemoveList(data, list.stem);
    for (size_t k = 0; k < values.size(); ++k) {
        const std::wstring key = list.stem + std::to_wstring(k + 1);
        data.setString(key.c_str(), wcrtFixed(values[k], decimals).c_str());
    }
    if (list.marksPane) data.setString(kPaneMarkKey, kPaneMarkValue);
}

bool WriteList(AcDbObjectId pane, const NumberedList& list, const std::vector<double>& values) {
    for (double v : values)
        if (RefuseNonFinite({v})) return false;
    const int decimals = GetPrecisionDecimals(list.precision);
    return EditXdata(pane, kPaneApp,
                     [&](ArxDbgAppXdataX& data) { PutList(data, list, decimals, values); });
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// True when no stored key contains one of the stems or equals one of the keys.
// Writes to such a pane only append, so their size only grows: one write of
// them all fits exactly when each of the separate writes would have.
bool HoldsNone(const ArxDbgAppXdataX& data, std::initializer_list<const ACHAR*> stems,
               std::initializer_list<const ACHAR*> keys) {
    for (const auto& [key, value] : data.entries()) {
        for (const ACHAR* stem : stems)
            if (Contains(key, stem)) return false;
        for (const ACHAR* k : keys)
            if (key == k) return false;
    }
    return true;
}

// The item number behind the stem is not parsed: the writer stores the items
// in ascending order, so stored order is list order.
std::vector<StoredNumber> ListTextsFrom(const ArxDbgAppXdataX& data, const std::wstring& stem) {
    std::vector<StoredNumber> items;
    for (const auto& [key, text] : data.entries())
        if (Contains(key, stem))
            items.push_back(MakeStoredNumber(std::wstring(key), std::wstring(text)));
    return items;
}

std::vector<StoredNumber> ReadListTexts(AcDbObjectId pane, const std::wstring& stem) {
    std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    return data ? ListTextsFrom(*data, stem) : std::vector<StoredNumber>();
}

bool ReadList(AcDbObjectId pane, const NumberedList& list, std::vector<double>& values) {
    values.clear();
    for (const StoredNumber& item : ReadListTexts(pane, list.stem)) values.push_back(item.value);
    return !values.empty();
}

bool CornerLayersFrom(const ArxDbgAppXdataX& data, std::vector<std::vector<double>>& layers) {
    for (std::vector<double>& corner : layers) corner.clear();
    std::vector<std::wstring> stems;
    for (size_t i = 0; i < layers.size(); ++i)
        stems.push_back(CornerLayers(static_cast<int>(i)).stem);
    bool any = false;
    for (const auto& [key, text] : data.entries())
        for (size_t i = 0; i < stems.size(); ++i)
            if (Contains(key, stems[i])) {
                layers[i].push_back(_wtof(text.c_str()));
                any = true;
            }
    return any;
}

bool CornerLayersFrom(const std::optional<ArxDbgAppXdataX>& data,
                      std::vector<std::vector<double>>& layers) {
    if (data) return CornerLayersFrom(*data, layers);
    for (std::vector<double>& corner : layers) corner.clear();
    return false;
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

bool SetNewCornerLayerElevations(AcDbObjectId pane, const std::vector<std::vector<double>>& corners,
                                 int decimals, PaneCornerLists* readBack) {
    if (corners.empty()) return false;
    for (const std::vector<double>& corner : corners)
        if (!AllFinite(corner)) return false;
    const std::optional<bool> stored = EditXdataWhen(
        pane, kPaneApp,
        [](const ArxDbgAppXdataX& data) { return HoldsNone(data, {kCornerLayerStem}, {}); },
        [&](ArxDbgAppXdataX& data) {
            for (size_t i = 0; i < corners.size(); ++i)
                PutList(data, CornerLayers(static_cast<int>(i)), decimals, corners[i], false);
            if (readBack == nullptr) return;
            if (!data.getString(kFieldNumberKey, readBack->number)) readBack->number.clear();
            readBack->layers.assign(corners.size(), {});
            CornerLayersFrom(data, readBack->layers);
        });
    return stored.value_or(false);
}

std::optional<PaneVolumeLists> StoreNewPaneVolumes(AcDbObjectId pane, size_t cornerCount,
                                                   const PaneVolumesOf& volumesOf, int decimals,
                                                   bool& stored) {
    stored = false;
    std::optional<PaneVolumeLists> volumes;
    bool computed = false;
    const std::optional<bool> written = EditXdataWhen(
        pane, kPaneApp,
        [&](const ArxDbgAppXdataX& data) {
            std::vector<std::vector<double>> layers(cornerCount);
            CornerLayersFrom(data, layers);
            volumes = volumesOf(layers);
            computed = true;
            return volumes && AllFinite(volumes->fills) && AllFinite(volumes->cuts) &&
                   AllFinite({volumes->fill, volumes->cut}) &&
                   HoldsNone(data, {kLayerFillStem, kLayerCutStem},
                             {kFillVolumeKey, kCutVolumeKey});
        },
        [&](ArxDbgAppXdataX& data) {
            PutList(data, LayerFills(), decimals, volumes->fills, false);
            PutList(data, LayerCuts(), decimals, volumes->cuts, false);
            data.setString(kFillVolumeKey, wcrtFixed(volumes->fill, decimals).c_str());
            data.setString(kCutVolumeKey, wcrtFixed(volumes->cut, decimals).c_str());
        });
    stored = written.value_or(false);
    // A pane that cannot be opened for write (a locked layer) is still
    // computed from a read, so that the caller can tell it was not stored.
    if (!computed) {
        std::vector<std::vector<double>> layers(cornerCount);
        CornerLayersFrom(LoadXdata(pane, kPaneApp), layers);
        volumes = volumesOf(layers);
    }
    return volumes;
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
    return CornerLayersFrom(LoadXdata(pane, kPaneApp), layers);
}
bool GetPaneNumberAndCornerLayers(AcDbObjectId pane, std::wstring& number,
                                  std::vector<std::vector<double>>& layers) {
    const std::optional<ArxDbgAppXdataX> data = LoadXdata(pane, kPaneApp);
    if (!data || !data->getString(kFieldNumberKey, number)) number.clear();
    return CornerLayersFrom(data, layers);
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
