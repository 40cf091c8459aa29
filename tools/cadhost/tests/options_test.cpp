#include "options.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    std::vector<std::string> args;
    std::string error;  // empty: valid
};

TEST(CadhostOptions, ValidAndInvalidCommandLines) {
    const ParseCase cases[] = {
        {{}, ""},
        {{"--load", "a.arx", "--load=b.arx", "--open", "d.dxf", "--script", "-"}, ""},
        {{"--registry", "r.reg", "--save", "o.dxf", "--svg", "o.svg"}, ""},
        {{"--open", "a.dxf", "--open", "b.dxf"}, "--open given twice"},
        {{"--save"}, "--save needs a value"},
        {{"--svg="}, "--svg needs a value"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"drawing.dxf"}, "unexpected argument drawing.dxf"},
        {{"--svg-background", "dark"}, ""},
        {{"--svg-background=light"}, ""},
        {{"--svg-background", "black"}, "--svg-background takes light or dark, not black"},
    };
    for (const ParseCase& c : cases) {
        const CadhostParse p = cadhostParseOptions(c.args);
        EXPECT_EQ(p.error, c.error) << (c.args.empty() ? "" : c.args[0]);
    }
}

TEST(CadhostOptions, ModulesKeepTheirOrder) {
    const CadhostParse p =
        cadhostParseOptions({"--load", "base.arx", "--script", "s.scr", "--load=apply.arx"});
    ASSERT_TRUE(p.error.empty());
    EXPECT_EQ(p.options.modules, (std::vector<std::string>{"base.arx", "apply.arx"}));
    EXPECT_EQ(p.options.script, "s.scr");
    EXPECT_TRUE(p.options.open.empty());
}

}  // namespace
