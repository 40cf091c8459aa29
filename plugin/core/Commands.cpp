#include "Commands.h"

#include <array>

#include "CommandBodies.h"
#include "acutads.h"

namespace {

template <size_t I>
void CommandShell();

// Name, banner and body of each command, in registration order.
const std::array<CommandEntry, 6> kCommands = {{
    {L"MLayerDefineEle", L"\n多层土方计算_定义标高:", RunDefineElevations, CommandShell<0>},
    {L"MLayerImportEle", L"\n多层土方计算_导入标高:", RunImportElevations, CommandShell<1>},
    {L"MLayerModifyEle", L"\n多层土方计算_修改标高:", RunModifyElevations, CommandShell<2>},
    {L"MLayerCalPaneEle", L"\n多层土方计算_计算标高:", RunCornerElevations, CommandShell<3>},
    {L"MLayerCalPaneTuf", L"\n多层土方计算_计算土方:", RunEarthwork, CommandShell<4>},
    {L"MLayerPickTufDraw", L"\n多层土方计算_提取层土方图:", RunLayerDrawingExtraction,
     CommandShell<5>},
}};

template <size_t I>
void CommandShell() {
    acutPrintf(L"%s", kCommands[I].banner);
    try {
        kCommands[I].body();
    } catch (...) {
        // A body reports its own problems; whatever escapes it ends the
        // command here instead of crossing into the host.
    }
}

}  // namespace

std::span<const CommandEntry> PluginCommands() { return kCommands; }

void RegisterPluginCommands() {
    for (const CommandEntry& c : kCommands)
        acedRegCmds->addCommand(kCommandGroup, c.name, c.name, kCommandFlags, c.shell, nullptr, -1,
                                nullptr, nullptr);
}

void RemovePluginCommands() { acedRegCmds->removeGroup(kCommandGroup); }
