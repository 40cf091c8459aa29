#include "FileCopy.h"

#include <vector>

#include "Paths.h"

namespace setup {
namespace {

constexpr const char* kMissingSource =
    "%s\n找不到安装文件的路径 %s，\n点击“重试”按钮试图重新查找该安装文件路径；\n"
    "点击“忽略”按钮将跳过该路径下的操作并继续执行；\n点击“取消”按钮将终止程序运行。";
constexpr const char* kFolderRefused =
    "%s\n不能创建文件夹 %s ，\n点击“重试”按钮试图重新创建文件夹；\n点击“取消”按钮将终止程序运行。";

// CreateDirectoryA refuses longer paths (MAX_PATH less room for an 8.3 name);
// such a folder gets the same question, naming it, on every system.
constexpr std::size_t kMaxFolderPath = 248;
constexpr unsigned kErrorFilenameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

unsigned CreateFolder(FilePort& files, const std::string& folder) {
    if (folder.size() >= kMaxFolderPath) return kErrorFilenameTooLong;
    return files.MakeFolder(folder);
}

// The entries of `folder`, asking Retry/Ignore/Abort while it cannot be
// searched. False on Abort; Ignore leaves `entries` empty.
bool ListSource(InstallContext& context, const std::string& folder,
                std::vector<DirEntry>& entries) {
    FilePort& files = context.ports.files;
    unsigned error = 0;
    while (!files.List(folder, "*.*", entries, error)) {
        entries.clear();
        const std::string question =
            Format(kMissingSource, files.ErrorText(error).c_str(), folder.c_str());
        switch (context.ports.questions.Ask(question, Buttons::AbortRetryIgnore)) {
            case Answer::Retry:
                continue;
            case Answer::Ignore:
                return true;
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

bool MakeDirChain(InstallContext& context, const std::string& path) {
    context.log.MadeDir(path);
    FilePort& files = context.ports.files;
    for (const std::string& folder : FolderPrefixes(path)) {
        if (files.Exists(folder)) continue;
        unsigned error = 0;
        while ((error = CreateFolder(files, folder)) != 0) {
            const std::string question =
                Format(kFolderRefused, files.ErrorText(error).c_str(), folder.c_str());
            if (context.ports.questions.Ask(question, Buttons::RetryCancel) != Answer::Retry) {
                return false;
            }
        }
    }
    return true;
}

bool CopyTree(InstallContext& context, const std::string& source, const std::string& destination) {
    const std::string from = WithBackslash(source);
    std::vector<DirEntry> entries;
    if (!ListSource(context, from, entries)) return false;
    if (!MakeDirChain(context, destination)) return false;
    FilePort& files = context.ports.files;
    for (const DirEntry& entry : entries) {
        const std::string sourceEntry = from + entry.name;
        const std::string destinationEntry = JoinPath(destination, entry.name);
        if (entry.folder) {
            if (!CopyTree(context, sourceEntry, destinationEntry)) return false;
        } else if (files.CopyOver(sourceEntry, destinationEntry)) {
            files.SetNormal(destinationEntry);
            context.log.FileCopy(destinationEntry);
        }
        context.ports.progress.Progress(sourceEntry, destinationEntry);
        if (context.cancelRequest.load() != 0) return false;
    }
    return true;
}

}  // namespace setup
