// The corners of one extraction run that already carry an elevation
// dimension, so that a corner shared by several panes is annotated once.
#pragma once

#include "PointList.h"

class AnnotatedCorners {
  public:
    // True when no corner of the list lies within the same-point distance of
    // the corner (plan position, z = 0); the corner is added then.
    bool AddIfNew(const AcGePoint3d& corner);
    int size() const { return mCorners.length(); }

  private:
    PointList mCorners;  // found in constant time, however many corners a site has
};
