// Dialog 103: the frame-rate chooser. The scroll bar is the only input; the edit box only shows
// the rate.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

tDialogTemplate FrameRateDialogResource()
{
    return {IDD_FRAMERATE,
            "Set Animation Frame Rate",
            186,
            95,
            true,
            false,
            "MS Sans Serif",
            8,
            {
                {eControlType::Static, ID_NONE, "1 fps", 41, 6, 16, 8},
                {eControlType::Static, ID_NONE, "60 fps", 127, 6, 20, 8},
                {eControlType::HScrollBar, IDC_FRAMERATE_SCROLL, "", 45, 21, 94, 11},
                {eControlType::ReadOnlyEdit, IDC_FRAMERATE_EDIT, "", 77, 45, 17, 14},
                {eControlType::Static, ID_NONE, "fps", 99, 49, 10, 8},
                {eControlType::DefPushButton, 1, "OK", 37, 72, 50, 14},
                {eControlType::PushButton, 2, "Cancel", 98, 72, 50, 14},
            }};
}
