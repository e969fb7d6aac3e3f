// MessageBoxA over SDL's message box: modal, code page 1252 texts, Italian buttons.
#include "Cp1252.h"
#include "WindowBackend.h"
#include "win32/User.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kButtonMask = 0x0000000F;
constexpr UINT kIconMask = 0x000000F0;
constexpr const char* kYesText = "S\xEC";
constexpr const char* kNoText = "No";
constexpr const char* kOkText = "OK";

// The SDL box kind that best matches the icon bits of Type.
Uint32 BoxFlags(UINT type) {
    switch (type & kIconMask) {
    case MB_ICONHAND:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

// Writes caption and text where a person or a log will still see them.
void ReportToStderr(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const std::string utf8Text = platform::Cp1252ToUtf8(text);
    // A null caption reads "Error" on the original platform.
    const std::string utf8Caption =
        caption ? platform::Cp1252ToUtf8(caption) : std::string("Error");
    const std::string yes = platform::Cp1252ToUtf8(kYesText);

    SDL_MessageBoxButtonData buttons[2] = {};
    int count = 0;
    if ((type & kButtonMask) == MB_YESNO) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, yes.c_str()};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, kNoText};
        count = 2;
    } else {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                          SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                      IDOK, kOkText};
        count = 1;
    }

    SDL_MessageBoxData box = {};
    box.flags = BoxFlags(type);
    box.window = platform::BackendSdlWindow(owner);
    box.title = utf8Caption.c_str();
    box.message = utf8Text.c_str();
    box.numbuttons = count;
    box.buttons = buttons;

    int chosen = -1;
    if (SDL_ShowMessageBox(&box, &chosen) != 0) {
        ReportToStderr(utf8Caption, utf8Text);
        return 0;
    }
    // Closing the box without a button counts as its Escape choice.
    if (chosen < 0) return count == 2 ? IDNO : IDOK;
    return chosen;
}
