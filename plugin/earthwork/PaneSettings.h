// The settings that choose how pane volumes are computed, read afresh for
// every calculation.
#pragma once

#include <string>

#include "SettingsReader.h"

// Formula family of square panes (CALTUFMODE).
enum class SquareFamily {
    UserFormulas = 0,  // CalTuFFormula1 ... CalTuFFormula4
    SquaredSum = 1,    // every number other than 0, 2, 3, 4
    ZeroDistance = 2,  // the default
    Cubic = 3,
    FourTriangles = 4,  // average of the two diagonal splits
};

// Formula mode of triangles and non-square quadrilaterals (CALTUFTriMODE).
enum class TriangleMode {
    BuiltIn,      // empty or 2
    UserFormula,  // CalTuFFormula5 for triangles of one sign
    Geometric,    // 1: solids between the two surfaces
};

SquareFamily ReadSquareFamily(const SettingsReader& settings);
TriangleMode ReadTriangleMode(const SettingsReader& settings);
// CalTuFFormula<number>, empty when it is not set.
std::wstring ReadUserFormula(const SettingsReader& settings, int number);
// The setting's name, CalTuFFormula<number>.
std::wstring UserFormulaName(int number);
