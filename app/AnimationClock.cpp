// The animation clock's switches: Loop Animation and Auto Rotate start the idle redraws when
// the first of them goes on and stop them when the last goes off; and the auto-rotate turn.
#include "app/Shell.h"
#include "app/ShellState.h"
#include "render/ViewState.h"

namespace
{
void ToggleAnimationFlag(bool& Flag, bool Other)
{
    if (Flag)
    {
        Flag = false;
        if (!Other)
            View.Animating = false;
        return;
    }
    Flag = true;
    // The clock is already running when the other flag is on; its interval is not restarted.
    if (!Other)
    {
        Shell.LastRedrawTime = Shell.WindowSystem->GetTimeMs();
        View.Animating = true;
    }
}
}  // namespace

void ToggleLoopAnimation()
{
    ToggleAnimationFlag(View.LoopAnimation, View.AutoRotate);
}

void ToggleAutoRotate()
{
    ToggleAnimationFlag(View.AutoRotate, View.LoopAnimation);
}

void AutoRotateStep()
{
    if (!View.AutoRotate)
        return;
    View.CameraAngleY += 5.0f;
    if (View.CameraAngleY > 360.0f)
        View.CameraAngleY = 0.0f;
}
