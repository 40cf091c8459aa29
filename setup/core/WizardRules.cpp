#include "WizardRules.h"

#include "Paths.h"

namespace setup {

std::string BrowsedDestination(const std::string& chosen) {
    return (EndsWithSeparator(chosen) ? chosen : chosen + "\\") + "Brontavex\\QUARN";
}

bool AcceptsDestination(const std::string& destination) {
    return destination.find('\\') != std::string::npos;
}

std::string ReadmePath(const std::string& destination) {
    std::string folder = destination;
    while (!folder.empty() && (folder.back() == ' ' || folder.back() == '\t')) folder.pop_back();
    return WithBackslash(folder) + "readme.txt";
}

Box SlideBox(int width, int height) {
    if (width <= 0 || height <= 0) return {0, 0, kCanvasWidth, kCanvasHeight};
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    if (ratio > 0.75f) {
        const int boxWidth = static_cast<int>(kCanvasHeight / ratio);
        return {(kCanvasWidth - boxWidth) / 2, 0, boxWidth, kCanvasHeight};
    }
    const int boxHeight = static_cast<int>(ratio * kCanvasWidth);
    return {0, (kCanvasHeight - boxHeight) / 2, kCanvasWidth, boxHeight};
}

}  // namespace setup
