// Rewrites a formula text into the form the formula parser reads: blanks
// removed, decimal commas and bracket kinds unified, redundant factors and
// parentheses dropped. No step changes the value of a well-formed formula.
#pragma once

#include <string>

std::wstring NormalizeFormula(std::wstring formula);
