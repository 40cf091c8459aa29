// The plug-in's interface to the suite's helper modules QUARNArxBase.arx and
// QUARNArxApply.arx, which the host loads before the plug-in and which the
// plug-in is linked against by name.
#pragma once

#include "QUARNArxApply.h"
#include "QUARNArxBase.h"

// Registry key (under the current user) of the product's settings.
inline constexpr const ACHAR* kQuarnSettingsKey = L"SOFTWARE\\Brontavex\\QUARN\\V9";

// Module names as the host lists loaded modules.
inline constexpr const ACHAR* kQuarnBaseModule = L"QUARNARXBASE.ARX";
inline constexpr const ACHAR* kQuarnApplyModule = L"QUARNARXAPPLY.ARX";
