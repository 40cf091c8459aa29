// The host stand-in's drawing fixture with a private registry file, and small
// builders of entities.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DocumentTest.h"
#include "QUARNArxBase.h"
#include "winreg_standin.h"

class DrawingTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        RegStandInSetFile(path("registry.reg").string().c_str());
    }
    void TearDown() override {
        closeDocument();  // with the registry still in place, for the close reactors
        RegStandInSetFile(nullptr);
        DocumentTest::TearDown();
    }

    // Appends and closes an entity; its id.
    template <typename T>
    AcDbObjectId add(std::unique_ptr<T> entity) {
        AcDbObjectId id;
        EXPECT_EQ(ArxEntity::Arx_addToModelSpace(entity.get(), id), Acad::eOk);
        entity.release()->close();
        return id;
    }

    AcDbObjectId addPolyline(const std::vector<AcGePoint2d>& corners, bool closed = true,
                             const std::vector<double>& bulges = {}) {
        auto pl = std::make_unique<AcDbPolyline>();
        for (size_t i = 0; i < corners.size(); ++i)
            pl->addVertexAt(static_cast<unsigned>(i), corners[i],
                            i < bulges.size() ? bulges[i] : 0.0);
        pl->setClosed(closed);
        return add(std::move(pl));
    }
};
