// Test helper: prints what shell links hold, read back through IShellLinkA.
// One line per link given: target|arguments|icon|icon index|working folder,
// in the ANSI code page; "error" when a link cannot be loaded.

#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>

namespace {

bool Print(IShellLinkA* link, const char* file) {
    IPersistFile* persist = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        return false;
    }
    WCHAR wide[MAX_PATH];
    const bool loaded = MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH) != 0 &&
                        SUCCEEDED(persist->Load(wide, STGM_READ));
    persist->Release();
    if (!loaded) return false;
    char target[MAX_PATH] = "", arguments[1024] = "", icon[MAX_PATH] = "", folder[MAX_PATH] = "";
    int index = -1;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, sizeof arguments);
    link->GetIconLocation(icon, MAX_PATH, &index);
    link->GetWorkingDirectory(folder, MAX_PATH);
    std::printf("%s|%s|%s|%d|%s\n", target, arguments, icon, index, folder);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        IShellLinkA* link = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link))) ||
            !Print(link, argv[i])) {
            std::printf("error\n");
            ++failures;
        }
        if (link) link->Release();
    }
    std::fflush(stdout);
    CoUninitialize();
    return failures;
}
