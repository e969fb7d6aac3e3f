// The optional status bar: a common-controls status window at the bottom of the GL window.
#include "vistral/StatusBar.h"

#include <cstring>

HWND AWnd = 0;
TStatusFileName FileName = {};
TStatusItems StatusItem = {};
std::int32_t MaxStatusItem = 0;
TStatusEdges Edges = {};

namespace {

// WS_CHILD | WS_VISIBLE.
constexpr LONG STATUS_BAR_STYLE = 0x50000000;

// Writes the bar's initial text and zeros over the whole of FileName.
void ResetFileName() {
    std::memset(FileName.Items, 0, sizeof FileName.Items);
    std::memcpy(FileName.Items, STATUS_BAR_TEXT, sizeof STATUS_BAR_TEXT - 1);
}

} // namespace

// Creates the bar and hands it the parts' right edges.
HWND CreateStatusBar(HWND Parent) {
    ResetFileName();
    AWnd = CreateStatusWindowA(STATUS_BAR_STYLE, FileName.Items, Parent, STATUS_BAR_ID);
    if (AWnd != 0) {
        vistral::CheckIndex("MaxStatusItem", MaxStatusItem, 0, MAX_STATUS_ITEMS);
        for (std::int32_t i = 1; i <= MaxStatusItem; ++i)
            Edges[i] = StatusItem[i];
        SendMessageA(AWnd, SB_SETPARTS, static_cast<WPARAM>(MaxStatusItem),
                     reinterpret_cast<LPARAM>(Edges.Items));
    }
    return AWnd;
}
