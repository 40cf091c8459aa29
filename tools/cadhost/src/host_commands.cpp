#include "host_commands.h"

#include "acdocman.h"
#include "aced.h"
#include "acedhost.h"
#include "dbmain.h"
#include "dxf_database.h"
#include "giRenderSvg.h"
#include "wcrt.h"

namespace {

// Longest file name typed at a prompt.
constexpr size_t kPathBuffer = 4096;

// Asks for a file name; Enter gives `fallback`. False on Escape or nothing given.
bool askPath(const wchar_t* prompt, const std::wstring& fallback, std::wstring& path) {
    std::wstring buffer(kPathBuffer, L'\0');
    const int rc = acedGetString(1, prompt, buffer.data(), buffer.size());
    if (rc != RTNORM) return false;
    path = buffer.c_str();
    if (path.empty()) path = fallback;
    return !path.empty();
}

// A host command that cannot do its work: the user is told, a batch run stops.
void failed(const std::wstring& message) {
    acutPrintf(L"\n%s", message.c_str());
    acedHostFail(message);
}

void openCommand() {
    std::wstring path;
    if (!askPath(L"\nEnter name of drawing to open: ", L"", path)) return;
    std::wstring error;
    std::unique_ptr<AcDbDatabase> db = cadhostReadDrawing(path, error);
    if (db == nullptr) return failed(error);
    acDocManager->addDocument(std::move(db), path);
    acutPrintf(L"\nOpened %s.", path.c_str());
}

void saveCommand() {
    AcApDocument* doc = curDoc();
    if (doc == nullptr) return failed(L"No drawing is open.");
    const std::wstring current = doc->fileName();
    const std::wstring prompt =
        current.empty() ? L"\nSave drawing as: " : L"\nSave drawing as <" + current + L">: ";
    std::wstring path;
    if (!askPath(prompt.c_str(), current, path)) return;
    std::wstring error;
    if (!cadhostWriteDrawing(doc, path, error)) return failed(error);
    acutPrintf(L"\nSaved %s.", path.c_str());
}

// The current drawing is closed without saving; the most recently opened
// remaining one becomes current.
void closeCommand() {
    AcApDocument* doc = curDoc();
    if (doc == nullptr) return failed(L"No drawing is open.");
    const std::wstring title = doc->docTitle();
    acDocManager->closeDocument(doc);
    acutPrintf(L"\nClosed %s.", title.c_str());
}

void svgCommand() {
    AcApDocument* doc = curDoc();
    std::wstring path;
    if (doc == nullptr || !askPath(L"\nEnter SVG file name: ", L"", path)) return;
    std::wstring error;
    if (!cadhostWritePicture(doc, path, error)) return failed(error);
    acutPrintf(L"\nWrote %s.", path.c_str());
}

void listCommand() {
    ads_name ss;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return;
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name ent;
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        if (acedSSName(ss, i, ent) != RTNORM || acdbGetObjectId(id, ent) != Acad::eOk) continue;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        entity->list();
        entity->close();
    }
    acedSSFree(ss);
}

// Reads a point in the current user system and gives it in world coordinates.
int askWorldPoint(const wchar_t* prompt, const wchar_t* keywords, AcGePoint3d& world) {
    acedInitGet(0, keywords);
    ads_point p;
    const int rc = acedGetPoint(nullptr, prompt, p);
    if (rc == RTNORM) world = acedHostUcsToWcs({p[X], p[Y], p[Z]});
    return rc;
}

// UCS: a new origin, then optionally a point on the x axis and one in the xy plane.
void ucsCommand() {
    const AcEdUcs old = acedHostUcs();
    AcGePoint3d origin;
    int rc = askWorldPoint(L"\nSpecify origin of UCS or [World] <World>: ", L"World", origin);
    if (rc == RTNONE || rc == RTKWORD) {
        acedHostSetUcs(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis);
        return;
    }
    if (rc != RTNORM) return;
    AcGeVector3d xAxis = old.xAxis;
    AcGeVector3d yAxis = old.yAxis;
    AcGePoint3d onX;
    rc = askWorldPoint(L"\nSpecify point on X-axis <accept>: ", L"", onX);
    if (rc == RTCAN) return;
    if (rc == RTNORM) xAxis = onX - origin;
    AcGePoint3d onPlane;
    rc = askWorldPoint(L"\nSpecify point on the XY plane <accept>: ", L"", onPlane);
    if (rc == RTCAN) return;
    // Without a plane point the y axis turns with the x axis about the old z axis.
    yAxis = rc == RTNORM ? onPlane - origin : old.xAxis.crossProduct(old.yAxis).crossProduct(xAxis);
    if (!acedHostSetUcs(origin, xAxis, yAxis))
        failed(L"The points do not define a coordinate system.");
}

void quitCommand() { acedHostRequestQuit(); }

struct HostCommand {
    const wchar_t* name;
    void (*function)();
};

const HostCommand kCommands[] = {
    {L"OPEN", openCommand},   {L"SAVE", saveCommand}, {L"SAVEAS", saveCommand},
    {L"CLOSE", closeCommand}, {L"LIST", listCommand}, {L"SVG", svgCommand},
    {L"UCS", ucsCommand},     {L"QUIT", quitCommand}, {L"EXIT", quitCommand},
};

}  // namespace

void cadhostAddCommands() {
    for (const HostCommand& c : kCommands) acedHostAddBuiltinCommand(c.name, c.function);
}

std::unique_ptr<AcDbDatabase> cadhostReadDrawing(const std::wstring& path, std::wstring& error) {
    auto db = std::make_unique<AcDbDatabase>();
    if (db->dxfIn(path.c_str()) == Acad::eOk) return db;
    error = L"Cannot open drawing \"" + path + L"\": " + dxfLastErrorMessage();
    return nullptr;
}

bool cadhostWriteDrawing(AcApDocument* doc, const std::wstring& path, std::wstring& error) {
    if (doc->database()->dxfOut(path.c_str()) != Acad::eOk) {
        error = L"Cannot save drawing \"" + path + L"\": " + dxfLastErrorMessage();
        return false;
    }
    doc->setFileName(path);
    return true;
}

bool cadhostWritePicture(AcApDocument* doc, const std::wstring& path, std::wstring& error,
                         bool darkBackground) {
    AcGiSvgOptions options;
    options.darkBackground = darkBackground;
    if (acgiWriteSvg(doc->database(), wcrtToUtf8(path), options) == Acad::eOk) return true;
    error = L"Cannot write picture \"" + path + L"\"";
    return false;
}
