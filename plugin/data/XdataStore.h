// Opening one entity for one read or one rewrite of an application's keyed
// values. Every operation of this folder goes through here, so each opens
// its entity itself and has closed it again when it returns.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "ArxHelpers.h"

// The application's values of the entity; nothing when it cannot be opened.
std::optional<ArxDbgAppXdataX> LoadXdata(AcDbObjectId id, const ACHAR* app);

// Opens the entity for write, loads the application's values, lets edit
// change them and writes them back. True when the write returned eOk.
bool EditXdata(AcDbObjectId id, const ACHAR* app,
               const std::function<void(ArxDbgAppXdataX&)>& edit);

// EditXdata for an edit that only pays off in one go: nothing (the entity
// unchanged) when the entity cannot be opened or ready(data) is false,
// otherwise whether the write returned eOk.
std::optional<bool> EditXdataWhen(AcDbObjectId id, const ACHAR* app,
                                  const std::function<bool(const ArxDbgAppXdataX&)>& ready,
                                  const std::function<void(ArxDbgAppXdataX&)>& edit);

// One key's text. False (value = fallback) when the key is absent or the
// entity cannot be opened.
bool ReadText(AcDbObjectId id, const ACHAR* app, const ACHAR* key, std::wstring& value,
              const ACHAR* fallback);

// Two keys read as reals (both 0 first); true when either is present.
bool ReadRealPair(AcDbObjectId id, const ACHAR* app, const ACHAR* firstKey, double& first,
                  const ACHAR* secondKey, double& second);

// Numbers that are not finite are never stored: true (and the write status
// eInvalidInput) when one of them is not finite.
bool RefuseNonFinite(std::initializer_list<double> values);

using KeyValue = std::pair<const ACHAR*, std::wstring>;

// Sets the keys (existing ones keep their place, new ones are appended).
bool WriteTexts(AcDbObjectId id, const ACHAR* app, std::initializer_list<KeyValue> values);
