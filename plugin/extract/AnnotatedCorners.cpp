#include "AnnotatedCorners.h"

bool AnnotatedCorners::AddIfNew(const AcGePoint3d& corner) {
    if (mCorners.find(corner) != -1) return false;
    mCorners.append(corner);
    return true;
}
