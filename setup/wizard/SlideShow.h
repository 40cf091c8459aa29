// The backdrop's slides: pictures loaded through OLE and laid onto a white
// 1024 x 768 canvas with a grey frame, keeping their proportions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setup {

// Full paths of the "*.jpg" files of `folder` (with trailing backslash).
std::vector<std::string> FindSlides(const std::string& folder);
// The slide's canvas as a bitmap compatible with `dc`; null when the file
// cannot be loaded as a picture.
HBITMAP PrepareSlide(HDC dc, const std::string& file);

}  // namespace setup
