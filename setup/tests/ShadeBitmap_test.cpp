#include "ShadeBitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup {
namespace {

const ButtonColours kColours{{128, 64, 0}, {192, 128, 64}, {255, 255, 255}};

std::vector<int> Row(const Bitmap8& bitmap, int y) {
    std::vector<int> row;
    for (int x = 0; x < bitmap.Width(); ++x) row.push_back(bitmap.At(x, y));
    return row;
}

// The runtime's sequence from its unseeded state (seed 1).
TEST(RuntimeRand, RepeatsTheRuntimeSequence) {
    RuntimeRand rand;
    const std::vector<int> expected = {41,    18467, 6334,  26500, 19169, 15724,
                                       11478, 29358, 26962, 24464, 5705,  28145};
    std::vector<int> drawn;
    for (std::size_t i = 0; i < expected.size(); ++i) drawn.push_back(rand.Next());
    EXPECT_EQ(drawn, expected);
}

// Entry i of 0..128: (shadow (128 - i) + face i) / 128; entry 127 + i of
// 128..255: (highlight i + face (128 - i)) / 128. E.g. entry 128, green:
// (255 + 128 * 127) / 128 = 16511 / 128 = 128. Hover: 10 % towards
// highlight, entry 0 red: (10 * 255 + 90 * 128) / 100 = 140.
TEST(ShadePalette, RunsFromShadowOverFaceToHighlight) {
    struct Case {
        int index;
        Rgb face;
        Rgb hover;
    };
    const Case cases[] = {
        {0, {128, 64, 0}, {140, 83, 25}},        {64, {160, 96, 32}, {169, 111, 54}},
        {127, {191, 127, 63}, {197, 139, 82}},   {128, {192, 128, 65}, {198, 140, 84}},
        {191, {223, 191, 159}, {226, 197, 168}}, {255, {255, 255, 255}, {255, 255, 255}},
    };
    RuntimeRand rand;
    const ShadeFaces faces = MakeShadeFaces(4, 2, Shade{}, kColours, rand);
    for (const Case& c : cases) {
        EXPECT_EQ(faces.face.Palette()[c.index], c.face) << c.index;
        EXPECT_EQ(faces.focusLineH.Palette()[c.index], c.face) << c.index;
        EXPECT_EQ(faces.hover.Palette()[c.index], c.hover) << c.index;
        EXPECT_EQ(faces.pressed.Palette()[c.index], c.hover) << c.index;
    }
    Shade tinted;
    tinted.colouring = 50;
    tinted.colour = {0, 0, 0};
    const ShadeFaces dark = MakeShadeFaces(4, 2, tinted, kColours, rand);
    EXPECT_EQ(dark.face.Palette()[255], (Rgb{127, 127, 127}));
    EXPECT_EQ(dark.focusLineH.Palette()[255], (Rgb{255, 255, 255}));
}

// Soft bump, 4 x 2, g = 8. cy: row 0 -127 (cube -125), row 1 0;
// cx by column 128, 64, 0, -64 (cubes 128, 16, 0, -16).
// (cx3 + cy3) * 120 / 128 + 128 clamped to 8..247:
//   row 0: 130, 26, 11, 8      row 1: 247, 143, 128, 113
// noise rand / 2047 - 8 over 41, 18467, 6334, 26500 | 19169, 15724, 11478,
// 29358: -8, 1, -5, 4 | 1, -1, -3, 6.
TEST(MakeShadeFaces, SoftBumpPixels) {
    RuntimeRand rand;
    const ShadeFaces faces = MakeShadeFaces(4, 2, Shade{kSoftBump, 8, 10, 0, {}}, kColours, rand);
    EXPECT_EQ(Row(faces.face, 0), (std::vector<int>{122, 27, 6, 12}));
    EXPECT_EQ(Row(faces.face, 1), (std::vector<int>{248, 142, 125, 119}));
    EXPECT_EQ(faces.face.Stride(), 4);
    EXPECT_EQ(rand.Next(), 26962);  // one draw per pixel
}

// Hard bump, 12 x 2, g = 0 (the noise is rand / 32767: 0 here). Row pass:
// row 0 128 + (-125) * 64 * 2 / 128 = 3, row 1 128. Bevel, o = 2: row 0
// n = -1, r = 2 + 6 - 2 = 6, no column outside; row 1 n = 0, r = 4: x' = 5
// (x 11) gets 128 * 1 / 2 = 64, x' = -6, -5 (x 0, 1) get 255 - 128 x / 2.
// With g = 8 the row value is 128 - 125 * 56 * 2 / 128 = 19 before noise.
TEST(MakeShadeFaces, HardBumpPixels) {
    RuntimeRand rand;
    const ShadeFaces faces = MakeShadeFaces(12, 2, Shade{kHardBump, 0, 10, 0, {}}, kColours, rand);
    EXPECT_EQ(Row(faces.face, 0), std::vector<int>(12, 3));
    EXPECT_EQ(Row(faces.face, 1),
              (std::vector<int>{255, 191, 128, 128, 128, 128, 128, 128, 128, 128, 128, 64}));
    EXPECT_EQ(faces.face.Stride(), 12);

    RuntimeRand noisy;
    const ShadeFaces grainy =
        MakeShadeFaces(12, 2, Shade{kHardBump, 8, 10, 0, {}}, kColours, noisy);
    for (int x = 0; x < 12; ++x) {
        EXPECT_GE(grainy.face.At(x, 0), 19 - 16) << x;
        EXPECT_LE(grainy.face.At(x, 0), 19 + 16) << x;
    }
    // The ramp replaces the row value; its noise is the 48th draw, 7711.
    EXPECT_EQ(grainy.face.At(11, 1), 64 + 8 + (7711 / 2047 - 8));
}

TEST(MakeShadeFaces, FocusLinesAndTinyButtons) {
    struct Case {
        int width, height;
        int lineH, lineV;
    };
    const Case cases[] = {
        {75, 23, 66, 15}, {9, 23, 1, 15}, {5, 20, 1, 12}, {3, 1, 1, 1}, {1, 2, 1, 1},
    };
    for (const Case& c : cases) {
        for (int style : {kSoftBump, kHardBump}) {
            RuntimeRand rand;
            const ShadeFaces faces =
                MakeShadeFaces(c.width, c.height, Shade{style, 8, 10, 0, {}}, kColours, rand);
            EXPECT_EQ(faces.focusLineH.Width(), c.lineH) << c.width;
            EXPECT_EQ(faces.focusLineV.Height(), c.lineV) << c.height;
            EXPECT_EQ(faces.face.Width(), c.width);
        }
    }
    RuntimeRand rand;
    const ShadeFaces faces = MakeShadeFaces(14, 12, Shade{}, kColours, rand);
    EXPECT_EQ(Row(faces.focusLineH, 0), (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(faces.focusLineV.At(0, 3), 1);
    EXPECT_EQ(faces.focusLineH.Stride(), 8);
}

TEST(ButtonLook, FollowsTheButtonState) {
    struct Case {
        ButtonState state;
        FaceKind face;
        EdgeKind edge;
        int offset;
        bool embossed;
    };
    const Case cases[] = {
        {{true, true, true, true}, FaceKind::kDisabled, EdgeKind::kRaised, 0, true},
        {{false, true, true, false}, FaceKind::kPressed, EdgeKind::kSunken, 1, false},
        {{false, false, true, false}, FaceKind::kHover, EdgeKind::kRaised, 0, false},
        {{false, false, false, true}, FaceKind::kFace, EdgeKind::kDefault, 0, false},
        {{}, FaceKind::kFace, EdgeKind::kRaised, 0, false},
    };
    for (const Case& c : cases) {
        const ButtonLook look = LookFor(c.state);
        EXPECT_EQ(look.face, c.face);
        EXPECT_EQ(look.edge, c.edge);
        EXPECT_EQ(look.offset, c.offset);
        EXPECT_EQ(look.embossed, c.embossed);
    }
    RuntimeRand rand;
    const ShadeFaces faces = MakeShadeFaces(20, 10, Shade{kHardBump, 8, 10, 0, {}}, kColours, rand);
    EXPECT_EQ(faces.disabled.Bits(), faces.face.Bits());
    EXPECT_EQ(faces.disabled.Palette(), faces.face.Palette());
    EXPECT_EQ(faces.pressed.Bits(), faces.face.Bits());
}

}  // namespace
}  // namespace setup
