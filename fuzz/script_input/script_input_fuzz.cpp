// Scripts and the answers typed at prompts: the script reader, the answer
// parsers, keyword matching and wild-card matching take any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "aced.h"
#include "acedparse.h"
#include "acedscript.h"
#include "wcrt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AcEdScript script = acedParseScript(text);
    const std::wstring wide = wcrtFromUtf8(text);
    // The first line is a keyword list and a wild-card pattern for the others.
    const size_t cut = wide.find(L'\n');
    const std::wstring head = wide.substr(0, cut);
    const auto keywords = acedParseKeywordList(head);
    for (const AcEdScriptLine& line : script.lines) {
        acedMatchKeyword(keywords, line.text);
        acedParsePoint(line.text, AcGePoint3d(1, 2, 3));
        acedParseReal(line.text);
        acedParseInt(line.text);
        acutWcMatch(line.text.c_str(), head.c_str());
    }
    return 0;
}
