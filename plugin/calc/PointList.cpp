#include "PointList.h"

int FindPointInList(const AcGePoint3d& point, std::span<const AcGePoint3d> list) {
    for (size_t i = 0; i < list.size(); ++i)
        if (point.distanceTo(list[i]) < kSamePointDistance) return static_cast<int>(i);
    return -1;
}

int FindPointInList(const AcGePoint3d& point, const AcGePoint3dArray& list) {
    return FindPointInList(
        point, std::span<const AcGePoint3d>(list.asArrayPtr(), static_cast<size_t>(list.length())));
}
