// The editor (AcEd) of the host SDK: command stack, command-line output and
// input, selection sets, system variables, user coordinate system, status-bar
// progress meter. Names, signatures and result codes are the SDK's.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acadstrc.h"
#include "acadwin.h"
#include "adesk.h"
#include "adscodes.h"
#include "adsdef.h"
#include "rxobject.h"
#include "rxregsvc.h"

// ---------------------------------------------------------------- command stack

#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NOINTERNALLOCK 0x00001000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000

typedef void (*AcRxFunctionPtr)();
class AcEdUIContext;

// One registered command. Owned by the command stack.
class AcEdCommand : public AcRxObject {
  public:
    AcEdCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                Adesk::Int32 flags, AcRxFunctionPtr function, AcEdUIContext* uiContext,
                int functionCode, HINSTANCE resourceHandle);

    const ACHAR* globalName() const { return mGlobalName.c_str(); }
    const ACHAR* localName() const { return mLocalName.c_str(); }
    const ACHAR* groupName() const { return mGroupName.c_str(); }
    Adesk::Int32 commandFlags() const { return mFlags; }
    AcRxFunctionPtr functionAddr() const { return mFunction; }
    AcEdUIContext* UIContext() const { return mUIContext; }
    int functionCode() const { return mFunctionCode; }
    HINSTANCE resourceHandle() const { return mResourceHandle; }

  private:
    std::wstring mGroupName;
    std::wstring mGlobalName;
    std::wstring mLocalName;
    Adesk::Int32 mFlags;
    AcRxFunctionPtr mFunction;
    AcEdUIContext* mUIContext;
    int mFunctionCode;
    HINSTANCE mResourceHandle;
};

// Commands in named groups. The most recently added group is searched first.
// Names compare without regard to case.
class AcEdCommandStack : public AcRxObject {
  public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);
    AcEdCommandStack();
    ~AcEdCommandStack() override;

    // eInvalidInput for an empty or blank-containing name or a null function,
    // eDuplicateKey when the group already has a command of that global name.
    virtual Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                         const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                         AcRxFunctionPtr functionAddr,
                                         AcEdUIContext* UIContext = nullptr, int fcode = -1,
                                         HINSTANCE hResourceHandle = nullptr,
                                         AcEdCommand** cmdPtrRet = nullptr);
    virtual AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName);
    virtual AcEdCommand* lookupLocalCmd(const ACHAR* cmdName);
    virtual AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroups = false,
                                   bool skipUndefed = false);
    // eKeyNotFound when the group or the command is not there.
    virtual Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName);
    virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName);

    // Stand-in additions: the group names, most recent first; removing the
    // commands a predicate picks (the linker drops those of an unloaded module).
    std::vector<std::wstring> groupNames() const;
    void removeCommandsIf(const std::function<bool(const AcEdCommand&)>& pick);

  private:
    struct Group;
    std::vector<std::unique_ptr<Group>> mGroups;  // front = top of the stack
    Group* findGroup(const ACHAR* name) const;
};

AcEdCommandStack* acedRegCmdsPtr();
#define acedRegCmds acedRegCmdsPtr()

// ---------------------------------------------------------------- output

// printf on wide strings ("%s" takes a wide string); shown on the command line.
int acutPrintf(const ACHAR* format, ...);
int acedPrompt(const ACHAR* text);
// Shows a message; the stand-in prints it on the command line.
int acedAlert(const ACHAR* text);

// Wild-card match of a whole string: RTNORM when it matches, RTERROR when not.
// '*' any run, '?' any character, '#' digit, '@' letter, '.' neither, '[...]'
// a class ('[~...]' its complement), '~' first negates, ',' separates patterns,
// '`' escapes. Case counts.
int acutWcMatch(const ACHAR* string, const ACHAR* pattern);

// ---------------------------------------------------------------- input

int acedInitGet(int val, const ACHAR* kwl);
int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result);
int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result);
int acedGetInt(const ACHAR* prompt, int* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result);
// The result buffer holds 133 characters (132 and the terminator) unless bufsize says otherwise;
// a longer answer is cut to fit and RTINPUTTRUNCATED returned.
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result);
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufsize);
int acedGetKword(const ACHAR* prompt, ACHAR* result);
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufsize);
// The keyword (its global name) or arbitrary text of the last RTKWORD answer.
int acedGetInput(ACHAR* str);
int acedGetInput(ACHAR* str, size_t bufsize);

// A picked point selects the entity of the current drawing nearest to it
// within the pick box ("PICKBOX", in drawing units here). RTERROR when
// nothing is there or on Enter, RTCAN on Escape.
int acedEntSel(const ACHAR* str, ads_name entres, ads_point ptres);

// Selection sets. acedSSGet supports the mode "X" (whole drawing) with a
// filter of entity type (0), layer (8) and extended-data applications
// (-3 followed by 1001 names), and no mode (objects picked one point per
// answer until Enter).
int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const struct resbuf* filter,
              ads_name ss);
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
int acedSSDel(const ads_name ename, const ads_name ss);
int acedSSFree(const ads_name sname);
int acedSSLength(const ads_name sname, Adesk::Int32* len);
int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres);
int acedSSMemb(const ads_name ename, const ads_name ss);

// Asks for the drop point, calls scnf with it (as the host does while the
// cursor moves) and returns it.
int acedDragGen(const ads_name ss, const ACHAR* pmt, int cursor,
                int (*scnf)(ads_point pt, ads_matrix mt), ads_point p);

// Non-zero once when the user asked to stop (Escape during processing).
int acedUsrBrk();

// ---------------------------------------------------------------- system variables

// Strings come back in a new buffer the caller frees (acutDelString / free).
int acedGetVar(const ACHAR* sym, struct resbuf* result);
int acedSetVar(const ACHAR* sym, const struct resbuf* val);

// ---------------------------------------------------------------- coordinates

// Coordinate systems for acedTrans, as RTSHORT codes: 0 world, 1 user,
// 2 display (the user system in plan view here). With disp non-zero the
// point is a displacement (origins ignored).
int acedTrans(const ads_point pt, const struct resbuf* from, const struct resbuf* to, int disp,
              ads_point result);
Adesk::Boolean acdbUcs2Wcs(ads_point p, ads_point q, Adesk::Boolean vec);
Adesk::Boolean acdbWcs2Ucs(ads_point p, ads_point q, Adesk::Boolean vec);

// ---------------------------------------------------------------- display

int acedSetStatusBarProgressMeter(const ACHAR* pszLabel, int nMinPos, int nMaxPos);
int acedSetStatusBarProgressMeterPos(int nPos);
void acedRestoreStatusBar();
void acedUpdateDisplay();
int acedRedraw(const ads_name ent, int mode);
CWnd* acedGetAcadFrame();
