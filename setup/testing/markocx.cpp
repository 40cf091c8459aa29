// Test helper: a control library whose registration entry leaves a mark, the
// file "<library path>.registered" holding "registered".
#include <windows.h>

namespace {
HMODULE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    char path[MAX_PATH + 16];
    const DWORD size = GetModuleFileNameA(g_module, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) return E_FAIL;
    lstrcatA(path, ".registered");
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return E_FAIL;
    DWORD written = 0;
    WriteFile(file, "registered", 10, &written, nullptr);
    CloseHandle(file);
    return S_OK;
}
