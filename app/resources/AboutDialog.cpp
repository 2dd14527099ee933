// Dialog 104: the about box.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

#include "TessalyVersion.h"

tDialogTemplate AboutDialogResource()
{
    return {IDD_ABOUT,
            "About Tessaly",
            276,
            262,
            true,
            false,
            "MS Sans Serif",
            8,
            {
                {eControlType::GroupBox, ID_NONE, TESSALY_VERSION_TEXT, 7, 7, 262, 78},
                {eControlType::Static, ID_NONE, "Written by the Tessaly developers.", 15, 20, 246,
                 8},
                {eControlType::Static, ID_NONE,
                 "Tessaly shows a texture-mapped Zentor mesh. The textures and the scaling are "
                 "taken from the ZentorScript class file (.zc) chosen with File/Open Script.",
                 15, 36, 246, 40},
                {eControlType::GroupBox, ID_NONE, "Requirements", 7, 92, 262, 62},
                {eControlType::Static, ID_NONE, "- An OpenGL runtime.", 15, 104, 246, 8},
                {eControlType::Static, ID_NONE,
                 "- A reasonably fast computer, or 3D hardware with an OpenGL driver.", 15, 116,
                 246, 8},
                {eControlType::Static, ID_NONE, "- The Zentor development directory structure.", 15,
                 128, 246, 8},
                {eControlType::Static, ID_NONE, "- A DirectX 5 runtime.", 15, 140, 246, 8},
                {eControlType::GroupBox, ID_NONE, "Known bugs/Limitations", 7, 160, 262, 74},
                {eControlType::Static, ID_NONE,
                 "- The frame rate is approximate and limited by the computer's speed.", 15, 172,
                 246, 8},
                {eControlType::Static, ID_NONE,
                 "- Only the primary display device is examined for Direct3D capabilities.", 15,
                 184, 246, 8},
                {eControlType::Static, ID_NONE,
                 "- Hardware Direct3D may fall back to software emulation at high display "
                 "resolutions.",
                 15, 196, 246, 16},
                {eControlType::Static, ID_NONE,
                 "- The frame-rate dialog's number box is for display only; the scroll bar sets "
                 "the rate.",
                 15, 214, 246, 16},
                {eControlType::DefPushButton, 1, "OK", 113, 241, 50, 14},
            }};
}
