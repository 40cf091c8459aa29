#include "SettingsTable.h"

#include <algorithm>
#include <cassert>

namespace {

constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < kSettingsTable.size(); ++i)
        if (static_cast<std::size_t>(kSettingsTable[i].id) != i) return false;
    return true;
}
static_assert(RowsInOrder(), "kSettingsTable lists the settings in the order of Setting");

}  // namespace

const SettingRow* FindSetting(std::wstring_view name) {
    const auto it = std::find_if(kSettingsTable.begin(), kSettingsTable.end(),
                                 [&](const SettingRow& row) { return name == row.name; });
    return it == kSettingsTable.end() ? nullptr : &*it;
}

Setting UserFormulaSetting(int number) {
    assert(number >= 1 && number <= 5);
    return static_cast<Setting>(static_cast<int>(Setting::UserFormula1) + number - 1);
}
