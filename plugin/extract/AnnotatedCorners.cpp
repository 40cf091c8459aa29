#include "AnnotatedCorners.h"

#include "PointList.h"

bool AnnotatedCorners::AddIfNew(const AcGePoint3d& corner) {
    if (FindPointInList(corner, mCorners) != -1) return false;
    mCorners.append(corner);
    return true;
}
