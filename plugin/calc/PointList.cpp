#include "PointList.h"

#include <cmath>

namespace {

// Cells are many tolerances wide, so that the tolerance around a point
// mostly lies in its own cell and a look-up visits one cell, rarely two or
// four; distinct corners of a grid are far further apart than a cell.
constexpr double kCellSize = 64 * kSamePointDistance;

// The reach searched around a point: the tolerance and a margin far above
// the rounding of x - reach and x + reach for coordinates below the limit
// (at most 1e-8 there), so that every point within the tolerance lies in a
// searched cell. Positions beyond the limit are scanned one by one.
constexpr double kReach = kSamePointDistance * 1.01;
constexpr double kLargestCoordinate = 1e8;

bool HasCell(const AcGePoint3d& point) {
    return std::fabs(point.x) < kLargestCoordinate && std::fabs(point.y) < kLargestCoordinate;
}

std::int64_t CellNumber(double coordinate) {
    return static_cast<std::int64_t>(std::floor(coordinate / kCellSize));
}

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

size_t PointList::slotOf(const Cell& cell) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(cell.column) * 0x9E3779B97F4A7C15ull ^
                                static_cast<std::uint64_t>(cell.row) * 0xC2B2AE3D27D4EB4Full;
    const size_t mask = mSlots.size() - 1;
    for (size_t at = static_cast<size_t>(mixed ^ (mixed >> 29)) & mask;; at = (at + 1) & mask)
        if (mSlots[at].last < 0 || mSlots[at].cell == cell) return at;
}

void PointList::grow() {
    const std::vector<Slot> old = std::move(mSlots);
    mSlots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    for (const Slot& slot : old)
        if (slot.last >= 0) mSlots[slotOf(slot.cell)] = slot;
}

bool PointList::cellOf(const AcGePoint3d& point, Cell& cell) {
    if (!HasCell(point)) return false;
    cell = {CellNumber(point.x), CellNumber(point.y)};
    return true;
}

int PointList::find(const AcGePoint3d& point) const {
    int first = -1;
    auto consider = [&](int index) {
        if ((first < 0 || index < first) &&
            point.distanceTo(mPoints[static_cast<size_t>(index)]) < kSamePointDistance)
            first = index;
    };
    if (!HasCell(point)) return FindPointInList(point, std::span<const AcGePoint3d>(mPoints));
    // Division and floor never decrease as the coordinate grows, so a point
    // within the reach has a cell number between these.
    const std::int64_t lastColumn = CellNumber(point.x + kReach);
    const std::int64_t lastRow = CellNumber(point.y + kReach);
    for (std::int64_t column = CellNumber(point.x - kReach); column <= lastColumn; ++column)
        for (std::int64_t row = CellNumber(point.y - kReach); row <= lastRow; ++row) {
            if (mSlots.empty()) continue;
            const Slot& slot = mSlots[slotOf({column, row})];
            for (int index = slot.last; index >= 0; index = mPrevious[static_cast<size_t>(index)])
                consider(index);
        }
    // Points without a cell can still lie within the tolerance near the edge
    // of the cell range.
    for (int index : mUncelled) consider(index);
    return first;
}

int PointList::append(const AcGePoint3d& point) {
    const int index = length();
    mPoints.push_back(point);
    mPrevious.push_back(-1);
    Cell cell;
    if (!cellOf(point, cell)) {
        mUncelled.push_back(index);
        return index;
    }
    if (2 * (mUsedSlots + 1) > mSlots.size()) grow();
    Slot& slot = mSlots[slotOf(cell)];
    if (slot.last < 0) {
        slot.cell = cell;
        ++mUsedSlots;
    }
    mPrevious[static_cast<size_t>(index)] = slot.last;
    slot.last = index;
    return index;
}
