#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "SettingsReader.h"
#include "wcrt.h"

namespace {

struct ReadCase {
    Setting setting;
    std::optional<std::wstring> stored;
    std::wstring text;                      // what the command gets
    std::optional<std::wstring> afterward;  // what is stored after the read
};

TEST(ReadSetting, DefaultsAndWriteBackFollowTheTable) {
    const ReadCase cases[] = {
        // Missing or empty: the default, written back when the row says so.
        {Setting::PointLayer, std::nullopt, L"多层标高", L"多层标高"},
        {Setting::PointLayer, L"", L"多层标高", L"多层标高"},
        {Setting::PointLayer, L" ", L" ", L" "},
        {Setting::FillTextColour, std::nullopt, L"2", L"2"},
        {Setting::PaneLayer, std::nullopt, L"方格", std::nullopt},
        {Setting::PaneColour, L"", L"2", L"2"},
        // Blank counts as missing and texts are trimmed; nothing is written.
        {Setting::SquareFamily, L"  ", L"2", L"  "},
        {Setting::SquareFamily, L" 3 ", L"3", L" 3 "},
        {Setting::PointTextHeight, std::nullopt, L"2.5", std::nullopt},
        // Only a value that cannot be read gives way to the default.
        {Setting::ElevationPrecision, std::nullopt, L"2", std::nullopt},
        {Setting::ElevationPrecision, L"", L"", L""},
        {Setting::ImportFormat, std::nullopt, L"1", std::nullopt},
        {Setting::UserFormula5, std::nullopt, L"", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        const std::wstring name = RowOf(c.setting).name;
        MapSettingsReader settings;
        if (c.stored) settings.set(name, *c.stored);
        EXPECT_EQ(SettingText(settings, c.setting), c.text) << name;
        EXPECT_EQ(ReadSetting(settings, c.setting), c.text) << name;
        EXPECT_EQ(settings.value(name), c.afterward) << name;
    }
}

TEST(PrecisionFormat, CountWithinZeroToSixteen) {
    const std::pair<std::optional<std::wstring>, std::wstring> cases[] = {
        {std::nullopt, L"%0.2f"}, {L"3", L"%0.3f"},  {L"", L"%0.0f"},
        {L"x", L"%0.0f"},         {L"-1", L"%0.0f"}, {L"99", L"%0.16f"},
    };
    for (const auto& [stored, format] : cases) {
        MapSettingsReader settings;
        if (stored) settings.set(L"panetfprec", *stored);
        EXPECT_EQ(PrecisionFormat(settings, Setting::AnnotationPrecision), format);
    }
}

TEST(SettingsTable, NamesAreFoundAndUnique) {
    for (const SettingRow& row : kSettingsTable) EXPECT_EQ(FindSetting(row.name), &row);
    EXPECT_EQ(FindSetting(L"CalTuFFormula6"), nullptr);
    EXPECT_EQ(UserFormulaSetting(3), Setting::UserFormula3);
}

// ---------------------------------------------------------------- docs/settings.md

const char* TypeText(SettingType type) {
    switch (type) {
        case SettingType::Text:
            return "text";
        case SettingType::Integer:
            return "integer";
        case SettingType::Real:
            return "real";
        case SettingType::Degrees:
            return "degrees";
        case SettingType::Colour:
            return "colour index";
        case SettingType::Decimals:
            return "decimals";
        case SettingType::Formula:
            return "formula";
    }
    return "";
}

const char* FallbackText(Fallback fallback) {
    switch (fallback) {
        case Fallback::WhenEmpty:
            return "missing or empty";
        case Fallback::WhenBlank:
            return "missing or blank";
        case Fallback::WhenMissing:
            return "missing";
    }
    return "";
}

std::string WriteBackText(const SettingRow& row) {
    switch (row.writeBack) {
        case WriteBack::No:
            return "no";
        case WriteBack::Default:
            return "the default";
        case WriteBack::ByCommand:
            return std::string("by ") + row.writer;
    }
    return "";
}

std::string TableOfSettings() {
    std::ostringstream out;
    out << "| Value | Meaning | Type | Default | Default when | Written back | Read by |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (const SettingRow& row : kSettingsTable) {
        const std::string fallback =
            *row.fallback ? "\"" + wcrtToUtf8(row.fallback) + "\"" : "empty";
        out << "| `" << wcrtToUtf8(row.name) << "` | " << row.meaning << " | " << TypeText(row.type)
            << " | " << fallback << " | " << FallbackText(row.fallbackWhen) << " | "
            << WriteBackText(row) << " | " << row.commands << " |\n";
    }
    return out.str();
}

// The lines between the two markers of the page.
std::string DocumentedTable(const std::filesystem::path& page) {
    std::ifstream in(page);
    std::string line, table;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.starts_with("<!-- settings table end")) break;
        if (inside) table += line + "\n";
        if (line.starts_with("<!-- settings table begin")) inside = true;
    }
    return table;
}

TEST(SettingsTable, DocsShowTheSameTable) {
    EXPECT_EQ(DocumentedTable(std::filesystem::path(KAVREL_SOURCE_DIR) / "docs/settings.md"),
              TableOfSettings())
        << "docs/settings.md differs from the settings table; the table above is the one to copy";
}

}  // namespace
