// The engine window state: one definition of each variable, and GLResizeWindow.
#include "vistral/WindowState.h"

HWND HWindow = 0;
HDC DCWindow = 0;
HGLRC RCWindow = 0;
std::int32_t Width = 0;
std::int32_t Height = 0;
std::int32_t Bits = 0;
bool FullScreen = false;
bool Active = false;
const char* SetTitleName = nullptr;
bool ShowMenuBar = false;
TavrelProcedure CreateMenuBar = nullptr;
TavrelProcedure CreateMouseMenu = nullptr;
bool ShowStatusBar = false;
HWND HStatus = 0;

// Records the new client size; the GL set-up picks it up on its next call.
void GLResizeWindow(std::int32_t W, std::int32_t H) {
    Width = W;
    Height = H;
}
