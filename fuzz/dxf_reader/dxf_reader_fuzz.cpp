// Feeds arbitrary bytes to the DXF reader. Whatever it accepts must write out,
// read back and write out again to the same text; whatever it refuses must be
// refused with a message. Crashes, leaks and sanitizer reports are findings.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dxf_database.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DxfError error;
    AcDbDatabase db(false, true);
    if (dxfReadDatabase(bytes, db, error) != Acad::eOk) {
        check(error.fault != DxfFault::None && !error.message.empty());
        return 0;
    }
    std::string first, second;
    check(dxfWriteDatabase(db, first, error) == Acad::eOk);
    AcDbDatabase again(false, true);
    check(dxfReadDatabase(first, again, error) == Acad::eOk);
    check(dxfWriteDatabase(again, second, error) == Acad::eOk);
    check(first == second);
    return 0;
}
