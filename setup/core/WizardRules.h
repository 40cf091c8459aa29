// The wizard pages' own rules on folders and slides, as values.
#pragma once

#include <string>

namespace setup {

// The destination after the folder browser returned `chosen`:
// "D:\" gives "D:\Brontavex\QUARN", "D:\Tools" "D:\Tools\Brontavex\QUARN".
std::string BrowsedDestination(const std::string& chosen);
// A destination is taken when it is not empty and holds a backslash.
bool AcceptsDestination(const std::string& destination);
// The readme the finish page opens: trailing blanks dropped, backslash added.
std::string ReadmePath(const std::string& destination);

constexpr int kCanvasWidth = 1024;
constexpr int kCanvasHeight = 768;

struct Box {
    int x, y, width, height;
    bool operator==(const Box&) const = default;
};
// Where a picture of the given size lands on the 1024 x 768 canvas: full
// height and centred across when it is taller than 4:3, else full width
// and centred up and down.
Box SlideBox(int width, int height);

}  // namespace setup
