// Evaluates an arithmetic formula text to one real number. The earthwork
// formulas are stored as text with their symbols replaced by numbers written
// with "%G"; the shown formula and the stored number come from the same text.
#pragma once

#include <string>
#include <vector>

#include "PhysConst.h"

class CFormulaParser {
  public:
    CFormulaParser();
    virtual ~CFormulaParser();

    // Value of the formula with the variable X set to x (x exactly 0 is taken
    // as 2^-126). Never throws: a failure during parsing gives 0.
    double Evaluate(std::wstring formula, double x);

    // Text of the last error of the last Evaluate, empty when there was none.
    const std::wstring& ErrorText() const;

  private:
    using wchar = wchar_t;

    double ParseExpression();
    double ParseTerm();
    double ParsePower();
    double ParseSign();
    double ParseFactor();
    double ParseNumber();
    double ParseParenthesised();
    double ParseName(size_t nameIndex);
    double ApplyFunction(size_t nameIndex, double argument);
    size_t MatchName() const;
    void SetSystemError(const char* message) noexcept;
    void NextToken();
    void SkipBlanks();
    wchar Token() const;
    bool AtEnd() const;

    CPhysConst m_constants;
    const std::vector<std::wstring>* m_names;  // shared, never changes
    std::wstring m_text;
    std::wstring m_errorText;
    size_t m_position = 0;
    int m_depth = 0;
    double m_x = 0.0;
    double m_variables[8] = {};
};
