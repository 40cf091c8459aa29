#include "SlideShow.h"

#include <ole2.h>
#include <olectl.h>

#include "WizardRules.h"

namespace setup {
namespace {

// The picture file through OLE picture loading; null on failure.
IPicture* LoadPicture(const std::string& file) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    const DWORD size = GetFileSize(handle, nullptr);
    HGLOBAL memory =
        size != INVALID_FILE_SIZE && size > 0 ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    DWORD read = 0;
    bool loaded = false;
    if (memory) {
        void* bytes = GlobalLock(memory);
        loaded = ReadFile(handle, bytes, size, &read, nullptr) && read == size;
        GlobalUnlock(memory);
    }
    CloseHandle(handle);
    IStream* stream = nullptr;
    if (!loaded || FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture)))) {
        picture = nullptr;
    }
    stream->Release();
    return picture;
}

}  // namespace

std::vector<std::string> FindSlides(const std::string& folder) {
    std::vector<std::string> slides;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*.jpg").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return slides;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == ".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        slides.push_back(folder + name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return slides;
}

HBITMAP PrepareSlide(HDC dc, const std::string& file) {
    IPicture* picture = LoadPicture(file);
    if (!picture) return nullptr;
    OLE_HANDLE handle = 0;
    BITMAP info = {};
    const bool isBitmap = SUCCEEDED(picture->get_Handle(&handle)) &&
                          GetObjectA(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)),
                                     sizeof info, &info) == sizeof info &&
                          info.bmWidth > 0 && info.bmHeight > 0;
    if (!isBitmap) {
        picture->Release();
        return nullptr;
    }
    HBITMAP source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    HDC from = CreateCompatibleDC(dc);
    HDC to = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, kCanvasWidth, kCanvasHeight);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, canvas);

    RECT all = {0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(to, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
    FrameRect(to, &all, grey);
    DeleteObject(grey);
    // The whole picture is scaled into its box: stretching it to the canvas
    // first and cutting the box out of that would distort it and drop the
    // picture's lower or right part.
    const Box box = SlideBox(info.bmWidth, info.bmHeight);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, box.x, box.y, box.width, box.height, from, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);

    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    picture->Release();
    return canvas;
}

}  // namespace setup
