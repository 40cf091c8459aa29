// The elevation input commands: define points one by one, import them from a
// survey file, modify the elevations of one point.
#include "ArxHelpers.h"
#include "CommandBodies.h"
#include "DlgDefineEle.h"
#include "DlgImportH.h"
#include "DlgModifyEle.h"
#include "DlgSetEleAtrr.h"
#include "ElevationPoints.h"
#include "ModuleRecord.h"
#include "aced.h"
#include "adscodes.h"

void RunDefineElevations() {
    for (;;) {
        acedInitGet(0, L"Set ");
        ads_point picked;
        const int status = acedGetPoint(nullptr, L"\n指定点位置[设置<S>]:", picked);
        if (status == RTKWORD) {
            PluginResourceScope resources;
            CDlgSetEleAtrr dialog(acedGetAcadFrame());
            dialog.DoModal();
        } else if (status == RTNORM) {
            const AcGePoint3d world =
                ArxTransClass::Arx_UcsToWcsPoint(AcGePoint3d(picked[X], picked[Y], picked[Z]));
            PluginResourceScope resources;
            CDlgDefineEle dialog(acedGetAcadFrame());
            dialog.m_position = world;
            dialog.DoModal();
        } else {
            return;
        }
    }
}

void RunImportElevations() {
    PluginResourceScope resources;
    CDlgImportH dialog(nullptr);
    dialog.DoModal();
}

void RunModifyElevations() {
    for (;;) {
        ads_name picked;
        ads_point at;
        if (acedEntSel(L"\n选择多层标高:", picked, at) != RTNORM) return;
        AcDbObjectId id;
        if (acdbGetObjectId(id, picked) != Acad::eOk || !IsElevationPoint(id)) continue;
        PluginResourceScope resources;
        CDlgModifyEle dialog(acedGetAcadFrame());
        dialog.m_objectId = id;
        dialog.DoModal();
        return;
    }
}
