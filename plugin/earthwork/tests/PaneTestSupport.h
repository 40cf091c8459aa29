// Builders shared by the pane tests: panes, surfaces from heights, settings.
#pragma once

#include <cmath>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "FormulaParser.h"
#include "SettingsReader.h"
#include "acge.h"

namespace panetest {

// Corners and the two surfaces of a pane; second is a sloping base so that
// z never matters to the plan formulas, first = second + h.
struct Pane {
    std::vector<AcGePoint3d> points;
    std::vector<double> first;
    std::vector<double> second;
};

inline Pane MakePane(std::vector<AcGePoint3d> points, const std::vector<double>& heights) {
    Pane pane{std::move(points), {}, {}};
    for (size_t k = 0; k < heights.size(); ++k) {
        const double base = 100.0 + 0.01 * static_cast<double>(k);
        pane.second.push_back(base);
        pane.first.push_back(base + heights[k]);
    }
    return pane;
}

// Square of side a, corners counter-clockwise from (x0, y0).
inline std::vector<AcGePoint3d> SquareCorners(double a, double x0 = 0.0, double y0 = 0.0) {
    return {{x0, y0, 0.0}, {x0 + a, y0, 0.0}, {x0 + a, y0 + a, 0.0}, {x0, y0 + a, 0.0}};
}

inline MapSettingsReader Settings(
    std::initializer_list<std::pair<const std::wstring, std::wstring>> values) {
    return MapSettingsReader(std::map<std::wstring, std::wstring>(values));
}

inline double Evaluate(const std::wstring& text) {
    CFormulaParser parser;
    return parser.Evaluate(text, 0.0);
}

// Relative closeness with an absolute floor for values near 0.
inline bool Near(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// A height away from 0, of random sign.
inline double NonZeroHeight(std::mt19937& rng) {
    std::uniform_real_distribution<double> magnitude(0.05, 3.0);
    return (rng() % 2 == 0 ? 1.0 : -1.0) * magnitude(rng);
}

// Fill and cut volumes of a height field that is linear over a simple plan
// polygon, given by its heights at the corners: the polygon is clipped at the
// zero line and h is integrated over each part as signed area times the mean
// of the corners (exact for a linear field over each fan triangle).
struct Volumes {
    double fill = 0.0;
    double cut = 0.0;
};

inline double IntegrateLinear(const std::vector<AcGePoint3d>& p, const std::vector<double>& h) {
    double sum = 0.0;
    for (size_t i = 1; i + 1 < p.size(); ++i) {
        const double area2 =
            (p[i].x - p[0].x) * (p[i + 1].y - p[0].y) - (p[i].y - p[0].y) * (p[i + 1].x - p[0].x);
        sum += area2 / 2.0 * (h[0] + h[i] + h[i + 1]) / 3.0;
    }
    return sum;
}

// The part of the polygon where sign·h >= 0, with its heights.
inline void ClipAtZero(const std::vector<AcGePoint3d>& p, const std::vector<double>& h, double sign,
                       std::vector<AcGePoint3d>& outP, std::vector<double>& outH) {
    for (size_t i = 0; i < p.size(); ++i) {
        const size_t j = (i + 1) % p.size();
        const double hi = sign * h[i], hj = sign * h[j];
        if (hi >= 0.0) outP.push_back(p[i]), outH.push_back(h[i]);
        if ((hi > 0.0 && hj < 0.0) || (hi < 0.0 && hj > 0.0)) {
            const double t = hi / (hi - hj);
            outP.push_back(p[i] + (p[j] - p[i]) * t);
            outH.push_back(0.0);
        }
    }
}

inline Volumes ExactLinearVolumes(const std::vector<AcGePoint3d>& p, const std::vector<double>& h) {
    Volumes v;
    std::vector<AcGePoint3d> cp, fp;
    std::vector<double> ch, fh;
    ClipAtZero(p, h, 1.0, cp, ch);
    ClipAtZero(p, h, -1.0, fp, fh);
    v.cut = cp.size() >= 3 ? std::fabs(IntegrateLinear(cp, ch)) : 0.0;
    v.fill = fp.size() >= 3 ? std::fabs(IntegrateLinear(fp, fh)) : 0.0;
    return v;
}

inline double PlanArea(const std::vector<AcGePoint3d>& p) {
    return std::fabs(IntegrateLinear(p, std::vector<double>(p.size(), 1.0)));
}

// A linear field value + gx·(x − x0) + gy·(y − y0).
struct LinearField {
    double value, gx, gy, x0, y0;
    double operator()(const AcGePoint3d& p) const {
        return value + gx * (p.x - x0) + gy * (p.y - y0);
    }
};

// A pane whose second surface and height are linear fields.
inline Pane LinearPane(const std::vector<AcGePoint3d>& points, const LinearField& second,
                       const LinearField& height, std::vector<double>* heights = nullptr) {
    Pane pane{points, {}, {}};
    for (const AcGePoint3d& p : points) {
        pane.second.push_back(second(p));
        pane.first.push_back(second(p) + height(p));
        if (heights) heights->push_back(height(p));
    }
    return pane;
}

}  // namespace panetest
