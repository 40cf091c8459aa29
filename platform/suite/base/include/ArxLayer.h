// Layers, layer contents and groups of the working drawing.
#pragma once

#include <string>

#include "dbmain.h"

class ArxLayer {
  public:
    // Creates the layer when missing, with that colour (1..255; any other index
    // gives the host's default 7), and returns its id. An existing layer keeps
    // its colour. Non-zero on success.
    static int Arx_CreateLayer(const ACHAR* name, int colorIndex, AcDbObjectId& layerId);
    // Makes the layer current, creating it (colour 7) when missing. Returns the
    // layer that was current before (null when nothing changed hands).
    static AcDbObjectId Arx_setLayer(const ACHAR* name);
    // Non-zero when the layer exists; its id in layerId.
    static int Arx_FindLayerFromName(const ACHAR* name, AcDbObjectId& layerId);
    // Appends to ids every entity of model space on the layer (not erased), in
    // drawing order; the list is not emptied first, so two layers can be
    // gathered in one list. Returns the number of entities appended.
    static int Arx_GetLayerEnt(const ACHAR* name, AcDbObjectIdArray& ids);
};

class ArxSelectEntity {
  public:
    // The same as ArxLayer::Arx_GetLayerEnt.
    static int Arx_GetEntFromLayer(const ACHAR* name, AcDbObjectIdArray& ids);
};

class ArxGroup {
  public:
    // A name starting with "*" ("*NoName") makes a new anonymous group; any
    // other name gives the group of that name, made when missing. Non-zero on
    // success.
    static int Arx_CreateGroup(const ACHAR* name, AcDbObjectId& groupId);
    // Non-zero when the entity is in the group afterwards.
    static int Arx_addEntToGroup(AcDbObjectId entityId, AcDbObjectId groupId);
};
