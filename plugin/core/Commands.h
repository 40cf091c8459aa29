// The plug-in's commands: all in the group "VELMORAMLAYER", each a shell that
// prints its banner and runs its body.
#pragma once

#include <span>

#include "aced.h"

inline constexpr const ACHAR* kCommandGroup = L"VELMORAMLAYER";
// ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET.
inline constexpr Adesk::Int32 kCommandFlags = 3;

struct CommandEntry {
    const ACHAR* name;    // global and local name
    const ACHAR* banner;  // printed first
    void (*body)();
    AcRxFunctionPtr shell;  // the function the host calls
};

// The six commands in the order they are registered.
std::span<const CommandEntry> PluginCommands();

// Adds the commands to the host's command stack in table order.
void RegisterPluginCommands();
// Removes the whole group.
void RemovePluginCommands();
