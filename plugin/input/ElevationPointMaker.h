// Making elevation points the way the define and import dialogs confirm:
// the annotation settings with their defaults, the elevation-point layer made
// current for the time of the work, each point appended to model space.
#pragma once

#include "acge.h"
#include "dbmain.h"

// While it lives, the elevation-point layer (made when missing, with its
// colour setting) is the current layer; the layer current before comes back
// when it goes. The text angle and height are read when it is made: blanks
// trimmed, empty gives the default, which is not written back.
class ElevationPointMaker {
  public:
    ElevationPointMaker();
    ~ElevationPointMaker();
    ElevationPointMaker(const ElevationPointMaker&) = delete;
    ElevationPointMaker& operator=(const ElevationPointMaker&) = delete;

    // Appends a point with these elevations on the current layer and
    // refreshes the display; a point that cannot be appended is deleted.
    // True when it was appended.
    bool AddPoint(const AcGePoint3d& position, const AcGeDoubleArray& elevations) const;

  private:
    double mAngleRadians = 0.0;
    double mTextHeight = 2.5;
    AcDbObjectId mPreviousLayer;
};
