#include "Win32Shell.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

namespace setup {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
struct ComRef {
    Interface* pointer = nullptr;
    ~ComRef() {
        if (pointer) pointer->Release();
    }
};

bool SaveLink(IShellLinkA* link, const std::string& linkFile) {
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.pointer)))) {
        return false;
    }
    // A path that does not fit MAX_PATH wide characters is refused, not cut.
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH) == 0) return false;
    return SUCCEEDED(file.pointer->Save(wide, TRUE));
}

}  // namespace

bool Win32Shell::CreateShellLink(const std::string& workingFolder, const std::string& linkFile,
                                 const std::string& target, const std::string& arguments,
                                 const std::string& icon) {
    // Every call joins the thread to COM; a repeated call is harmless.
    CoInitialize(nullptr);
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.pointer)))) {
        return false;
    }
    link.pointer->SetPath(target.c_str());
    if (!arguments.empty()) link.pointer->SetArguments(arguments.c_str());
    if (!icon.empty()) link.pointer->SetIconLocation(icon.c_str(), 0);
    link.pointer->SetWorkingDirectory(workingFolder.c_str());
    return SaveLink(link.pointer, linkFile);
}

void Win32Shell::RegisterControl(const std::string& path) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) return;
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    if (entry) entry();
    FreeLibrary(library);
}

}  // namespace setup
