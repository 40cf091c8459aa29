// AcDbDatabase::dxfIn and dxfOut: files, the all-or-nothing load and the last
// error kept for the host program.
#include <filesystem>

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

// The file is read into a fresh database; only a complete drawing replaces the
// contents of this one, so a bad file leaves the current drawing as it was.
Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* fileName) {
    std::string bytes;
    DxfError error;
    if (!dxfReadFileBytes(pathOf(fileName), bytes, error))
        return record(dxfErrorStatus(error.fault), error);
    auto fresh = std::make_unique<AcDbDatabase>(false, true);
    Acad::ErrorStatus es = dxfReadDatabase(bytes, *fresh, error);
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
