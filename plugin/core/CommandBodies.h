// The work of each command, run by its shell after the banner. Each body is
// defined by the folder that does the work, whose library is linked into
// Kavrel.arx.
#pragma once

void RunDefineElevations();        // MLayerDefineEle
void RunImportElevations();        // MLayerImportEle
void RunModifyElevations();        // MLayerModifyEle
void RunCornerElevations();        // MLayerCalPaneEle
void RunEarthwork();               // MLayerCalPaneTuf
void RunLayerDrawingExtraction();  // MLayerPickTufDraw
