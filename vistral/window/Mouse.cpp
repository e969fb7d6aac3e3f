// Mouse navigation: the camera variables, the mouse messages of GLWndProc and
// SetGLMouseMove.
#include "vistral/Mouse.h"

#include "vistral/RangeCheck.h"
#include "vistral/WindowState.h"
#include "WindowDetail.h"

#include <GL/gl.h>

bool LeftMouseDown = false;
bool RightMouseDown = false;
bool MouseFree = false;
bool LeftMouseDown2 = false;
bool RightMouseDown2 = false;
float Depth = 0.0f;
float Depth2 = 0.0f;
float XRot = 0.0f;
float YRot = 0.0f;
float XRot2 = 0.0f;
float YRot2 = 0.0f;
std::int32_t XCoord = 0;
std::int32_t YCoord = 0;
std::int32_t ZCoord = 0;
POINT MPos = {0, 0};
std::int32_t MSpeed = 0;
std::int32_t SetMX = 0;
std::int32_t SetMY = 0;
std::int32_t SetOMX = 0;
std::int32_t SetOMY = 0;
TGLVector My = {0.0f, 0.0f, 0.0f};

namespace {

// Angle + Delta / Divisor * MSpeed, worked in extended precision, stored as a single.
float Advance(float angle, std::int32_t delta, double divisor) {
    const long double step =
        static_cast<long double>(delta) / static_cast<long double>(divisor) * MSpeed;
    return static_cast<float>(static_cast<long double>(angle) + step);
}

// Angle - Delta / Divisor * MSpeed, the same way.
float Retreat(float angle, std::int32_t delta, double divisor) {
    const long double step =
        static_cast<long double>(delta) / static_cast<long double>(divisor) * MSpeed;
    return static_cast<float>(static_cast<long double>(angle) - step);
}

// Keeps a free-look pitch within its limits.
float ClampPitch(float pitch) {
    if (pitch > FREE_LOOK_PITCH_MAX) pitch = static_cast<float>(FREE_LOOK_PITCH_MAX);
    if (pitch < FREE_LOOK_PITCH_MIN) pitch = static_cast<float>(FREE_LOOK_PITCH_MIN);
    return pitch;
}

// Left press: capture the mouse and anchor the turn.
void LeftButtonDown(std::int32_t x, std::int32_t y) {
    ReleaseCapture();
    SetCapture(HWindow);
    LeftMouseDown = true;
    LeftMouseDown2 = true;
    XCoord = x;
    YCoord = y;
    SetMX = x;
    SetMY = y;
}

// Left release: free the mouse and reset the anchor and press position.
void LeftButtonUp() {
    ReleaseCapture();
    LeftMouseDown = false;
    LeftMouseDown2 = false;
    XCoord = 0;
    YCoord = 0;
    SetMX = 0;
    SetMY = 0;
}

// Right press: capture the mouse and anchor the distance change.
void RightButtonDown(std::int32_t y) {
    ReleaseCapture();
    SetCapture(HWindow);
    RightMouseDown = true;
    RightMouseDown2 = true;
    ZCoord = y;
}

// Right release: free the mouse; the anchor stays.
void RightButtonUp() {
    ReleaseCapture();
    RightMouseDown = false;
    RightMouseDown2 = false;
}

// Free-look: turn by the cursor's offset from the pinned point, then pin it again.
void FreeLook() {
    GetCursorPos(&MPos);
    const std::int32_t centreX = Width / 2;
    const std::int32_t centreY = Height / 2;
    SetCursorPos(centreX, centreY);
    const std::int32_t yaw = vistral::CheckedSub(MPos.x, centreX, "free-look x offset");
    const std::int32_t pitch = vistral::CheckedSub(centreY, MPos.y, "free-look y offset");
    XRot = Advance(XRot, yaw, FREE_LOOK_DIVISOR);
    YRot = ClampPitch(Retreat(YRot, pitch, FREE_LOOK_DIVISOR));
    XRot2 = Advance(XRot2, yaw, FREE_LOOK_DIVISOR);
    YRot2 = ClampPitch(Retreat(YRot2, pitch, FREE_LOOK_DIVISOR));
}

// Motion: record it, then apply the left drag, the right drag and free-look in turn.
void MouseMove(std::int32_t x, std::int32_t y) {
    SetOMX = x;
    SetOMY = y;
    if (LeftMouseDown) {
        // Both anchors are read before either moves.
        const std::int32_t dy = vistral::CheckedSub(y, YCoord, "left drag y offset");
        const std::int32_t dx = vistral::CheckedSub(x, XCoord, "left drag x offset");
        XRot = Advance(XRot, dy, LEFT_DRAG_DIVISOR);
        YRot = Advance(YRot, dx, LEFT_DRAG_DIVISOR);
        XRot2 = Advance(XRot2, dy, LEFT_DRAG_DIVISOR);
        YRot2 = Advance(YRot2, dx, LEFT_DRAG_DIVISOR);
        XCoord = x;
        YCoord = y;
    }
    if (RightMouseDown && !MouseFree) {
        const std::int32_t dz = vistral::CheckedSub(y, ZCoord, "right drag offset");
        Depth = Retreat(Depth, dz, RIGHT_DRAG_DIVISOR);
        Depth2 = Retreat(Depth2, dz, RIGHT_DRAG_DIVISOR);
        ZCoord = y;
    }
    if (MouseFree && GetForegroundWindow() == HWindow) FreeLook();
}

} // namespace

namespace vistral::detail {

// Applies one mouse message of the GL window to the camera variables.
void GLMouseMessage(UINT AMessage, LPARAM LParam) {
    const std::int32_t x = GET_X_LPARAM(LParam);
    const std::int32_t y = GET_Y_LPARAM(LParam);
    switch (AMessage) {
    case WM_LBUTTONDOWN:
        LeftButtonDown(x, y);
        break;
    case WM_LBUTTONUP:
        LeftButtonUp();
        break;
    case WM_RBUTTONDOWN:
        RightButtonDown(y);
        break;
    case WM_RBUTTONUP:
        RightButtonUp();
        break;
    case WM_MOUSEMOVE:
        MouseMove(x, y);
        break;
    default:
        break;
    }
}

} // namespace vistral::detail

// Stores the speed and applies the camera for the chosen axis pairing.
void SetGLMouseMove(std::int32_t XYZ, std::int32_t Speed) {
    MSpeed = Speed;
    const float away = -Depth;
    switch (XYZ) {
    case GL_M0:
        My = {0.0f, 0.0f, away};
        glTranslatef(0.0f, 0.0f, away);
        glRotatef(XRot, 1.0f, 0.0f, 0.0f);
        glRotatef(YRot, 0.0f, 1.0f, 0.0f);
        break;
    case GL_MX:
        My = {0.0f, away, 0.0f};
        glTranslatef(0.0f, away, 0.0f);
        glRotatef(XRot, 1.0f, 0.0f, 0.0f);
        glRotatef(YRot, 0.0f, 0.0f, 1.0f);
        break;
    case GL_MY:
        My = {away, 0.0f, 0.0f};
        glTranslatef(away, 0.0f, 0.0f);
        glRotatef(XRot, 0.0f, 0.0f, -1.0f);
        glRotatef(YRot, 0.0f, 1.0f, 0.0f);
        break;
    case GL_MZ:
        My = {0.0f, 0.0f, away};
        glTranslatef(0.0f, 0.0f, away);
        glRotatef(XRot, 0.0f, 1.0f, 0.0f);
        glRotatef(YRot, 1.0f, 0.0f, 0.0f);
        break;
    default:
        break;
    }
}
