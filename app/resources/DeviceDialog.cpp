// Dialog 107: the Direct3D device chooser's controls (its logic lives with the Direct3D
// renderer).
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

tDialogTemplate DeviceDialogResource()
{
    return {IDD_DEVICE,
            "Choose the Direct3D device to use",
            245,
            103,
            true,
            false,
            "MS Sans Serif",
            8,
            {
                {eControlType::ListBox, IDC_DEVICE_LIST, "", 16, 7, 213, 62},
                {eControlType::DefPushButton, 1, "OK", 64, 82, 50, 14},
                {eControlType::PushButton, 2, "Cancel", 130, 82, 50, 14},
            }};
}
