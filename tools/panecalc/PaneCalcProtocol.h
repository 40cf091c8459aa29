// The request/answer protocol of panecalc: one JSON object per line in, one
// JSON object per line out (docs/panecalc.md).
#pragma once

#include <string>

// The answer line (without its line end) to one request line. Never throws:
// a line that cannot be handled gets {"error":TEXT}.
std::string AnswerRequestLine(const std::string& line);
