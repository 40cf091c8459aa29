// Entities of the working drawing: adding, erasing, properties, copies.
#pragma once

#include <string>

#include "dbmain.h"

class ArxEntity {
  public:
    // Appends a new entity to model space of the working drawing. The entity
    // stays open for write: on success the caller may change it and closes it;
    // on failure the database has not taken it and the caller deletes it.
    static Acad::ErrorStatus Arx_addToModelSpace(AcDbEntity* entity);
    static Acad::ErrorStatus Arx_addToModelSpace(AcDbEntity* entity, AcDbObjectId& id);

    // Each of these opens the entity, does its work, closes it and returns
    // non-zero on success.
    static int Arx_EraseEntity(AcDbObjectId id);
    static int Arx_ChangeEntLayer(AcDbObjectId id, const ACHAR* layer);
    // 256 is "by layer", 0 "by block".
    static int Arx_ChangeEntColor(AcDbObjectId id, int colorIndex);
    static int Arx_GetEntLayer(AcDbObjectId id, std::wstring& layer);
    static int Arx_GetEntityExtent(AcDbObjectId id, AcGePoint3d& minPoint, AcGePoint3d& maxPoint);
    // A copy (extended data included) moved by offset, in the same block.
    static int Arx_CopyTranslation(AcDbObjectId id, const AcGeVector3d& offset,
                                   AcDbObjectId& newId);
    static int Arx_HightAllEnt(AcDbObjectId id);
    static int Arx_UnHightAllEnt(AcDbObjectId id);
};

class ArxDraw {
  public:
    // Flushes pending graphics so that progress shows. Always non-zero.
    static int Arx_RefreshDisplay();
};

class ArxView {
  public:
    // Zooms onto the entity's extents widened on every side by 1/marginDivisor
    // of their size (no margin when marginDivisor <= 0); with regen non-zero the
    // display is refreshed afterwards. Non-zero when the entity has extents.
    static int Arx_DispEntToView(AcDbObjectId id, int marginDivisor, int regen);
};
