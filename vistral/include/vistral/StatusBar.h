// The optional status bar at the bottom of the GL window.
//
// CreateOGLWindow makes it when ShowStatusBar is true. A client fills StatusItem and
// MaxStatusItem before the window is created; -1 lets a part reach the right end.
#pragma once

#include "Win32.h"
#include "vistral/RangeCheck.h"

#include <cstdint>

// Control identifier of the bar.
constexpr std::int32_t STATUS_BAR_ID = 30482;
// Initial text of the bar.
inline constexpr char STATUS_BAR_TEXT[] = "Percorso file";
// Highest number of parts.
constexpr std::int32_t MAX_STATUS_ITEMS = 20;
// Highest index of FileName.
constexpr std::int32_t FILE_NAME_HIGH = 260;

using TStatusFileName = vistral::RangeArray<char, 0, FILE_NAME_HIGH, "FileName">;
using TStatusItems = vistral::RangeArray<std::int32_t, 1, MAX_STATUS_ITEMS, "StatusItem">;
using TStatusEdges = vistral::RangeArray<std::int32_t, 1, MAX_STATUS_ITEMS, "Edges">;

// The bar made by the last CreateStatusBar call; 0 if creation failed.
extern HWND AWnd;
// Initial text of the bar, zero-filled.
extern TStatusFileName FileName;
// Right edges of the parts in client coordinates, 1..MaxStatusItem.
extern TStatusItems StatusItem;
// Number of parts, 0 to 20; a value outside stops the program with a range error when
// the bar is created.
extern std::int32_t MaxStatusItem;
// The copy of StatusItem handed to the status window.
extern TStatusEdges Edges;

// Creates the bar as a child of Parent with the text "Percorso file" and MaxStatusItem
// parts; returns its handle, 0 on failure (then no parts are set).
HWND CreateStatusBar(HWND Parent);
