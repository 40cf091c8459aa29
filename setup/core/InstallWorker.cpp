#include "InstallWorker.h"

#include <vector>

#include "FileCopy.h"
#include "HostReleases.h"
#include "Paths.h"
#include "Shortcuts.h"

namespace setup {
namespace {

constexpr const char* kWowProductKey = "SOFTWARE\\Wow6432Node\\Brontavex\\QUARN\\V9";
constexpr const char* kLogFileError = "%s\n%s";
constexpr const char* kInstalledQuestion = "已经安装了本软件!\n是否重新安装?";
constexpr const char* kWarningCaption = "警告";

std::vector<DirEntry> ListFiles(FilePort& files, const std::string& folder,
                                const std::string& pattern) {
    std::vector<DirEntry> entries;
    unsigned error = 0;
    if (!files.List(folder, pattern, entries, error)) return {};
    std::erase_if(entries, [](const DirEntry& entry) { return entry.folder; });
    return entries;
}

int CountTree(FilePort& files, const std::string& folder) {
    const std::string path = NormalFolder(folder);
    if (path.empty()) return 0;
    std::vector<DirEntry> entries;
    unsigned error = 0;
    if (!files.List(path, "*.*", entries, error)) return 0;
    int count = 0;
    for (const DirEntry& entry : entries) {
        count += entry.folder ? CountTree(files, path + entry.name) : 1;
    }
    return count;
}

}  // namespace

const char* const kInstallFolders[7] = {"Support",  "Controls", "图框", "Data",
                                        "标准断面", "模板",     "Temp"};

InstallWorker::InstallWorker(Ports ports, const std::string& source, const std::string& destination)
    : m_context{ports, NormalFolder(source), NormalFolder(destination), {}, {0}} {}

bool InstallWorker::Run() {
    for (const char* folder : kInstallFolders) {
        if (!CopyTree(m_context, m_context.source + folder, m_context.destination + folder)) {
            m_context.ports.progress.Failed();
            return false;
        }
    }
    CopyTopLevelFiles();
    RegisterControls();
    WriteProductKeys();
    RegisterHostReleases(m_context.ports.registry, m_context.destination);
    WriteUninstallEntry(m_context);
    CreateShortcuts(m_context);
    WriteLogFile();
    m_context.ports.progress.Configuring();
    m_context.ports.progress.Finished();
    return true;
}

void InstallWorker::CopyTopLevelFiles() {
    FilePort& files = m_context.ports.files;
    for (const DirEntry& entry : ListFiles(files, m_context.source, "*.*")) {
        if (EqualsNoCase(entry.name, "setup.exe")) continue;
        const std::string target = m_context.destination + entry.name;
        files.CopyOver(m_context.source + entry.name, target);
        m_context.log.FileCopy(target);
        if (EqualsNoCase(entry.name, "QUARNV9.0.ico")) files.SetHidden(target);
    }
}

void InstallWorker::RegisterControls() {
    const std::string folder = m_context.destination + "Controls\\";
    for (const DirEntry& entry : ListFiles(m_context.ports.files, folder, "*.ocx")) {
        m_context.ports.shell.RegisterControl(folder + entry.name);
        m_context.log.RegCtrl(folder + entry.name);
    }
}

void InstallWorker::WriteProductKeys() {
    for (const char* key : {kProductKey, kWowProductKey}) {
        m_context.ports.registry.WriteString(Root::LocalMachine, key, "installPath",
                                             m_context.destination);
        m_context.log.RegDbKey(kLocalMachineCode, key);
    }
}

void InstallWorker::WriteLogFile() {
    FilePort& files = m_context.ports.files;
    const std::string path = JoinPath(m_context.destination, "Uninstall.log");
    m_context.log.FileCopy(path);
    if (files.Exists(path)) files.Delete(path);
    if (const unsigned error = files.WriteText(path, m_context.log.Text())) {
        m_context.ports.questions.Ask(
            Format(kLogFileError, files.ErrorText(error).c_str(), path.c_str()), Buttons::Ok);
        return;
    }
    files.SetHidden(path);
}

bool IsInstalled(RegistryPort& registry) {
    return registry.ReadString(Root::LocalMachine, kProductKey, "installPath").has_value();
}

bool ConfirmInstall(RegistryPort& registry, QuestionPort& questions) {
    return !IsInstalled(registry) ||
           questions.Ask(kInstalledQuestion, Buttons::YesNo, kWarningCaption) == Answer::Yes;
}

int CountInstallFiles(FilePort& files, const std::string& source) {
    const std::string folder = NormalFolder(source);
    if (folder.empty()) return 0;
    int count = 0;
    for (const char* name : kInstallFolders) count += CountTree(files, folder + name);
    return count + static_cast<int>(ListFiles(files, folder, "*.*").size());
}

int ProgressMaximum(int count) { return (count + 15) & 0xFFFF; }

}  // namespace setup
