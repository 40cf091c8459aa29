#include "ShadeBitmap.h"

#include <algorithm>

namespace setup {
namespace {

int Cube16384(int c) { return c * c * c / 128 / 128; }

// rand() / (32767 / (2g)) - g; with g = 0 the divisor is 32767.
int Noise(RuntimeRand& rand, int g) {
    const int divisor = g > 0 ? std::max(32767 / (2 * g), 1) : 32767;
    return rand.Next() / divisor - g;
}

std::uint8_t Wrap(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

void SoftBump(Bitmap8& face, int g, RuntimeRand& rand) {
    const int w = face.Width(), h = face.Height();
    for (int y = 0; y < h; ++y) {
        const int cy = 255 * y / h - 127;
        for (int x = 0; x < w; ++x) {
            const int cx = 255 * (w - x) / w - 127;
            int value = (Cube16384(cx) + Cube16384(cy)) * (128 - g) / 128 + 128;
            value = std::clamp(value, g, 255 - g);
            face.At(x, y) = Wrap(value + Noise(rand, g));
        }
    }
}

void HardBump(Bitmap8& face, int g, RuntimeRand& rand) {
    const int w = face.Width(), h = face.Height();
    for (int y = 0; y < h; ++y) {
        const int cy = 255 * y / h - 127;
        const int value = 128 + Cube16384(cy) * (64 - g) * 2 / 128;
        for (int x = 0; x < w; ++x) face.At(x, y) = Wrap(value + Noise(rand, g));
    }
    // Narrow or flat buttons would divide by zero: the ramp is at least one
    // pixel wide and the height term at least one.
    const int o = std::max(std::min(w / 6, 16), 1);
    const int quarter = std::max(h * h / 4, 1);
    for (int y = 0; y < h; ++y) {
        const int n = y - h / 2;
        const int r = o * n * n / quarter + w / 2 - o;
        for (int x = 0; x < w; ++x) {
            const int xr = x - w / 2;
            int value = face.At(x, y);
            if (r < xr) {
                value = 128 * (w - x) / o + g;
            } else if (xr + r < 0) {
                value = (255 - g) - 128 * x / o;
            }
            face.At(x, y) = Wrap(value + Noise(rand, g));
        }
    }
}

}  // namespace

Bitmap8::Bitmap8(int width, int height)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {
    m_bits.assign(static_cast<std::size_t>(Stride()) * m_height, 0);
}

void Bitmap8::BlendPalette(Rgb colour, int percent) {
    const int p = std::min(percent, 100);
    if (p <= 0) return;
    const auto blend = [p](int c, int channel) { return (p * c + (100 - p) * channel) / 100; };
    for (Rgb& entry : m_palette) {
        entry = {blend(colour.r, entry.r), blend(colour.g, entry.g), blend(colour.b, entry.b)};
    }
}

std::array<Rgb, 256> ShadePalette(const ButtonColours& colours) {
    std::array<Rgb, 256> palette{};
    const auto mix = [](Rgb a, int wa, Rgb b, int wb) {
        return Rgb{(a.r * wa + b.r * wb) / 128, (a.g * wa + b.g * wb) / 128,
                   (a.b * wa + b.b * wb) / 128};
    };
    for (int i = 0; i <= 128; ++i) palette[i] = mix(colours.shadow, 128 - i, colours.face, i);
    for (int i = 1; i <= 128; ++i) {
        palette[127 + i] = mix(colours.highlight, i, colours.face, 128 - i);
    }
    return palette;
}

ShadeFaces MakeShadeFaces(int width, int height, const Shade& shade, const ButtonColours& colours,
                          RuntimeRand& rand) {
    ShadeFaces faces;
    faces.face = Bitmap8(width, height);
    faces.focusLineH = Bitmap8(width - 2 * kFocusMargin - 1, 1);
    faces.focusLineV = Bitmap8(1, height - 2 * kFocusMargin);
    const auto palette = ShadePalette(colours);
    for (Bitmap8* bitmap : {&faces.face, &faces.focusLineH, &faces.focusLineV}) {
        bitmap->Palette() = palette;
    }
    faces.face.BlendPalette(shade.colour, shade.colouring);
    for (int x = 0; x < faces.focusLineH.Width(); ++x) faces.focusLineH.At(x, 0) = x % 2;
    for (int y = 0; y < faces.focusLineV.Height(); ++y) faces.focusLineV.At(0, y) = y % 2;

    if (shade.style == kHardBump) {
        HardBump(faces.face, shade.granularity, rand);
    } else {
        SoftBump(faces.face, shade.granularity, rand);
    }
    faces.disabled = faces.face;
    faces.hover = faces.face;
    faces.hover.BlendPalette(colours.highlight, shade.highlight);
    faces.pressed = faces.hover;
    return faces;
}

ButtonLook LookFor(const ButtonState& state) {
    if (state.disabled) return {FaceKind::kDisabled, EdgeKind::kRaised, 0, true};
    if (state.pressed) return {FaceKind::kPressed, EdgeKind::kSunken, 1, false};
    return {state.hover ? FaceKind::kHover : FaceKind::kFace,
            state.isDefault ? EdgeKind::kDefault : EdgeKind::kRaised, 0, false};
}

}  // namespace setup
