// Single values of a grid pane ("方格"). Each operation opens the pane,
// reads or rewrites its values and closes it again. Readers are true when
// the key (or one of the keys) was present; writers when the write took.
#pragma once

#include <string>

#include "dbmain.h"

// Whether the pane's data carries the mark "方格类".
bool IsPane(AcDbObjectId entity);

// "场区编号" of the pane (empty when missing).
bool GetPaneFieldNumber(AcDbObjectId pane, std::wstring& number);
bool SetPaneFieldNumber(AcDbObjectId pane, const ACHAR* number);
// "方格编号" (empty when missing).
bool GetPaneNumber(AcDbObjectId pane, std::wstring& number);
bool SetPaneNumber(AcDbObjectId pane, const ACHAR* number);

// "行数" and "列数" (both 0 first); true when either is present.
bool GetPaneRowColumn(AcDbObjectId pane, int& row, int& column);
bool SetPaneRowColumn(AcDbObjectId pane, int row, int column);

// "填方量" and "挖方量" (both 0 first); true when either is present.
bool GetPaneVolumes(AcDbObjectId pane, double& fill, double& cut);
// Volumes and areas are stored in the volume precision.
bool SetPaneVolumes(AcDbObjectId pane, double fill, double cut);
bool SetPaneAreas(AcDbObjectId pane, double fillArea, double cutArea);

// "填方公式", "填方过程", "挖方公式", "挖方过程", stored as given; the reader
// leaves a missing text empty and is true when any of them is present.
bool GetPaneFormulas(AcDbObjectId pane, std::wstring& fillFormula, std::wstring& fillProcess,
                     std::wstring& cutFormula, std::wstring& cutProcess);
bool SetPaneFormulas(AcDbObjectId pane, const ACHAR* fillFormula, const ACHAR* fillProcess,
                     const ACHAR* cutFormula, const ACHAR* cutProcess);
