#include "PaneSettings.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct FamilyCase {
    std::optional<std::wstring> text;
    SquareFamily family;
};

TEST(PaneSettings, SquareFamilyFromCaltufmode) {
    const FamilyCase cases[] = {
        {std::nullopt, SquareFamily::ZeroDistance}, {L"", SquareFamily::ZeroDistance},
        {L"  ", SquareFamily::ZeroDistance},        {L"0", SquareFamily::UserFormulas},
        {L"abc", SquareFamily::UserFormulas},       {L"1", SquareFamily::SquaredSum},
        {L"5", SquareFamily::SquaredSum},           {L"-3", SquareFamily::SquaredSum},
        {L"2", SquareFamily::ZeroDistance},         {L" 3 ", SquareFamily::Cubic},
        {L"4", SquareFamily::FourTriangles},
    };
    for (const FamilyCase& c : cases) {
        MapSettingsReader settings;
        if (c.text) settings.set(L"CALTUFMODE", *c.text);
        EXPECT_EQ(ReadSquareFamily(settings), c.family) << (c.text ? *c.text : L"<absent>");
    }
}

TEST(PaneSettings, TriangleModeFromCaltuftrimode) {
    const std::pair<std::optional<std::wstring>, TriangleMode> cases[] = {
        {std::nullopt, TriangleMode::BuiltIn}, {L" ", TriangleMode::BuiltIn},
        {L"2", TriangleMode::BuiltIn},         {L"1", TriangleMode::Geometric},
        {L" 1", TriangleMode::Geometric},      {L"0", TriangleMode::UserFormula},
        {L"3", TriangleMode::UserFormula},     {L"x", TriangleMode::UserFormula},
    };
    for (const auto& [text, mode] : cases) {
        MapSettingsReader settings;
        if (text) settings.set(L"CALTUFTriMODE", *text);
        EXPECT_EQ(ReadTriangleMode(settings), mode) << (text ? *text : L"<absent>");
    }
}

TEST(PaneSettings, UserFormulasByNumber) {
    MapSettingsReader settings;
    settings.set(L"CalTuFFormula3", L"[+V=x]");
    EXPECT_EQ(ReadUserFormula(settings, 3), L"[+V=x]");
    EXPECT_EQ(ReadUserFormula(settings, 5), L"");
}

}  // namespace
