// The work of each command, run by its shell after the banner. Each body is
// defined by the folder that does the work; until that work is built, its
// body is an empty stand-in in CommandBodiesPending.cpp (remove it there when
// defining the real one, and link the folder's library into Kavrel.arx).
#pragma once

void RunDefineElevations();        // MLayerDefineEle
void RunImportElevations();        // MLayerImportEle
void RunModifyElevations();        // MLayerModifyEle
void RunCornerElevations();        // MLayerCalPaneEle
void RunEarthwork();               // MLayerCalPaneTuf
void RunLayerDrawingExtraction();  // MLayerPickTufDraw
