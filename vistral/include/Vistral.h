// Vistral: a small OpenGL engine. The one public header for applications.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

#include "vistral/Math.h"
#include "vistral/VertexRecorder.h"
#include "vistral/Primitives.h"
#include "vistral/GLSetup.h"
#include "vistral/StateSwitches.h"
#include "vistral/WindowState.h"
#include "vistral/BmpTextures.h"
#include "vistral/TgaReader.h"
#include "vistral/TgaTextures.h"
#include "vistral/GLWindow.h"
#include "vistral/WindowProc.h"
#include "vistral/Mouse.h"
#include "vistral/StatusBar.h"
#include "vistral/ImageButton.h"
#include "vistral/Bitmaps.h"
