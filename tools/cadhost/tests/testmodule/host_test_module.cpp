// A small module for the host's tests: it registers commands in the group
// "HOSTTEST" that prompt with keywords, pick entities, select by extended
// data, drag, and loop until a user break; it watches documents close.
#include "acdocman.h"
#include "aced.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "rxdlinkr.h"

#ifndef HOST_TEST_API_VERSION
#define HOST_TEST_API_VERSION ACRX_API_VERSION
#endif

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() {
    return HOST_TEST_API_VERSION;
}

namespace {

const ACHAR* const kGroup = L"HOSTTEST";

void printHandle(const ads_name ent) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return;
    ACHAR handle[17];
    id.handle().getIntoAsciiBuffer(handle);
    AcDbEntity* entity = nullptr;
    const ACHAR* type = L"?";
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
        type = entity->isA()->name();
        entity->close();
    }
    acutPrintf(L"\nentity %s %s", type, handle);
}

// Keywords and points, with the point shown in user and world coordinates.
void keywordCommand() {
    for (;;) {
        acedInitGet(0, L"Set All ");
        ads_point p;
        const int rc = acedGetPoint(nullptr, L"\nPick a point [Set<S>/All<A>]: ", p);
        if (rc == RTKWORD) {
            ACHAR keyword[133];
            acedGetInput(keyword);
            acutPrintf(L"\nkeyword %s", keyword);
            if (keyword[0] == L'A') return;
            continue;
        }
        if (rc != RTNORM) {
            acutPrintf(L"\nresult %d", rc);
            return;
        }
        ads_point w;
        acdbUcs2Wcs(p, w, false);
        acutPrintf(L"\npoint %G,%G world %G,%G", p[X], p[Y], w[X], w[Y]);
    }
}

void integerCommand() {
    int value = 1;
    const int rc = acedGetInt(L"\nHow many <1>: ", &value);
    acutPrintf(L"\ninteger %d result %d", value, rc);
}

void pickCommand() {
    ads_name ent;
    ads_point p;
    const int rc = acedEntSel(L"\nSelect object: ", ent, p);
    if (rc == RTNORM)
        printHandle(ent);
    else
        acutPrintf(L"\nresult %d", rc);
}

// Every entity carrying the extended data of the application typed.
void xdataCommand() {
    ACHAR app[133];
    if (acedGetString(0, L"\nApplication: ", app) != RTNORM) return;
    resbuf* filter = acutBuildList(-3, 1001, app, 0);
    ads_name ss;
    const int rc = acedSSGet(L"X", nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    if (rc != RTNORM) {
        acutPrintf(L"\nnone selected");
        return;
    }
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    acutPrintf(L"\n%d selected", n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name ent;
        if (acedSSName(ss, i, ent) == RTNORM) printHandle(ent);
    }
    acedSSFree(ss);
}

int dragTransform(ads_point pt, ads_matrix mt) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) mt[r][c] = r == c ? 1.0 : 0.0;
    mt[0][3] = pt[X];
    mt[1][3] = pt[Y];
    acutPrintf(L"\npreview %G,%G", pt[X], pt[Y]);
    return RTNORM;
}

void dragCommand() {
    ads_name ss;
    if (acedSSGet(L"X", nullptr, nullptr, nullptr, ss) != RTNORM) return;
    ads_point p;
    const int rc = acedDragGen(ss, L"\nInsertion point: ", 0, dragTransform, p);
    acedSSFree(ss);
    if (rc == RTNORM)
        acutPrintf(L"\ndropped %G,%G", p[X], p[Y]);
    else
        acutPrintf(L"\nresult %d", rc);
}

// Counts to 100 under the progress meter, stopping on a user break.
void loopCommand() {
    acedSetStatusBarProgressMeter(L"Counting...", 0, 100);
    int i = 0;
    for (; i < 100; ++i) {
        if (acedUsrBrk()) break;
        acedSetStatusBarProgressMeterPos(i);
    }
    acedRestoreStatusBar();
    acutPrintf(i < 100 ? L"\nstopped at %d" : L"\ncounted %d", i);
}

void throwCommand() { throw 42; }

void* gAppId = nullptr;  // what the host passed with kInitAppMsg

void lockCommand() { acrxDynamicLinker->lockApplication(gAppId); }

AcDbDatabase* drawing() { return acdbHostApplicationServices()->workingDatabase(); }

void registerApp(const ACHAR* name) {
    AcDbRegAppTable* table = nullptr;
    if (drawing()->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return;
    if (!table->has(name)) {
        auto* record = new AcDbRegAppTableRecord();
        record->setName(name);
        if (table->add(record) == Acad::eOk)
            record->close();
        else
            delete record;
    }
    table->close();
}

AcDbObjectId addLayer(const ACHAR* name, Adesk::UInt16 color) {
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (drawing()->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return id;
    auto* record = new AcDbLayerTableRecord();
    record->setName(name);
    AcCmColor c;
    c.setColorIndex(color);
    record->setColor(c);
    if (table->add(id, record) == Acad::eOk)
        record->close();
    else
        delete record;
    table->close();
    return id;
}

// Appends to model space; the optional text is stored as the application's extended data.
void append(AcDbEntity* entity, const ACHAR* app = nullptr, const ACHAR* value = nullptr) {
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, drawing()->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete entity;
        return;
    }
    if (space->appendAcDbEntity(entity) != Acad::eOk) {
        delete entity;
        space->close();
        return;
    }
    space->close();
    if (app != nullptr) {
        resbuf* xdata = acutBuildList(1001, app, 1000, value, 0);
        entity->setXData(xdata);
        acutRelRb(xdata);
    }
    entity->close();
}

AcDbPolyline* square(double x, double y, double size) {
    auto* pl = new AcDbPolyline();
    const double corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (unsigned i = 0; i < 4; ++i)
        pl->addVertexAt(i, {x + corners[i][0] * size, y + corners[i][1] * size});
    pl->setClosed(true);
    return pl;
}

// A small site: an outline and a pane on a layer of their own, a circle and texts.
void makeCommand() {
    registerApp(L"场区");
    registerApp(L"方格");
    const AcDbObjectId layer = addLayer(L"场区1", 1);
    AcDbPolyline* outline = square(0, 0, 40);
    outline->setLayer(layer);
    append(outline, L"场区", L"外框");
    append(square(0, 0, 20), L"方格", L"1");
    append(new AcDbCircle({30, 30, 0}, {0, 0, 1}, 3.0));
    auto* label = new AcDbText({2, 22, 0}, L"场区1方格标高", AcDbObjectId::kNull, 2.5, 0.0);
    label->setWidthFactor(0.8);
    label->setColorIndex(173);
    append(label);
    auto* volume = new AcDbText({22, 10, 0}, L"T=12.50 挖方", AcDbObjectId::kNull, 2.0, 0.5);
    volume->setColorIndex(2);
    append(volume);
    acutPrintf(L"\nmade 5 entities");
}

class DocumentWatcher : public AcApDocManagerReactor {
  public:
    void documentToBeDestroyed(AcApDocument* doc) override {
        acutPrintf(L"\nclosing %s", doc->docTitle());
    }
};

DocumentWatcher gWatcher;

struct CommandSpec {
    const ACHAR* name;
    AcRxFunctionPtr function;
};

const CommandSpec kCommands[] = {
    {L"TKEYWORD", keywordCommand}, {L"TINT", integerCommand}, {L"TPICK", pickCommand},
    {L"TXDATA", xdataCommand},     {L"TDRAG", dragCommand},   {L"TLOOP", loopCommand},
    {L"TTHROW", throwCommand},     {L"TMAKE", makeCommand},   {L"TLOCK", lockCommand},
};

void load(void* appId) {
    gAppId = appId;
    AcRxDynamicLinker* linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
    linker->unlockApplication(appId);
    linker->registerAppMDIAware(appId);
    AcEdCommandStack* stack = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    for (const CommandSpec& c : kCommands)
        stack->addCommand(kGroup, c.name, c.name, ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET,
                          c.function);
    acDocManager->addReactor(&gWatcher);
}

void unload() {
    acDocManager->removeReactor(&gWatcher);
    acedRegCmds->removeGroup(kGroup);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(
    AcRx::AppMsgCode msg, void* appId) {
    if (msg == AcRx::kInitAppMsg) load(appId);
    if (msg == AcRx::kUnloadAppMsg) unload();
    return AcRx::kRetOK;
}
