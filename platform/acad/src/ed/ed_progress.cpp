// The status-bar progress meter, drawn as a bar on standard error when that
// is a terminal and kept silent otherwise (scripts, tests, pipes).
#include <unistd.h>

#include <cstdio>

#include "ed_state.h"
#include "wcrt.h"

namespace {

// Width of the bar in characters.
constexpr int kBarWidth = 30;

bool onTerminal() { return isatty(STDERR_FILENO) != 0; }

int percentOf(const AcEdProgressMeter& m, int pos) {
    const long span = static_cast<long>(m.maxPos) - m.minPos;
    if (span <= 0) return 100;
    long done = static_cast<long>(pos) - m.minPos;
    if (done < 0) done = 0;
    if (done > span) done = span;
    return static_cast<int>(done * 100 / span);
}

void draw(const AcEdProgressMeter& m, int percent) {
    const int filled = percent * kBarWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", wcrtToUtf8(m.label).c_str(), bar.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace

int acedSetStatusBarProgressMeter(const ACHAR* pszLabel, int nMinPos, int nMaxPos) {
    AcEdProgressMeter& m = acedState().meter;
    m = {true, pszLabel != nullptr ? pszLabel : L"", nMinPos, nMaxPos, -1};
    if (onTerminal()) acedSetStatusBarProgressMeterPos(nMinPos);
    return 0;
}

int acedSetStatusBarProgressMeterPos(int nPos) {
    AcEdProgressMeter& m = acedState().meter;
    if (!m.active) return -1;
    const int percent = percentOf(m, nPos);
    if (percent == m.shownPercent) return 0;
    m.shownPercent = percent;
    if (onTerminal()) draw(m, percent);
    return 0;
}

void acedRestoreStatusBar() {
    AcEdProgressMeter& m = acedState().meter;
    const bool wasShown = m.active && m.shownPercent >= 0;
    m = {};
    if (!wasShown || !onTerminal()) return;
    std::fputs("\r\033[K", stderr);  // clear the bar's line
    std::fflush(stderr);
}
