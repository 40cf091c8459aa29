// The host program's own commands: OPEN, SAVE, LIST, SVG, UCS, QUIT.
#pragma once

#include <memory>
#include <string>

class AcDbDatabase;
class AcApDocument;

// Registers the commands with the command loop (found before module commands).
void cadhostAddCommands();

// Reads a DXF drawing into a new database; on failure null and the reason.
std::unique_ptr<AcDbDatabase> cadhostReadDrawing(const std::wstring& path, std::wstring& error);

// Writes a document's drawing as DXF (the previous file kept as .bak) and names
// the document after the file; false with the reason when it cannot be written.
bool cadhostWriteDrawing(AcApDocument* doc, const std::wstring& path, std::wstring& error);

// Writes the SVG picture of a document's model space, on white or on the
// host's dark background.
bool cadhostWritePicture(AcApDocument* doc, const std::wstring& path, std::wstring& error,
                         bool darkBackground = false);
