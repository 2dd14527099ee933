// The mouse on the view: a left drag turns the model (sideways about the vertical axis, up and
// down about the horizontal one, its near side following the pointer), a middle drag or a
// Shift + left drag moves the camera up and down, and the wheel moves toward and away. They
// change the same camera values as the keys, within the same 0 to 360 degrees, and ask for a
// redraw, which the window system gives once the pointer messages waiting are handled.
#include <cmath>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "render/View.h"
#include "render/ViewState.h"

namespace
{
// Half a degree of turn per pixel of pointer motion: across a 480-pixel window, 240 degrees.
constexpr float DEGREES_PER_PIXEL = 0.5f;
// One notch of the wheel moves as far as one press of Up or Down.
constexpr float OFFSET_PER_NOTCH = 10.0f;
// Tangent of half the vertical field of view of both renderers (45 degrees).
const float HALF_VIEW_TANGENT = static_cast<float>(std::tan(22.5 * 3.14159265358979 / 180.0));

enum class eDrag
{
    None,
    Turn,   // left button
    Move,   // middle button, or left with Shift
};

struct tMouseDrag
{
    eDrag Kind = eDrag::None;
    std::uintptr_t Button = 0;   // MK_LBUTTON or MK_MBUTTON: the button that ends the drag
    int X = 0, Y = 0;            // where the pointer was at the last message of the drag
};

tMouseDrag Drag;

// Keeps an angle within 0 to 360 as the keys do: values past either end come round by a turn.
float WrapAngle(float Angle)
{
    while (Angle > 360.0f)
        Angle -= 360.0f;
    while (Angle < 0.0f)
        Angle += 360.0f;
    return Angle;
}

// Model units per pixel at the model's depth, so that the model moves with the pointer.
float UnitsPerPixel()
{
    float Depth = std::fabs(Placement.ViewDistance) - View.CameraOffsetZ;
    if (Depth < 1.0f)
        Depth = 1.0f;
    return 2.0f * Depth * HALF_VIEW_TANGENT / static_cast<float>(View.ClientHeight > 0 ? View.ClientHeight : 1);
}

void StartDrag(eDrag Kind, std::uintptr_t Button, std::intptr_t lParam)
{
    Drag.Kind = Kind;
    Drag.Button = Button;
    Drag.X = PointX(lParam);
    Drag.Y = PointY(lParam);
}

void Follow(HWindow Window, std::uintptr_t Keys, std::intptr_t lParam)
{
    // A release the window never saw (another program took the pointer) ends the drag too.
    if (Drag.Kind == eDrag::None || !(Keys & Drag.Button))
    {
        Drag.Kind = eDrag::None;
        return;
    }
    const int X = PointX(lParam), Y = PointY(lParam);
    const int Dx = X - Drag.X, Dy = Y - Drag.Y;
    Drag.X = X;
    Drag.Y = Y;
    if (Dx == 0 && Dy == 0)
        return;
    if (Drag.Kind == eDrag::Turn)
    {
        // Rightward turns the near side right, as Right does; downward tilts it down, as
        // Page Up does.
        View.CameraAngleY = WrapAngle(View.CameraAngleY - static_cast<float>(Dx) * DEGREES_PER_PIXEL);
        View.CameraAngleX = WrapAngle(View.CameraAngleX - static_cast<float>(Dy) * DEGREES_PER_PIXEL);
    }
    else
    {
        // Screen rows grow downwards; the model rises with the pointer.
        View.CameraOffsetY -= static_cast<float>(Dy) * UnitsPerPixel();
    }
    Shell.WindowSystem->InvalidateRect(Window);
}
}  // namespace

void ResetMouse()
{
    Drag = tMouseDrag{};
}

std::intptr_t HandlePointer(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                            std::intptr_t lParam)
{
    switch (Msg)
    {
    case WM_LBUTTONDOWN:
        if (Drag.Kind == eDrag::None)
            StartDrag((wParam & MK_SHIFT) ? eDrag::Move : eDrag::Turn, MK_LBUTTON, lParam);
        break;
    case WM_MBUTTONDOWN:
        if (Drag.Kind == eDrag::None)
            StartDrag(eDrag::Move, MK_MBUTTON, lParam);
        break;
    case WM_MOUSEMOVE:
        Follow(Window, wParam, lParam);
        break;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
        // The last stretch of motion counts before the drag ends.
        if (Drag.Kind != eDrag::None)
            Follow(Window, wParam | Drag.Button, lParam);
        if (!(wParam & Drag.Button))
            Drag.Kind = eDrag::None;
        break;
    case WM_MOUSEWHEEL:
    {
        const auto Rotation = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
        View.CameraOffsetZ += OFFSET_PER_NOTCH * static_cast<float>(Rotation) / WHEEL_DELTA;
        Shell.WindowSystem->InvalidateRect(Window);
        break;
    }
    default:
        break;
    }
    return 0;
}
