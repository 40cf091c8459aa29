// The plug-in's settings: string values under the product's registry key, one
// row each with its default, its write-back rule and its value type. Every
// command reads its settings through this table (SettingsReader.h,
// RegistrySettings.h); docs/settings.md shows the same table.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "adesk.h"

enum class Setting {
    PointLayer,
    PointColour,
    PointTextHeight,
    PointTextAngle,
    ImportFormat,
    ElevationPrecision,
    VolumePrecision,
    AnnotationPrecision,
    ElevationTextColour,
    DesignTextColour,
    DifferenceTextColour,
    TextHeight,
    FillTextColour,
    CutTextColour,
    SiteLayer,
    SiteColour,
    PaneLayer,
    PaneColour,
    SquareFamily,
    TriangleMode,
    UserFormula1,
    UserFormula2,
    UserFormula3,
    UserFormula4,
    UserFormula5,
};

// When the stored text gives way to the default.
enum class Fallback {
    WhenEmpty,    // missing or empty
    WhenBlank,    // missing, empty or blanks only; the text is used trimmed
    WhenMissing,  // only when it cannot be read; an empty text is read as it is
};

// Who stores the value.
enum class WriteBack {
    No,         // only the user
    Default,    // the reader, when the default is used
    ByCommand,  // the command that reads it, when the user confirms a choice
};

enum class SettingType { Text, Integer, Real, Degrees, Colour, Decimals, Formula };

struct SettingRow {
    Setting id;
    const ACHAR* name;
    const ACHAR* fallback;
    Fallback fallbackWhen;
    WriteBack writeBack;
    SettingType type;
    const char* meaning;
    const char* commands;  // the commands (and tools) that read it, separated by ", "
    const char* writer;    // for WriteBack::ByCommand: who stores it
};

// In the order of Setting, so that a setting's row is found by its number.
inline constexpr std::array<SettingRow, 25> kSettingsTable{{
    {Setting::PointLayer, L"MLayerELeLayer", L"多层标高", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Text, "layer of the elevation points",
     "MLayerDefineEle, MLayerImportEle, MLayerCalPaneEle", nullptr},
    {Setting::PointColour, L"MLayerELeColor", L"6", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Colour, "colour index of the elevation-point layer",
     "MLayerDefineEle, MLayerImportEle", nullptr},
    {Setting::PointTextHeight, L"OEleTextHeight", L"2.5", Fallback::WhenBlank, WriteBack::ByCommand,
     SettingType::Real, "elevation point text height", "MLayerDefineEle, MLayerImportEle",
     "the text settings dialog of MLayerDefineEle"},
    {Setting::PointTextAngle, L"OEleTextAngle", L"0", Fallback::WhenBlank, WriteBack::ByCommand,
     SettingType::Degrees, "elevation point text angle, degrees 0 to 360",
     "MLayerDefineEle, MLayerImportEle", "the text settings dialog of MLayerDefineEle"},
    {Setting::ImportFormat, L"MLayerHFormat", L"1", Fallback::WhenMissing, WriteBack::ByCommand,
     SettingType::Integer, "import file format, 1 or 2", "MLayerImportEle",
     "MLayerImportEle, on confirmation"},
    {Setting::ElevationPrecision, L"paneeleprec", L"2", Fallback::WhenMissing, WriteBack::No,
     SettingType::Decimals, "decimals of elevations, corner texts and site totals",
     "MLayerCalPaneEle, MLayerCalPaneTuf, MLayerPickTufDraw, tufreport", nullptr},
    {Setting::VolumePrecision, L"tfcollectprec", L"2", Fallback::WhenMissing, WriteBack::No,
     SettingType::Decimals, "decimals of pane volumes and areas",
     "MLayerCalPaneTuf, MLayerPickTufDraw, tufreport", nullptr},
    {Setting::AnnotationPrecision, L"panetfprec", L"2", Fallback::WhenMissing, WriteBack::No,
     SettingType::Decimals, "decimals of volume annotations", "MLayerCalPaneTuf, MLayerPickTufDraw",
     nullptr},
    {Setting::ElevationTextColour, L"DimPtEleColor", L"173", Fallback::WhenEmpty,
     WriteBack::Default, SettingType::Colour, "colour of corner elevation texts and dimensions",
     "MLayerCalPaneEle, MLayerPickTufDraw", nullptr},
    {Setting::DesignTextColour, L"DimPtDesignEleColor", L"130", Fallback::WhenEmpty,
     WriteBack::Default, SettingType::Colour, "colour of a dimension's design elevation text",
     "MLayerPickTufDraw", nullptr},
    {Setting::DifferenceTextColour, L"DimPtVarEleColor", L"7", Fallback::WhenEmpty,
     WriteBack::Default, SettingType::Colour, "colour of a dimension's difference text",
     "MLayerPickTufDraw", nullptr},
    {Setting::TextHeight, L"TextHeight", L"2.5", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Real, "annotation height when the site gives none",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::FillTextColour, L"FieldTuFFillColor", L"2", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Colour, "colour of the fill annotation layer",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::CutTextColour, L"FieldTuFDigColor", L"173", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Colour, "colour of the cut annotation layer",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::SiteLayer, L"FieldLayer", L"场区", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Text, "layer stem of extracted site outlines", "MLayerPickTufDraw", nullptr},
    {Setting::SiteColour, L"FieldColor", L"1", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Colour, "colour of extracted site outlines", "MLayerPickTufDraw", nullptr},
    {Setting::PaneLayer, L"PaneLayer", L"方格", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Text, "layer stem of extracted panes", "MLayerPickTufDraw", nullptr},
    {Setting::PaneColour, L"PaneColor", L"2", Fallback::WhenEmpty, WriteBack::Default,
     SettingType::Colour, "colour of extracted panes and their labels", "MLayerPickTufDraw",
     nullptr},
    {Setting::SquareFamily, L"CALTUFMODE", L"2", Fallback::WhenBlank, WriteBack::No,
     SettingType::Integer,
     "formula family of square panes (0 user formulas, 2 zero distances, "
     "3 cubic, 4 four triangles, others squared sums)",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::TriangleMode, L"CALTUFTriMODE", L"2", Fallback::WhenBlank, WriteBack::No,
     SettingType::Integer,
     "formula mode of other panes (2 built-in, 1 solids, others the user "
     "formula)",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::UserFormula1, L"CalTuFFormula1", L"", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Formula, "user formula: square, all four corners on one side",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::UserFormula2, L"CalTuFFormula2", L"", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Formula, "user formula: square, two adjacent corners fill, two cut",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::UserFormula3, L"CalTuFFormula3", L"", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Formula, "user formula: square, one corner alone on its side",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::UserFormula4, L"CalTuFFormula4", L"", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Formula, "user formula: square, two opposite corners cut, two fill",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
    {Setting::UserFormula5, L"CalTuFFormula5", L"", Fallback::WhenEmpty, WriteBack::No,
     SettingType::Formula, "user formula: triangle of one sign",
     "MLayerCalPaneTuf, MLayerPickTufDraw", nullptr},
}};

constexpr const SettingRow& RowOf(Setting setting) {
    return kSettingsTable[static_cast<std::size_t>(setting)];
}

// The row of a setting name (exact, as stored), null when the plug-in has none.
const SettingRow* FindSetting(std::wstring_view name);

// The user formula setting of number 1 ... 5.
Setting UserFormulaSetting(int number);
