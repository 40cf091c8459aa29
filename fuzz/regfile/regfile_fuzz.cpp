// Feeds arbitrary bytes to the registry file reader. Whatever it accepts must
// be written so that it reads back to the same registry.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "RegFile.h"
#include "TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const winreg::DecodedFile decoded =
        winreg::DecodeRegFile(std::string(reinterpret_cast<const char*>(data), size));
    if (!decoded.ok) return 0;
    const winreg::RegFileParse first = winreg::ParseRegFile(decoded.text);
    if (!first.ok) return 0;
    const std::string written = winreg::EncodeRegFile(winreg::FormatRegFile(first.tree));
    const winreg::DecodedFile again = winreg::DecodeRegFile(written);
    if (!again.ok) std::abort();
    const winreg::RegFileParse second = winreg::ParseRegFile(again.text);
    if (!second.ok || winreg::FormatRegFile(second.tree) != winreg::FormatRegFile(first.tree))
        std::abort();
    return 0;
}
