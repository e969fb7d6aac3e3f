// The vertex recorder: GLBegin, GLVertex3f, GLEnd and the edit-mode record.
#pragma once

#include "vistral/Types.h"
