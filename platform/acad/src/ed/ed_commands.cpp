// The command stack: named groups of commands, looked up by typed name.
#include <algorithm>
#include <cwctype>

#include "aced.h"
#include "ed_services.h"
#include "wcrt.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

struct AcEdCommandStack::Group {
    std::wstring name;
    std::vector<std::unique_ptr<AcEdCommand>> commands;  // in the order added
};

namespace {

bool sameName(const std::wstring& a, const ACHAR* b) { return _wcsicmp(a.c_str(), b) == 0; }

// A command or group name: not empty, no blanks.
bool validName(const ACHAR* name) {
    if (name == nullptr || *name == 0) return false;
    for (const ACHAR* p = name; *p != 0; ++p)
        if (std::iswspace(static_cast<wint_t>(*p))) return false;
    return true;
}

}  // namespace

AcEdCommand::AcEdCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                         Adesk::Int32 flags, AcRxFunctionPtr function, AcEdUIContext* uiContext,
                         int functionCode, HINSTANCE resourceHandle)
    : mGroupName(groupName),
      mGlobalName(globalName),
      mLocalName(localName),
      mFlags(flags),
      mFunction(function),
      mUIContext(uiContext),
      mFunctionCode(functionCode),
      mResourceHandle(resourceHandle) {}

AcEdCommandStack::AcEdCommandStack() = default;
AcEdCommandStack::~AcEdCommandStack() = default;

AcEdCommandStack::Group* AcEdCommandStack::findGroup(const ACHAR* name) const {
    if (name == nullptr) return nullptr;
    for (const auto& g : mGroups)
        if (sameName(g->name, name)) return g.get();
    return nullptr;
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* cmdGroupName,
                                               const ACHAR* cmdGlobalName,
                                               const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr functionAddr,
                                               AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet) {
    if (cmdPtrRet != nullptr) *cmdPtrRet = nullptr;
    if (cmdLocalName == nullptr) cmdLocalName = cmdGlobalName;
    if (!validName(cmdGroupName) || !validName(cmdGlobalName) || !validName(cmdLocalName) ||
        functionAddr == nullptr)
        return Acad::eInvalidInput;
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr) {
        mGroups.insert(mGroups.begin(), std::make_unique<Group>());
        group = mGroups.front().get();
        group->name = cmdGroupName;
    }
    for (const auto& c : group->commands)
        if (sameName(c->globalName(), cmdGlobalName)) return Acad::eDuplicateKey;
    group->commands.push_back(
        std::make_unique<AcEdCommand>(cmdGroupName, cmdGlobalName, cmdLocalName, commandFlags,
                                      functionAddr, UIContext, fcode, hResourceHandle));
    if (cmdPtrRet != nullptr) *cmdPtrRet = group->commands.back().get();
    return Acad::eOk;
}

AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const ACHAR* cmdName) {
    return lookupCmd(cmdName, true);
}

AcEdCommand* AcEdCommandStack::lookupLocalCmd(const ACHAR* cmdName) {
    return lookupCmd(cmdName, false);
}

AcEdCommand* AcEdCommandStack::lookupCmd(const ACHAR* cmdName, bool globalFlag, bool /*allGroups*/,
                                         bool skipUndefed) {
    if (cmdName == nullptr) return nullptr;
    for (const auto& g : mGroups) {
        for (const auto& c : g->commands) {
            if (skipUndefed && (c->commandFlags() & ACRX_CMD_UNDEFINED) != 0) continue;
            const ACHAR* name = globalFlag ? c->globalName() : c->localName();
            if (_wcsicmp(name, cmdName) == 0) return c.get();
        }
    }
    return nullptr;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* cmdGroupName,
                                              const ACHAR* cmdGlobalName) {
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr || cmdGlobalName == nullptr) return Acad::eKeyNotFound;
    auto& list = group->commands;
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const auto& c) { return sameName(c->globalName(), cmdGlobalName); });
    if (it == list.end()) return Acad::eKeyNotFound;
    list.erase(it);
    if (list.empty()) removeGroup(cmdGroupName);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* groupName) {
    auto it = std::find_if(mGroups.begin(), mGroups.end(), [&](const auto& g) {
        return groupName != nullptr && sameName(g->name, groupName);
    });
    if (it == mGroups.end()) return Acad::eKeyNotFound;
    mGroups.erase(it);
    return Acad::eOk;
}

std::vector<std::wstring> AcEdCommandStack::groupNames() const {
    std::vector<std::wstring> names;
    for (const auto& g : mGroups) names.push_back(g->name);
    return names;
}

void AcEdCommandStack::removeCommandsIf(const std::function<bool(const AcEdCommand&)>& pick) {
    for (auto& g : mGroups) std::erase_if(g->commands, [&](const auto& c) { return pick(*c); });
    std::erase_if(mGroups, [](const auto& g) { return g->commands.empty(); });
}

AcEdCommandStack* acedRegCmdsPtr() {
    acrxHostRegisterServices();
    return AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}
