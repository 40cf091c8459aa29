// The host stand-in's drawing fixture with a private registry file, and
// builders of sites, panes and elevation points whose data is written the way
// the suite's modules write it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "DocumentTest.h"
#include "winreg_standin.h"

using KeyValues = std::vector<std::pair<std::wstring, std::wstring>>;

class SiteDrawingTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        RegStandInSetFile(path("registry.reg").string().c_str());
        RegisterMPointEleClass();
    }
    void TearDown() override {
        closeDocument();  // with the registry still in place, for the close reactors
        RegStandInSetFile(nullptr);
        DocumentTest::TearDown();
    }

    static void setSetting(const ACHAR* name, const ACHAR* value) {
        ASSERT_NE(ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, name, value), 0);
    }
    static std::wstring setting(const ACHAR* name) {
        std::wstring value;
        ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name, value);
        return value;
    }

    // Appends an entity on the layer (made when missing) and closes it.
    AcDbObjectId add(std::unique_ptr<AcDbEntity> entity, const ACHAR* layer = L"0") {
        AcDbObjectId layerId;
        EXPECT_NE(ArxLayer::Arx_CreateLayer(layer, 7, layerId), 0);
        EXPECT_EQ(entity->setLayer(layer), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(ArxEntity::Arx_addToModelSpace(entity.get(), id), Acad::eOk);
        entity.release()->close();
        return id;
    }

    AcDbObjectId addPolyline(const std::vector<AcGePoint2d>& corners, const ACHAR* layer = L"0",
                             bool closed = true, const std::vector<double>& bulges = {}) {
        auto pl = std::make_unique<AcDbPolyline>();
        for (size_t i = 0; i < corners.size(); ++i)
            pl->addVertexAt(static_cast<unsigned>(i), corners[i],
                            i < bulges.size() ? bulges[i] : 0.0);
        pl->setClosed(closed);
        return add(std::move(pl), layer);
    }

    // Writes the keys through the suite's extended-data helper.
    static void writeKeys(AcDbObjectId id, const ACHAR* app, const KeyValues& values) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
        ArxDbgAppXdataX data(app, acdbHostApplicationServices()->workingDatabase());
        data.getXdata(entity);
        for (const auto& [key, value] : values) data.setString(key.c_str(), value.c_str());
        EXPECT_EQ(data.setXdata(entity), Acad::eOk);
        entity->close();
    }

    // The keys and values of the application in stored order.
    static KeyValues readKeys(AcDbObjectId id, const ACHAR* app) {
        KeyValues result;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return result;
        ArxDbgAppXdataX data(app, acdbHostApplicationServices()->workingDatabase());
        data.getXdata(entity);
        entity->close();
        std::vector<std::wstring> keys;
        data.GetFlagArray(keys);
        for (const std::wstring& key : keys) {
            std::wstring value;
            data.getString(key.c_str(), value);
            result.emplace_back(key, value);
        }
        return result;
    }

    AcDbObjectId addSite(const std::vector<AcGePoint2d>& corners, const ACHAR* number,
                         const ACHAR* type = L"外框") {
        AcDbObjectId id = addPolyline(corners, L"场区");
        KeyValues values = {{L"场区类型", type}};
        if (number != nullptr) values.emplace_back(L"场区编号", number);
        writeKeys(id, L"场区", values);
        return id;
    }

    AcDbObjectId addPane(const std::vector<AcGePoint2d>& corners, const std::wstring& site) {
        const std::wstring layer = L"场区" + site + L"方格";
        AcDbObjectId id = addPolyline(corners, layer.c_str());
        writeKeys(id, L"方格", {{L"方格类", L"是"}, {L"场区编号", site}});
        return id;
    }

    AcDbObjectId addPoint(const AcGePoint3d& position, const std::vector<double>& elevations,
                          const ACHAR* layer = L"多层标高", double height = 2.5) {
        auto point = std::make_unique<AcDbMPointEle>();
        point->setPosition(position);
        point->setTextHeight(height);
        AcGeDoubleArray list;
        for (double e : elevations) list.append(e);
        EXPECT_EQ(point->setElevations(list), Acad::eOk);
        return add(std::move(point), layer);
    }

    static void erase(AcDbObjectId id) { ASSERT_NE(ArxEntity::Arx_EraseEntity(id), 0); }
};

inline std::vector<AcDbObjectId> Ids(const AcDbObjectIdArray& array) {
    return {array.begin(), array.end()};
}
