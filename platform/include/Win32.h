// Our Win32-style platform layer: the services the engine takes from the window
// system, GDI, WGL, the common controls and the kernel. The one header to include.
#pragma once

#include "win32/Types.h"
#include "win32/Kernel.h"
#include "win32/Gdi.h"
#include "win32/User.h"
#include "win32/Wgl.h"
#include "win32/CommCtrl.h"
