// Enumerations of the drawing database (AcDb).
#pragma once

#include "adesk.h"

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"
#define ACDB_GROUP_DICTIONARY L"ACAD_GROUP"

namespace AcDb {

enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Which operands of intersectWith are extended: this entity, the argument, both, neither.
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

enum TextHorzMode {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextAlign = 3,
    kTextMid = 4,
    kTextFit = 5
};
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

enum OsnapMode {
    kOsModeEnd = 1,
    kOsModeMid = 2,
    kOsModeCen = 3,
    kOsModeNode = 4,
    kOsModeQuad = 5,
    kOsModeIns = 7,
    kOsModePerp = 8,
    kOsModeTan = 9,
    kOsModeNear = 10,
    kOsModeApint = 11,
    kOsModePar = 12,
    kOsModeStart = 13,
};

enum DwgVersion { kDHL_MC0_0 = 0, kDHL_1027 = 31, kDHL_CURRENT = kDHL_1027 };
enum MaintenanceReleaseVersion { kMRelease0 = 0, kMRelease1 = 1, kMReleaseCurrent = kMRelease1 };

enum FilerType {
    kFileFiler = 0,
    kCopyFiler = 1,
    kUndoFiler = 2,
    kBagFiler = 3,
    kIdXlateFiler = 4,
    kPageFiler = 5,
    kDeepCloneFiler = 6,
    kIdFiler = 7,
    kPurgeFiler = 8,
    kWblockCloneFiler = 9,
};

enum Visibility { kInvisible = 1, kVisible = 0 };

enum SegType { kLine = 0, kArc = 1, kCoincident = 2, kPoint = 3, kEmpty = 4 };

// Colour indexes with a meaning of their own.
enum { kColorByBlock = 0, kColorByLayer = 256 };

}  // namespace AcDb
