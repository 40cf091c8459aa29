// Recursive-descent evaluator of formula texts. One token is one character of
// the normalised text; letters in names compare case-insensitively.
//
//   Expression = Term { ("+" | "-") Term }                  left-associative
//   Term       = Power { ("*" | "/") Power }                left-associative
//   Power      = Sign { "^" Sign }                          left-associative
//   Sign       = "-" Factor | Factor
//   Factor     = <end>                                      -> 0
//              | Number                                     -> _wtof of the run
//              | "(" Expression [ ")" ]                     missing ")" accepted
//              | "X" | "x"                                  -> X
//              | Name Factor                                -> function or constant
//              | "A" ... "H"                                -> variable
//              | <other>                                    -> 0, not consumed
//   Number     = { digit | "." }                            no exponent letter
//   Name       = the first entry of the name list (functions, then constants)
//                that the text at this position begins with
//
// A unary minus binds tighter than "^" (-2^2 is 4), and a name always takes
// the factor after it as its argument (a constant before an operator takes an
// empty one). Stored formulas rely on these rules.
#include "FormulaParser.h"

#include <array>
#include <cmath>
#include <cwctype>
#include <numbers>
#include <optional>
#include <stdexcept>

#include "FormulaNormalizer.h"
#include "wcrt.h"

namespace {

// X = 0 is replaced by the smallest normal float, 2^-126, so that formulas
// dividing by X never meet an exact zero.
constexpr double kZeroX = 1.1754943508222875e-38;

// Deeper nesting than any real formula has; the bound keeps a hostile text
// from exhausting the stack of the host's thread.
constexpr int kMaxDepth = 200;

const std::wstring kDivideByZero = L" Divide by zero!";
const std::wstring kNegativeRoot = L" No SQRT from neg. values!";
const std::wstring kDomainError = L" General Parser Error blocked!";

using Result = std::optional<double>;  // empty: argument outside the domain

// Truncation towards zero to a 32-bit integer as the host's compiler does it:
// a value outside the int range (or NaN) gives the "integer indefinite" value.
double truncateToInt32(double a) {
    if (!(a > -2147483649.0 && a < 2147483648.0)) return -2147483648.0;
    return static_cast<double>(static_cast<int>(a));
}

struct FormulaFunction {
    const wchar_t* name;
    Result (*apply)(double a);
};

// The functions in the order of the name list; a longer name that begins like
// a shorter one ("SINH", "SIN") must stand before it.
const std::array<FormulaFunction, 25> kFunctions = {{
    {L"PI", [](double) -> Result { return std::numbers::pi; }},
    {L"ABS", [](double a) -> Result { return std::fabs(a); }},
    {L"SQRT", [](double a) -> Result { return a >= 0 ? Result(std::sqrt(a)) : std::nullopt; }},
    {L"SINH", [](double a) -> Result { return std::sinh(a); }},
    {L"COSH", [](double a) -> Result { return std::cosh(a); }},
    {L"TANH", [](double a) -> Result { return std::tanh(a); }},
    {L"ARCTAN", [](double a) -> Result { return std::atan(a); }},
    {L"LN", [](double a) -> Result { return a >= 0 ? Result(std::log(a)) : std::nullopt; }},
    {L"LOG", [](double a) -> Result { return a >= 0 ? Result(std::log10(a)) : std::nullopt; }},
    // Arguments above 41 count as outside the domain.
    {L"EXP", [](double a) -> Result { return a <= 41 ? Result(std::exp(a)) : std::nullopt; }},
    {L"SIN", [](double a) -> Result { return std::sin(a); }},
    {L"COS", [](double a) -> Result { return std::cos(a); }},
    {L"TAN",
     [](double a) -> Result { return std::cos(a) == 0 ? std::nullopt : Result(std::tan(a)); }},
    {L"COT", [](double a) -> Result { return std::cos(a) / std::sin(a); }},
    {L"ARCSIN",
     [](double a) -> Result { return std::fabs(a) < 1 ? Result(std::asin(a)) : std::nullopt; }},
    {L"ARCCOS",
     [](double a) -> Result { return std::fabs(a) <= 1 ? Result(std::acos(a)) : std::nullopt; }},
    {L"INT", [](double a) -> Result { return truncateToInt32(a); }},
    {L"RAD", [](double a) -> Result { return a * std::numbers::pi / 180; }},
    {L"DEG", [](double a) -> Result { return a * 180 / std::numbers::pi; }},
    {L"SIGN", [](double a) -> Result { return a > 0 ? 1.0 : (a < 0 ? -1.0 : 0.0); }},
    // arsinh(a) = ln(sqrt(a^2 + 1) + a), written for a < 0 so that it keeps
    // its sign: -ln(sqrt(a^2 + 1) - a).
    {L"ARSINH",
     [](double a) -> Result {
         const double root = std::sqrt(a * a + 1);
         return a < 0 ? -std::log(root - a) : std::log(root + a);
     }},
    // arcosh(a) = ln(sqrt(a^2 - 1) + a)
    {L"ARCOSH",
     [](double a) -> Result {
         return std::fabs(a) >= 1 ? Result(std::log(std::sqrt(a * a - 1) + a)) : std::nullopt;
     }},
    // artanh(a) = ln((1 + a) / (1 - a)) / 2
    {L"ARTANH",
     [](double a) -> Result {
         return std::fabs(a) <= 1 ? Result(0.5 * std::log((a + 1) / (1 - a))) : std::nullopt;
     }},
    {L"KGV", [](double a) -> Result { return a; }},
    {L"GGT", [](double a) -> Result { return a; }},
}};

// The name list holds at most this many constant names.
constexpr int kMaxConstants = 99;

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring upper(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
}

// Entry 0 empty, then the function names and the constant names, upper-cased
// for matching. Built once; every evaluator reads the same list.
const std::vector<std::wstring>& nameList(const CPhysConst& constants) {
    static const std::vector<std::wstring> names = [&constants] {
        std::vector<std::wstring> list(1);
        for (const FormulaFunction& function : kFunctions) list.emplace_back(function.name);
        for (int i = 1; i <= kMaxConstants; ++i) {
            const std::wstring& name = constants.GetConstantName(i);
            if (name == L"***") break;
            list.push_back(name);
        }
        for (std::wstring& name : list) name = upper(name);
        return list;
    }();
    return names;
}

// Counts one level of nesting for as long as it lives.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : m_depth(depth) {
        if (++m_depth > kMaxDepth) {
            --m_depth;
            throw std::runtime_error("formula nested too deeply");
        }
    }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& m_depth;
};

}  // namespace

CFormulaParser::CFormulaParser() : m_names(&nameList(m_constants)) {}

CFormulaParser::~CFormulaParser() = default;

const std::wstring& CFormulaParser::ErrorText() const { return m_errorText; }

double CFormulaParser::Evaluate(std::wstring formula, double x) {
    m_errorText.clear();
    if (formula.empty()) return 0.0;
    try {
        m_text = NormalizeFormula(std::move(formula));
        m_x = (x == 0.0) ? kZeroX : x;
        m_depth = 0;
        m_position = 0;
        SkipBlanks();
        const double value = ParseExpression();
        // Whatever follows an unexpected character is ignored.
        if (!AtEnd())
            m_errorText =
                wcrtFormat(L"Error found on position %d!", static_cast<int>(m_position + 1));
        return value;
    } catch (const std::exception& error) {
        SetSystemError(error.what());
    } catch (...) {
        SetSystemError("");
    }
    return 0.0;
}

// Reports an exception caught during parsing; must not throw in its turn.
void CFormulaParser::SetSystemError(const char* message) noexcept {
    try {
        m_errorText = L"System Error: " + wcrtFromUtf8(message);
    } catch (...) {
        m_errorText.clear();
    }
}

// Expression = Term { ("+" | "-") Term }
double CFormulaParser::ParseExpression() {
    double value = ParseTerm();
    while (Token() == L'+' || Token() == L'-') {
        const wchar op = Token();
        NextToken();
        const double term = ParseTerm();
        value = (op == L'+') ? value + term : value - term;
    }
    return value;
}

// Term = Power { ("*" | "/") Power }
// A divisor of exactly 0 skips the division and leaves the value unchanged.
double CFormulaParser::ParseTerm() {
    double value = ParsePower();
    while (Token() == L'*' || Token() == L'/') {
        const wchar op = Token();
        NextToken();
        const double operand = ParsePower();
        if (op == L'*') {
            value *= operand;
        } else if (operand == 0.0) {
            m_errorText = kDivideByZero;
        } else {
            value /= operand;
        }
    }
    return value;
}

// Power = Sign { "^" Sign }
// base^exponent is taken when base > 0, or when the exponent is an integer of
// magnitude above 1 (so (-3)^2 is 9); otherwise the base stays as it is.
double CFormulaParser::ParsePower() {
    double base = ParseSign();
    while (Token() == L'^') {
        NextToken();
        const double exponent = ParseSign();
        const bool integral = std::trunc(exponent) == exponent && std::fabs(exponent) > 1;
        if (base > 0 || integral) {
            base = std::pow(base, exponent);
        } else {
            m_errorText = kNegativeRoot;
        }
    }
    return base;
}

// Sign = "-" Factor | Factor
double CFormulaParser::ParseSign() {
    if (Token() != L'-') return ParseFactor();
    NextToken();
    return -ParseFactor();
}

// Factor = <end> | Number | "(" Expression [")"] | "X" | Name Factor
//        | "A" ... "H" | <other, not consumed>
double CFormulaParser::ParseFactor() {
    const DepthGuard guard(m_depth);
    if (AtEnd()) return 0.0;
    const wchar c = Token();
    if (isDigit(c) || c == L'.') return ParseNumber();
    if (c == L'(') return ParseParenthesised();
    if (c == L'X' || c == L'x') {
        NextToken();
        return m_x;
    }
    if (const size_t name = MatchName(); name != 0) return ParseName(name);
    const wchar letter = static_cast<wchar>(std::towupper(static_cast<wint_t>(c)));
    if (letter >= L'A' && letter <= L'H') {
        NextToken();
        return m_variables[letter - L'A'];
    }
    return 0.0;
}

// Number = { digit | "." }
double CFormulaParser::ParseNumber() {
    std::wstring digits;
    while (!AtEnd() && (isDigit(Token()) || Token() == L'.')) {
        digits += Token();
        NextToken();
    }
    return _wtof(digits.c_str());
}

// "(" Expression [")"]
double CFormulaParser::ParseParenthesised() {
    NextToken();
    const double value = ParseExpression();
    if (Token() == L')') NextToken();
    return value;
}

// Name Factor: the name's function of the factor, or the named constant.
double CFormulaParser::ParseName(size_t nameIndex) {
    m_position += (*m_names)[nameIndex].size() - 1;
    NextToken();
    const double argument = ParseFactor();
    return ApplyFunction(nameIndex, argument);
}

// A function outside its domain reports the error and gives its argument; a
// constant whose value is 0 (unknown) gives the argument too.
double CFormulaParser::ApplyFunction(size_t nameIndex, double argument) {
    if (nameIndex <= kFunctions.size()) {
        const Result result = kFunctions[nameIndex - 1].apply(argument);
        if (result) return *result;
        m_errorText = kDomainError;
        return argument;
    }
    const double value = m_constants.GetConstantValue((*m_names)[nameIndex]);
    return value != 0.0 ? value : argument;
}

// Index of the first name the text at the position begins with, 0 for none.
size_t CFormulaParser::MatchName() const {
    for (size_t i = 1; i < m_names->size(); ++i) {
        const std::wstring& name = (*m_names)[i];
        if (m_text.size() - m_position < name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < name.size() && same; ++k) {
            same = std::towupper(static_cast<wint_t>(m_text[m_position + k])) ==
                   static_cast<wint_t>(name[k]);
        }
        if (same) return i;
    }
    return 0;
}

void CFormulaParser::NextToken() {
    ++m_position;
    SkipBlanks();
}

void CFormulaParser::SkipBlanks() {
    while (m_position < m_text.size() && m_text[m_position] == L' ') ++m_position;
}

CFormulaParser::wchar CFormulaParser::Token() const { return AtEnd() ? L'\0' : m_text[m_position]; }

bool CFormulaParser::AtEnd() const { return m_position >= m_text.size(); }
