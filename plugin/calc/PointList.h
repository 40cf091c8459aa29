// Look-up of a point in a list of plan positions (the corners already
// annotated during one run of the corner calculation).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "acge.h"

// Two positions closer than this are the same corner. Pane corners come from
// the same grid, so a shared corner repeats to far better than 0.1 mm.
inline constexpr double kSamePointDistance = 0.0001;

// Index of the first point of the list whose distance to point is below
// kSamePointDistance, -1 when there is none.
int FindPointInList(const AcGePoint3d& point, std::span<const AcGePoint3d> list);
int FindPointInList(const AcGePoint3d& point, const AcGePoint3dArray& list);

// A growing list of positions that answers FindPointInList in constant time:
// positions are hashed into plan cells a little larger than the tolerance, so
// a point closer than the tolerance lies in the same or a neighbouring cell.
// The answer is the linear scan's: the first listed point closer than
// kSamePointDistance (distance with z).
class PointList {
  public:
    // Index of the first listed point closer than kSamePointDistance, or -1.
    int find(const AcGePoint3d& point) const;
    // Appends the point and returns its index.
    int append(const AcGePoint3d& point);
    int length() const { return static_cast<int>(mPoints.size()); }
    const std::vector<AcGePoint3d>& points() const { return mPoints; }

  private:
    struct Cell {
        std::int64_t column;
        std::int64_t row;
        bool operator==(const Cell&) const = default;
    };
    // A cell that holds points and the last of them appended; an empty slot
    // has no point (last < 0). The table is open-addressed: a look-up reads
    // one slot, rarely a few, instead of following nodes through memory.
    struct Slot {
        Cell cell;
        int last = -1;
    };
    // False for a coordinate too large (or not finite) for a cell number.
    static bool cellOf(const AcGePoint3d& point, Cell& cell);
    size_t slotOf(const Cell& cell) const;  // the cell's slot, or the empty one it would take
    void grow();

    std::vector<AcGePoint3d> mPoints;
    std::vector<int> mPrevious;  // per point: the point appended before it in its cell, or -1
    std::vector<Slot> mSlots;    // a power of two in size, at most half full
    size_t mUsedSlots = 0;
    std::vector<int> mUncelled;  // points too far out for a cell, scanned in turn
};

int FindPointInList(const AcGePoint3d& point, const PointList& list);
