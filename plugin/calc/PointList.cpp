#include "PointList.h"

#include <cmath>

namespace {

// The cell is this much larger than the tolerance, so that two points closer
// than the tolerance have cell numbers at most one apart even after the
// rounding of x / cell size.
constexpr double kCellSize = kSamePointDistance * (1.0 + 1.0 / 1024.0);

// Cell numbers stay below 2^40, where the rounding of the division is far
// below the cell's margin; positions beyond (about 1e8 drawing units) are
// scanned one by one.
constexpr double kLargestCellNumber = 1099511627776.0;

}  // namespace

int FindPointInList(const AcGePoint3d& point, std::span<const AcGePoint3d> list) {
    for (size_t i = 0; i < list.size(); ++i)
        if (point.distanceTo(list[i]) < kSamePointDistance) return static_cast<int>(i);
    return -1;
}

int FindPointInList(const AcGePoint3d& point, const AcGePoint3dArray& list) {
    return FindPointInList(
        point, std::span<const AcGePoint3d>(list.asArrayPtr(), static_cast<size_t>(list.length())));
}

int FindPointInList(const AcGePoint3d& point, const PointList& list) { return list.find(point); }

size_t PointList::CellHash::operator()(const Cell& c) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(c.column) * 0x9E3779B97F4A7C15ull ^
                                static_cast<std::uint64_t>(c.row) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<size_t>(mixed ^ (mixed >> 29));
}

bool PointList::cellOf(const AcGePoint3d& point, Cell& cell) {
    const double column = std::floor(point.x / kCellSize);
    const double row = std::floor(point.y / kCellSize);
    if (!(std::fabs(column) < kLargestCellNumber && std::fabs(row) < kLargestCellNumber))
        return false;
    cell = {static_cast<std::int64_t>(column), static_cast<std::int64_t>(row)};
    return true;
}

int PointList::find(const AcGePoint3d& point) const {
    int first = -1;
    auto consider = [&](int index) {
        if ((first < 0 || index < first) &&
            point.distanceTo(mPoints[static_cast<size_t>(index)]) < kSamePointDistance)
            first = index;
    };
    Cell centre;
    if (!cellOf(point, centre))
        return FindPointInList(point, std::span<const AcGePoint3d>(mPoints));
    for (std::int64_t dc = -1; dc <= 1; ++dc)
        for (std::int64_t dr = -1; dr <= 1; ++dr) {
            auto it = mCells.find({centre.column + dc, centre.row + dr});
            if (it == mCells.end()) continue;
            for (int index : it->second) consider(index);
        }
    // Points without a cell can still lie within the tolerance near the edge
    // of the cell range.
    for (int index : mUncelled) consider(index);
    return first;
}

int PointList::append(const AcGePoint3d& point) {
    const int index = length();
    mPoints.push_back(point);
    Cell cell;
    if (cellOf(point, cell))
        mCells[cell].push_back(index);
    else
        mUncelled.push_back(index);
    return index;
}
