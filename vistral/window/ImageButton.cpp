// The shaped image button: picture loading on creation, painting, hover and press states.
#include "vistral/ImageButton.h"

#include "vistral/Bitmaps.h"

#include <map>
#include <string>

const char* BMPType = "";

namespace {

constexpr const char* NORMAL_PROP = "NORMALBITMAP";
constexpr const char* HOVER_PROP = "HOVERBITMAP";
constexpr const char* PRESS_PROP = "PRESSBITMAP";
constexpr const char* MODE_PROP = "HOVERMODEBYTE";
constexpr const char* REGION_PROP = "HOVERBUTTONREGION";

constexpr const char* NORMAL_SUFFIX = "N.BMP";
constexpr const char* HOVER_SUFFIX = "H.BMP";
constexpr const char* PRESS_SUFFIX = "P.BMP";

constexpr COLORREF SHAPE_TRANSPARENT = 0x00FF00FF; // magenta
constexpr BYTE SHAPE_TOLERANCE = 1;

constexpr HANDLE MODE_NORMAL = 1;
constexpr HANDLE MODE_HOVER = 2;
constexpr HANDLE MODE_PRESSED = 3;

// The button is placed as if its parent had a 3-pixel left frame and a 19-pixel top frame
// with caption.
constexpr LONG PARENT_FRAME_LEFT = 3;
constexpr LONG PARENT_FRAME_TOP = 19;

constexpr WPARAM HELD_BUTTONS = MK_LBUTTON | MK_RBUTTON;

// What was selected into a picture context, so the button can give it back and free it.
struct TPictureSelection {
    HBITMAP Picture;
    HPALETTE Palette;
    HGDIOBJ PreviousBitmap;
    HPALETTE PreviousPalette;
};

// The selections of every live picture context, keyed by the context.
std::map<HDC, TPictureSelection> PictureSelections;

// The file name of one of the three pictures of the button being created.
std::string PictureName(const char* suffix) {
    std::string name = BMPType != nullptr ? BMPType : "";
    name += suffix;
    return name;
}

// A memory context holding a loaded picture and its realised palette (empty when the file fails).
HDC MakePictureContext(HBITMAP picture, HPALETTE palette) {
    HDC dc = CreateCompatibleDC(0);
    if (dc == 0) {
        // Nothing will hold them: release them now rather than lose them.
        if (palette != 0) DeleteObject(palette);
        if (picture != 0) DeleteObject(picture);
        return 0;
    }
    TPictureSelection selection = {picture, palette, 0, 0};
    selection.PreviousBitmap = SelectObject(dc, picture);
    selection.PreviousPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    PictureSelections[dc] = selection;
    return dc;
}

// Loads a picture file into a new memory context.
HDC LoadPictureContext(const char* suffix) {
    HPALETTE palette = 0;
    HBITMAP picture = LoadBMPFromFile(PictureName(suffix).c_str(), palette);
    return MakePictureContext(picture, palette);
}

// Deletes a picture context with the picture and palette it holds.
void FreePictureContext(HDC dc) {
    auto found = PictureSelections.find(dc);
    if (found != PictureSelections.end()) {
        const TPictureSelection& s = found->second;
        if (s.PreviousPalette != 0) SelectPalette(dc, s.PreviousPalette, FALSE);
        if (s.PreviousBitmap != 0) SelectObject(dc, s.PreviousBitmap);
        DeleteDC(dc);
        if (s.Palette != 0) DeleteObject(s.Palette);
        if (s.Picture != 0) DeleteObject(s.Picture);
        PictureSelections.erase(found);
    } else {
        DeleteDC(dc);
    }
}

// Marks the whole button for repainting.
void Repaint(HWND wnd) {
    InvalidateRect(wnd, nullptr, FALSE);
}

// Sets the button state.
void SetMode(HWND wnd, HANDLE mode) {
    SetPropA(wnd, MODE_PROP, mode);
}

// Creation: size and place the button, load the three pictures, clip it to the shape.
void OnCreate(HWND wnd) {
    HPALETTE normalPalette = 0;
    HBITMAP normal = LoadBMPFromFile(PictureName(NORMAL_SUFFIX).c_str(), normalPalette);
    BITMAP picture = {};
    const bool sized = normal != 0 && GetObjectA(normal, sizeof(picture), &picture) != 0;

    RECT button = {};
    RECT parent = {};
    GetWindowRect(wnd, &button);
    GetWindowRect(GetParent(wnd), &parent);
    // Without a normal picture the button keeps the size it was created with.
    const LONG width = sized ? picture.bmWidth : button.right - button.left;
    const LONG height = sized ? picture.bmHeight : button.bottom - button.top;
    MoveWindow(wnd, button.left - parent.left - PARENT_FRAME_LEFT,
               button.top - parent.top - PARENT_FRAME_TOP, width, height, FALSE);

    SetPropA(wnd, NORMAL_PROP, MakePictureContext(normal, normalPalette));
    SetPropA(wnd, HOVER_PROP, LoadPictureContext(HOVER_SUFFIX));
    SetPropA(wnd, PRESS_PROP, LoadPictureContext(PRESS_SUFFIX));
    SetMode(wnd, MODE_NORMAL);

    std::string shapeName = PictureName(NORMAL_SUFFIX);
    HRGN clip = BitmapToRegion(shapeName.c_str(), SHAPE_TRANSPARENT, SHAPE_TOLERANCE);
    if (clip != 0) {
        // The window system owns the clip region; hit tests use a copy of their own.
        SetWindowRgn(wnd, clip, FALSE);
        SetPropA(wnd, REGION_PROP,
                 BitmapToRegion(shapeName.c_str(), SHAPE_TRANSPARENT, SHAPE_TOLERANCE));
    }
}

// Destruction: drop the state and the hit region, free the three picture contexts.
void OnDestroy(HWND wnd) {
    RemovePropA(wnd, MODE_PROP);
    HRGN region = GetPropA(wnd, REGION_PROP);
    if (region != 0) DeleteObject(region);
    RemovePropA(wnd, REGION_PROP);
    for (const char* prop : {PRESS_PROP, HOVER_PROP, NORMAL_PROP}) {
        HDC dc = GetPropA(wnd, prop);
        if (dc != 0) FreePictureContext(dc);
        RemovePropA(wnd, prop);
    }
}

// Painting: copy the picture of the current state.
void OnPaint(HWND wnd) {
    RECT bounds = {};
    GetWindowRect(wnd, &bounds);
    HANDLE mode = GetPropA(wnd, MODE_PROP);
    HDC picture = 0;
    if (mode == MODE_NORMAL) picture = GetPropA(wnd, NORMAL_PROP);
    if (mode == MODE_HOVER) picture = GetPropA(wnd, HOVER_PROP);
    if (mode == MODE_PRESSED) picture = GetPropA(wnd, PRESS_PROP);
    PAINTSTRUCT paint = {};
    HDC target = BeginPaint(wnd, &paint);
    // Without a picture the paint is still validated, so it is not asked for again and again.
    if (picture != 0)
        BitBlt(target, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, picture, 0, 0,
               SRCCOPY);
    EndPaint(wnd, &paint);
}

// Motion: entering the shape hovers (or presses, with a button held); leaving it resets.
void OnMouseMove(HWND wnd, WPARAM keys, LPARAM position) {
    HRGN region = GetPropA(wnd, REGION_PROP);
    HANDLE mode = GetPropA(wnd, MODE_PROP);
    if (region == 0 || mode == 0) return;
    // Unsigned halves: positions left of or above the button (while captured) fall outside.
    int x = LOWORD(static_cast<std::uintptr_t>(position));
    int y = HIWORD(static_cast<std::uintptr_t>(position));
    if (PtInRegion(region, x, y)) {
        if (mode != MODE_NORMAL) return;
        SetMode(wnd, (keys & HELD_BUTTONS) != 0 ? MODE_PRESSED : MODE_HOVER);
        SetCapture(wnd);
        Repaint(wnd);
    } else {
        SetMode(wnd, MODE_NORMAL);
        ReleaseCapture();
        Repaint(wnd);
    }
}

// Left press: capture the mouse and show the pressed picture.
void OnLeftDown(HWND wnd) {
    SetCapture(wnd);
    SetMode(wnd, MODE_PRESSED);
    Repaint(wnd);
}

// Left release: a press that stayed on the shape notifies the parent.
void OnLeftUp(HWND wnd) {
    if (GetPropA(wnd, MODE_PROP) == MODE_PRESSED)
        PostMessageA(GetParent(wnd), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(wnd)), 0);
    SetMode(wnd, MODE_NORMAL);
    ReleaseCapture();
    Repaint(wnd);
}

} // namespace

// Window procedure of the "IMAGEBUTTON" class.
LRESULT HoverButtonHandler(HWND Wnd, UINT IMsg, WPARAM WParam, LPARAM LParam) {
    switch (IMsg) {
    case WM_CREATE:
        OnCreate(Wnd);
        return 0;
    case WM_DESTROY:
        OnDestroy(Wnd);
        return 0;
    case WM_PAINT:
        OnPaint(Wnd);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(Wnd, WParam, LParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftDown(Wnd);
        return 0;
    case WM_LBUTTONUP:
        OnLeftUp(Wnd);
        return 0;
    default:
        return DefWindowProcA(Wnd, IMsg, WParam, LParam);
    }
}
