// The keyed string layout of one application's extended data, as pure
// functions over result-buffer chains.
#pragma once

#include <memory_resource>
#include <string>
#include <utility>
#include <vector>

#include "ArxDbgAppXdataX.h"
#include "ArxDbgRbList.h"

using XdataEntries = ArxDbgAppXdataX::Entries;

struct DecodedXdata {
    XdataEntries entries;
    // A copy of the groups from the first one that breaks the layout to the end.
    ArxDbgRbList tail;
};

// Reads the groups that follow the application's 1001 group; the entries'
// texts are taken from `memory`.
DecodedXdata DecodeKeyedXdata(const resbuf* groups,
                              std::pmr::memory_resource* memory = std::pmr::get_default_resource());

// The value of the first entry with the key, as DecodeKeyedXdata would give
// it, without decoding the others; false (value empty) when there is none.
bool FindKeyedValue(const resbuf* groups, const ACHAR* key, std::wstring& value);

// The groups of the entries in order (key, then value, braced in pieces when
// long) as type codes and texts; the texts point into the entries and into
// `pieces`, so they hold while both stay unchanged (a move keeps them).
struct KeyedGroups {
    std::vector<std::wstring> pieces;
    std::vector<std::pair<short, const ACHAR*>> groups;
};
KeyedGroups LayOutKeyedXdata(const XdataEntries& entries);

// Appends the groups of the entries (key, then value, braced when long) to list.
void EncodeKeyedXdata(const XdataEntries& entries, ArxDbgRbList& list);

// Cuts text into pieces of at most maxBytes UTF-8 bytes each, never inside a
// character; an empty text gives one empty piece.
std::vector<std::wstring> SplitUtf8(std::wstring_view text, size_t maxBytes);

size_t Utf8Length(std::wstring_view text);
