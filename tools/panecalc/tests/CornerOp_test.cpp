#include "CornerOp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using nlohmann::json;

std::string Ask(const std::string& request) {
    return AnswerCornerRequest(json::parse(request)).dump();
}

TEST(CornerOp, Replies) {
    struct Case {
        const char* request;
        const char* reply;
    } cases[] = {
        {R"({"op":"corner","points":[],"corner":[0,0]})",
         R"({"ok":false,"values":[],"neighbours":[]})"},
        {R"({"op":"corner","points":[[5,5,0,[10.5,9]]],"corner":[0,0]})",
         R"({"ok":true,"values":[10.5,9.0],"neighbours":[0]})"},
        {R"({"op":"corner","points":[[1,0,0,[8,6]],[-3,0,0,[4]]],"corner":[0,0]})",
         R"({"ok":true,"values":[7.0,5.5],"neighbours":[0,1]})"},
        {R"({"op":"corner","points":[[1,1,0,[1]],[0,0.000001,0,[2]]],"corner":[0,0,7]})",
         R"({"ok":true,"values":[2.0],"neighbours":[1]})"},
        {R"({"op":"corner","points":[[1,1,0,[]]],"corner":[0,0]})",
         R"({"ok":false,"values":[],"neighbours":[]})"},
        {R"({"op":"corner","corner":[0,0]})",
         R"({"error":"\"points\" must be a list of [x,y,z,[elevations]]"})"},
        {R"({"op":"corner","points":[[1,1,[2]]],"corner":[0,0]})",
         R"({"error":"a point must be [x,y,z,[elevations]]"})"},
        {R"({"op":"corner","points":[[1,1,0,["a"]]],"corner":[0,0]})",
         R"({"error":"an elevation must be a number"})"},
        {R"({"op":"corner","points":[]})", R"({"error":"missing \"corner\""})"},
        {R"({"op":"corner","points":[],"corner":[0]})", R"({"error":"\"corner\" must be [x,y]"})"},
        {R"({"op":"corner","points":[],"corner":["0",0]})", R"({"error":"x must be a number"})"},
        {R"([1,2])", R"({"error":"a request must be a JSON object"})"},
    };
    for (const Case& c : cases) EXPECT_EQ(Ask(c.request), c.reply) << c.request;
}

TEST(CornerOp, TopUpNeighboursInSelectionOrder) {
    const nlohmann::ordered_json reply = AnswerCornerRequest(json::parse(
        R"({"op":"corner","points":[[9,1,0,[9]],[3,1,0,[3]],[7,1,0,[7]],[5,1,0,[5]],[4,1,0,[4]],
            [8,1,0,[8]],[6,1,0,[6]],[2,0.5,0,[2]]],"corner":[0,0]})"));
    EXPECT_TRUE(reply.at("ok").get<bool>());
    EXPECT_EQ(reply.at("neighbours"), json::parse("[7,1,4]"));
    const double value = reply.at("values").at(0).get<double>();
    EXPECT_GT(value, 2.0);
    EXPECT_LT(value, 4.0);
}

}  // namespace
