// AcDbDatabase::dxfIn and dxfOut: files, the all-or-nothing load and the last
// error kept for the host program.
#include <filesystem>

#include "dbmain.h"
#include "dxf_database.h"
#include "dxf_io.h"
#include "wcrt.h"

namespace {

thread_local DxfError gLastError;

struct FaultStatus {
    DxfFault fault;
    Acad::ErrorStatus status;
};

constexpr FaultStatus kFaultStatus[] = {
    {DxfFault::None, Acad::eOk},
    {DxfFault::Io, Acad::eFileAccessErr},
    {DxfFault::TooLarge, Acad::eDxfReadAborted},
    {DxfFault::Truncated, Acad::eEndOfFile},
    {DxfFault::BadCode, Acad::eInvalidDxfCode},
    {DxfFault::UnknownCode, Acad::eInvalidDxfCode},
    {DxfFault::BadValue, Acad::eBadDxfSequence},
    {DxfFault::BadStructure, Acad::eBadDxfSequence},
    {DxfFault::DanglingHandle, Acad::eUnknownHandle},
    {DxfFault::DuplicateHandle, Acad::eHandleInUse},
    {DxfFault::BadOwnership, Acad::eSelfReference},
    {DxfFault::BadData, Acad::eDxfReadAborted},
};

std::filesystem::path pathOf(const ACHAR* fileName) {
    return std::filesystem::path(wcrtToUtf8(fileName != nullptr ? fileName : L""));
}

Acad::ErrorStatus record(Acad::ErrorStatus es, DxfError error) {
    gLastError = std::move(error);
    return es;
}

}  // namespace

Acad::ErrorStatus dxfErrorStatus(DxfFault fault) {
    for (const FaultStatus& f : kFaultStatus)
        if (f.fault == fault) return f.status;
    return Acad::eGeneralError;
}

const DxfError& dxfLastError() { return gLastError; }

std::wstring dxfLastErrorMessage() { return wcrtFromUtf8(gLastError.message); }

namespace {

// The working database for as long as an object lives; the previous one after.
class WorkingDatabaseScope {
  public:
    explicit WorkingDatabaseScope(AcDbDatabase* database)
        : mPrevious(acdbHostApplicationServices()->workingDatabase()) {
        acdbHostApplicationServices()->setWorkingDatabase(database);
    }
    ~WorkingDatabaseScope() { acdbHostApplicationServices()->setWorkingDatabase(mPrevious); }
    WorkingDatabaseScope(const WorkingDatabaseScope&) = delete;
    WorkingDatabaseScope& operator=(const WorkingDatabaseScope&) = delete;

  private:
    AcDbDatabase* mPrevious;
};

}  // namespace

// The file is read into a fresh database; only a complete drawing replaces the
// contents of this one, so a bad file leaves the current drawing as it was.
// While it is read, the fresh database is the working database: objects that
// construct themselves with data of the working drawing (an entity setting up
// its text style) belong to the drawing being read, and no other drawing is
// touched by the read.
Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* fileName) {
    std::string bytes;
    DxfError error;
    if (!dxfReadFileBytes(pathOf(fileName), bytes, error))
        return record(dxfErrorStatus(error.fault), error);
    auto fresh = std::make_unique<AcDbDatabase>(false, true);
    Acad::ErrorStatus es = Acad::eOk;
    {
        WorkingDatabaseScope reading(fresh.get());
        es = dxfReadDatabase(bytes, *fresh, error);
    }
    if (es != Acad::eOk) return record(es, error);
    swapContents(*fresh);
    return record(Acad::eOk, DxfError{});
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName) {
    std::string text;
    DxfError error;
    Acad::ErrorStatus es = dxfWriteDatabase(*this, text, error);
    if (es != Acad::eOk) return record(es, error);
    if (!dxfReplaceFile(pathOf(fileName), text, error))
        return record(dxfErrorStatus(error.fault), error);
    return record(Acad::eOk, DxfError{});
}
