// The animation clock's switches: Loop Animation and Auto Rotate start the idle redraws when
// the first of them goes on and stop them when the last goes off; and the auto-rotate turn.
#include "app/Shell.h"
#include "app/ShellState.h"
#include "render/ViewState.h"

namespace
{
void ToggleAnimationFlag(std::uint8_t& Flag, std::uint8_t Other)
{
    if (Flag)
    {
        Flag = 0;
        if (!Other)
            Animating = 0;
        return;
    }
    Flag = 1;
    // The clock is already running when the other flag is on; its interval is not restarted.
    if (!Other)
    {
        LastRedrawTime = WindowSystem->GetTimeMs();
        Animating = 1;
    }
}
}  // namespace

void ToggleLoopAnimation()
{
    ToggleAnimationFlag(LoopAnimation, AutoRotate);
}

void ToggleAutoRotate()
{
    ToggleAnimationFlag(AutoRotate, LoopAnimation);
}

void AutoRotateStep()
{
    if (!AutoRotate)
        return;
    CameraAngleY += 5.0f;
    if (CameraAngleY > 360.0f)
        CameraAngleY = 0.0f;
}
