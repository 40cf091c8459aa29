#include "Shortcuts.h"

#include "FileCopy.h"
#include "HostReleases.h"
#include "Paths.h"

namespace setup {
namespace {

constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9";
constexpr const char* kDisplayName = "土方计算地形分析软件 QUARN V9.0";
constexpr const char* kGroupName = "土方计算地形分析软件 QUARN V9.0";
constexpr const char* kStartArguments = "/p \"<<QUARN V9>>\" /t acad.dwt";

struct ShellFolderSource {
    Root root;
    const char* key;
    const char* desktop;
    const char* programs;
};

constexpr ShellFolderSource kShellFolderSources[] = {
    {Root::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Desktop", "Programs"},
    {Root::CurrentUser, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders",
     "Desktop", "Programs"},
    {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Common Desktop", "Common Programs"},
    {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders",
     "Common Desktop", "Common Programs"},
};

}  // namespace

std::optional<ShellFolders> FindShellFolders(RegistryPort& registry) {
    for (const ShellFolderSource& source : kShellFolderSources) {
        auto desktop = registry.ReadString(source.root, source.key, source.desktop);
        auto programs = registry.ReadString(source.root, source.key, source.programs);
        if (desktop && programs) {
            return ShellFolders{WithBackslash(Trim(*desktop)), WithBackslash(Trim(*programs))};
        }
    }
    return std::nullopt;
}

std::string ProgramGroup(const ShellFolders& folders) {
    return JoinPath(folders.programs, kGroupName);
}

std::vector<Shortcut> PlanShortcuts(RegistryPort& registry, const std::string& destination,
                                    const ShellFolders& folders) {
    const std::string group = ProgramGroup(folders);
    const std::string program = destination + "QUARN-64.exe";
    std::vector<Shortcut> shortcuts = {
        {folders.desktop, "土方计算地形分析.LNK", program, "", ""},
        {group, "QUARN V9.0.LNK", program, "", ""},
    };
    const std::string icon = JoinPath(destination, "QUARNV9.0.ICO");
    for (const HostRelease& release : kHostReleaseTable) {
        const HostDetection host = DetectHostReleaseAnyView(registry, release);
        if (!host.found) continue;
        shortcuts.push_back({destination, Format("QUARNfor%d.LNK", release.shortcutYear),
                             JoinPath(host.location, "acad.exe"), kStartArguments, icon});
    }
    shortcuts.push_back({group, "官方网站.LNK", destination + "quarn.url", "", ""});
    shortcuts.push_back(
        {group, "QUARN V9.0 卸载程序.LNK", destination + "Uninstall-64.exe", "", ""});
    return shortcuts;
}

void WriteUninstallEntry(InstallContext& context) {
    RegistryPort& registry = context.ports.registry;
    registry.WriteString(Root::LocalMachine, kUninstallKey, "DisplayName", kDisplayName);
    registry.WriteString(Root::LocalMachine, kUninstallKey, "UninstallString",
                         context.destination + "Uninstall-64.exe");
    context.log.RegDbKey(kLocalMachineCode, kUninstallKey);
}

bool CreateShortcuts(InstallContext& context) {
    const auto folders = FindShellFolders(context.ports.registry);
    if (!folders) return false;
    const std::string group = ProgramGroup(*folders);
    // A refused program group ends only the folder step.
    MakeDirChain(context, group);
    for (const Shortcut& shortcut :
         PlanShortcuts(context.ports.registry, context.destination, *folders)) {
        const std::string link = JoinPath(shortcut.folder, shortcut.file);
        context.ports.files.Delete(link);
        if (context.ports.shell.CreateShellLink(context.destination, link, shortcut.target,
                                                shortcut.arguments, shortcut.icon)) {
            context.log.FileCopy(link);
        }
    }
    context.log.FileCopy(group);
    return true;
}

}  // namespace setup
