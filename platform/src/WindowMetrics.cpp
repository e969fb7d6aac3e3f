// System metrics: the screen's size and the layer's own frame metrics.
#include "WindowBackend.h"
#include "WindowInternal.h"

namespace {

constexpr int kIconSide = 32;
constexpr int kCursorSide = 32;
constexpr int kMouseButtons = 3;

} // namespace

using namespace platform;

int GetSystemMetrics(int index) {
    int width = 0, height = 0;
    switch (index) {
    case SM_CXSCREEN:
        return BackendScreenSize(width, height) ? width : 0;
    case SM_CYSCREEN:
        return BackendScreenSize(width, height) ? height : 0;
    case SM_CYCAPTION:
        return kCaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return kBorderWidth;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return kBorderWidth + kDialogFrameWidth;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kBorderWidth + kSizingFrameWidth;
    case SM_CXICON:
    case SM_CYICON:
        return kIconSide;
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return kCursorSide;
    case SM_CMOUSEBUTTONS:
        return kMouseButtons;
    default:
        return 0;
    }
}
