// The faces of the installer's shaded push buttons: 8-bit palette bitmaps
// generated from the system's 3-D colours with a little noise. Plain code,
// so that the same faces can be checked without a window system.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace setup {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// The C runtime's rand(), never seeded: every button of the program draws
// its noise from the one sequence, so the faces are the same on every run.
class RuntimeRand {
  public:
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

  private:
    std::uint32_t m_state = 1;
};

// A device-independent 8-bit bitmap: 256-entry palette, rows padded to four
// bytes and stored bottom-up (row 0 is the bottom row).
class Bitmap8 {
  public:
    Bitmap8() = default;
    Bitmap8(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return (m_width * 8 + 31) / 32 * 4; }
    // Pixel of column x, row y counted from the bottom.
    std::uint8_t& At(int x, int y) { return m_bits[static_cast<std::size_t>(y) * Stride() + x]; }
    std::uint8_t At(int x, int y) const {
        return m_bits[static_cast<std::size_t>(y) * Stride() + x];
    }
    const std::vector<std::uint8_t>& Bits() const { return m_bits; }
    std::array<Rgb, 256>& Palette() { return m_palette; }
    const std::array<Rgb, 256>& Palette() const { return m_palette; }

    // Each channel := (p * colour + (100 - p) * channel) / 100, p at most 100.
    void BlendPalette(Rgb colour, int percent);

  private:
    int m_width = 0;
    int m_height = 0;
    std::array<Rgb, 256> m_palette{};
    std::vector<std::uint8_t> m_bits;
};

struct ButtonColours {
    Rgb shadow;     // COLOR_BTNSHADOW
    Rgb face;       // COLOR_BTNFACE
    Rgb highlight;  // COLOR_BTNHIGHLIGHT
};

enum ShadeStyle { kSoftBump = 6, kHardBump = 7 };

struct Shade {
    int style = kSoftBump;
    int granularity = 8;
    int highlight = 10;  // percentage of the hover blend
    int colouring = 0;   // percentage of the face blend towards `colour`
    Rgb colour;
};

struct ShadeFaces {
    Bitmap8 face, pressed, disabled, hover;
    Bitmap8 focusLineH, focusLineV;
};

constexpr int kFocusMargin = 4;

// The shadow-to-face-to-highlight ramp shared by every face and focus line.
std::array<Rgb, 256> ShadePalette(const ButtonColours& colours);
ShadeFaces MakeShadeFaces(int width, int height, const Shade& shade, const ButtonColours& colours,
                          RuntimeRand& rand);

// What a button shows in a given state.
struct ButtonState {
    bool disabled = false;
    bool pressed = false;
    bool hover = false;
    bool isDefault = false;
};
enum class FaceKind { kFace, kHover, kPressed, kDisabled };
enum class EdgeKind { kRaised, kSunken, kDefault };  // kDefault: sunken outer, raised inner
struct ButtonLook {
    FaceKind face;
    EdgeKind edge;
    int offset;     // face and text moved right and down by this much
    bool embossed;  // text in the highlight colour, then 1 up-left in grey
};
ButtonLook LookFor(const ButtonState& state);

}  // namespace setup
