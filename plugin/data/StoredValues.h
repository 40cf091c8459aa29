// Stored number texts as they stand in the drawing, for tools that list or
// check a drawing's data rather than compute with it: the text, the value
// the readers of this folder take from it, and whether the text is a number
// as a whole.
#pragma once

#include <optional>
#include <string>

#include "dbmain.h"

struct StoredNumber {
    std::wstring key;
    std::wstring text;
    double value = 0.0;  // _wtof of the text, as every reader takes it
    bool wellFormed = false;
};

// Whether the text, blanks at either end aside, is one finite number and
// nothing else ("12.5", "-3", "1e3"; not "", "12,5", "1.2m", "nan").
bool IsNumberText(const std::wstring& text);

// The stored number under the application's key; nothing when the key is
// missing or the entity cannot be opened.
std::optional<StoredNumber> GetStoredNumber(AcDbObjectId id, const ACHAR* app, const ACHAR* key);

// StoredNumber of a key and its text.
StoredNumber MakeStoredNumber(const std::wstring& key, const std::wstring& text);
