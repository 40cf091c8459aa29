// Writing and reading a large drawing: 100,000 closed polylines (site panes),
// each with extended data as the suite attaches it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "arxsdk.h"
#include "dxf_database.h"

namespace {

constexpr int kPanes = 100000;

void addApplication(AcDbDatabase& db, const ACHAR* name) {
    AcDbRegAppTable* table = nullptr;
    db.getRegAppTable(table, AcDb::kForWrite);
    auto record = std::make_unique<AcDbRegAppTableRecord>();
    record->setName(name);
    if (table->add(record.get()) == Acad::eOk) record.release()->close();
    table->close();
}

// One pane: a 10 x 10 square with its number and four corner elevations.
void addPane(AcDbBlockTableRecord& space, int index) {
    const double x = (index % 316) * 10.0, y = (index / 316) * 10.0;
    auto pane = std::make_unique<AcDbPolyline>();
    const double corners[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (unsigned k = 0; k < 4; ++k)
        pane->addVertexAt(k, AcGePoint2d(x + corners[k][0], y + corners[k][1]));
    pane->setClosed(true);
    if (space.appendAcDbEntity(pane.get()) != Acad::eOk) return;
    const std::wstring number = std::to_wstring(index + 1);
    resbuf* xdata =
        acutBuildList(1001, L"方格", 1000, L"方格编号", 1000, number.c_str(), 1000, L"标高组0_1",
                      1000, L"12.50", 1000, L"标高组1_1", 1000, L"12.25", 1000, L"标高组2_1", 1000,
                      L"11.75", 1000, L"标高组3_1", 1000, L"12.00", 0);
    pane->setXData(xdata);
    acutRelRb(xdata);
    pane.release()->close();
}

std::unique_ptr<AcDbDatabase> makeDrawing() {
    auto db = std::make_unique<AcDbDatabase>(true, true);
    addApplication(*db, L"方格");
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < kPanes; ++i) addPane(*space, i);
    space->close();
    return db;
}

void BM_WriteDrawing(benchmark::State& state) {
    auto db = makeDrawing();
    std::string text;
    DxfError error;
    for (auto _ : state) {
        text.clear();
        if (dxfWriteDatabase(*db, text, error) != Acad::eOk)
            state.SkipWithError(error.message.c_str());
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_ReadDrawing(benchmark::State& state) {
    std::string text;
    DxfError error;
    dxfWriteDatabase(*makeDrawing(), text, error);
    for (auto _ : state) {
        AcDbDatabase db(false, true);
        if (dxfReadDatabase(text, db, error) != Acad::eOk)
            state.SkipWithError(error.message.c_str());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

}  // namespace

BENCHMARK(BM_WriteDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);
