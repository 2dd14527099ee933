// Dialog 105: the list of keys.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

tDialogTemplate KeyHelpDialogResource()
{
    return {IDD_KEYHELP,
            "Help - Key Definitions",
            166,
            191,
            true,
            false,
            "MS Sans Serif",
            8,
            {
                {eControlType::Static, ID_NONE,
                 "The following keys are used to adjust the camera position and animations:", 7,
                 7, 152, 16},
                {eControlType::Static, ID_NONE, "Up Arrow - Move toward mesh", 7, 30, 152, 8},
                {eControlType::Static, ID_NONE, "Down Arrow - Move away from mesh", 7, 44, 152, 8},
                {eControlType::Static, ID_NONE, "Left Arrow/Right Arrow - Rotate around Y-axis", 7,
                 58, 152, 8},
                {eControlType::Static, ID_NONE, "Page Up/Page Down - Rotate around X-axis", 7, 72,
                 152, 8},
                {eControlType::Static, ID_NONE, "Insert - Move camera up", 7, 86, 152, 8},
                {eControlType::Static, ID_NONE, "Delete - Move camera down", 7, 100, 152, 8},
                {eControlType::Static, ID_NONE, "Home - Reset camera position to default", 7, 114,
                 152, 8},
                {eControlType::Static, ID_NONE, "'n' or 'N' - Advances animation to Next frame", 7,
                 128, 152, 8},
                {eControlType::Static, ID_NONE, "'p' or 'P' - Sets animation to Previous frame", 7,
                 142, 152, 8},
                {eControlType::DefPushButton, 1, "OK", 58, 170, 50, 14},
            }};
}
