// What the SDL backend files share among themselves.
#pragma once

#include "win32/Types.h"

#include <SDL.h>

namespace platform {

// The window handle a native window belongs to (0 for none of ours).
HWND HandleOfNative(Uint32 windowId);
// Translates one SDL event into posted messages.
void TranslateEvent(const SDL_Event& e);

} // namespace platform
