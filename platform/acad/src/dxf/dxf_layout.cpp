#include "dxf_layout.h"

#include <algorithm>

namespace {

template <typename T>
AcDbSymbolTable* make() {
    return new T();
}
template <typename T>
AcDbSymbolTableRecord* makeRecord() {
    return new T();
}

constexpr DxfTableKind kTables[] = {
    {"VPORT", nullptr, nullptr, nullptr},
    {"LTYPE", nullptr, nullptr, nullptr},
    {"LAYER", &AcDbDatabase::layerTableId, &make<AcDbLayerTable>,
     &makeRecord<AcDbLayerTableRecord>},
    {"STYLE", &AcDbDatabase::textStyleTableId, &make<AcDbTextStyleTable>,
     &makeRecord<AcDbTextStyleTableRecord>},
    {"VIEW", nullptr, nullptr, nullptr},
    {"UCS", nullptr, nullptr, nullptr},
    {"APPID", &AcDbDatabase::regAppTableId, &make<AcDbRegAppTable>,
     &makeRecord<AcDbRegAppTableRecord>},
    {"DIMSTYLE", nullptr, nullptr, nullptr},
    {"BLOCK_RECORD", &AcDbDatabase::blockTableId, &make<AcDbBlockTable>,
     &makeRecord<AcDbBlockTableRecord>},
};

struct RawGroup {
    int code;
    const char* text;
};

DxfRawRecord record(std::string type, DxfHome home, std::initializer_list<RawGroup> groups) {
    DxfRawRecord r{std::move(type), {}, home};
    for (const RawGroup& g : groups) r.groups.push_back(DxfGroup{g.code, g.text, 0});
    return r;
}

DxfRawRecord linetype(const char* name, const char* description) {
    return record("LTYPE", DxfHome::Tables,
                  {{5, "0"},
                   {330, "0"},
                   {100, "AcDbSymbolTableRecord"},
                   {100, "AcDbLinetypeTableRecord"},
                   {2, name},
                   {70, "     0"},
                   {3, description},
                   {72, "    65"},
                   {73, "     0"},
                   {40, "0"}});
}

}  // namespace

std::span<const DxfTableKind> dxfTableKinds() { return kTables; }

const DxfTableKind* dxfFindTableKind(std::string_view name) {
    auto it = std::find_if(std::begin(kTables), std::end(kTables),
                           [&](const DxfTableKind& k) { return name == k.name; });
    return it == std::end(kTables) ? nullptr : &*it;
}

DxfRawRecord dxfDefaultTableHead(std::string_view tableName) {
    DxfRawRecord head =
        record("TABLE", DxfHome::Tables,
               {{2, ""}, {5, "0"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "     0"}});
    head.groups[0].text = std::string(tableName);
    head.groups[4].text = "     " + std::to_string(dxfDefaultTableRecords(tableName).size());
    if (tableName == "DIMSTYLE") head.groups.push_back(DxfGroup{100, "AcDbDimStyleTable", 0});
    return head;
}

// The records every drawing has: the active viewport, the linetypes "ByBlock",
// "ByLayer" and "Continuous", the dimension style "Standard".
std::vector<DxfRawRecord> dxfDefaultTableRecords(std::string_view tableName) {
    if (tableName == "VPORT")
        return {record("VPORT", DxfHome::Tables,
                       {{5, "0"},
                        {330, "0"},
                        {100, "AcDbSymbolTableRecord"},
                        {100, "AcDbViewportTableRecord"},
                        {2, "*Active"},
                        {70, "     0"},
                        {10, "0"},
                        {20, "0"},
                        {11, "1"},
                        {21, "1"},
                        {12, "0"},
                        {22, "0"},
                        {40, "100"},
                        {41, "1.5"}})};
    if (tableName == "LTYPE")
        return {linetype("ByBlock", ""), linetype("ByLayer", ""),
                linetype("Continuous", "Solid line")};
    if (tableName == "DIMSTYLE")
        return {record("DIMSTYLE", DxfHome::Tables,
                       {{105, "0"},
                        {330, "0"},
                        {100, "AcDbSymbolTableRecord"},
                        {100, "AcDbDimStyleTableRecord"},
                        {2, "Standard"},
                        {70, "     0"}})};
    return {};
}

DxfRawRecord dxfDefaultBlockBegin(const std::string& blockName, bool paperSpace) {
    DxfRawRecord r = record("BLOCK", DxfHome::Blocks, {{5, "0"}, {330, "0"}, {100, "AcDbEntity"}});
    if (paperSpace) r.groups.push_back(DxfGroup{67, "     1", 0});
    for (RawGroup g : std::initializer_list<RawGroup>{{8, "0"},
                                                      {100, "AcDbBlockBegin"},
                                                      {2, ""},
                                                      {70, "     0"},
                                                      {10, "0"},
                                                      {20, "0"},
                                                      {30, "0"},
                                                      {3, ""},
                                                      {1, ""}})
        r.groups.push_back(DxfGroup{g.code, g.text, 0});
    for (DxfGroup& g : r.groups)
        if (g.code == 2 || g.code == 3) g.text = blockName;
    return r;
}

DxfRawRecord dxfDefaultBlockEnd(bool paperSpace) {
    DxfRawRecord r = record("ENDBLK", DxfHome::Blocks, {{5, "0"}, {330, "0"}, {100, "AcDbEntity"}});
    if (paperSpace) r.groups.push_back(DxfGroup{67, "     1", 0});
    r.groups.push_back(DxfGroup{8, "0", 0});
    r.groups.push_back(DxfGroup{100, "AcDbBlockEnd", 0});
    return r;
}
