// Dialog 109: the modeless window shown while File > Export Animation writes its pictures: a
// bar of the pictures done and Cancel, which stops the export and leaves no file.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

tDialogTemplate ExportDialogResource()
{
    return {IDD_EXPORTING,
            "Tessaly - Export Animation",
            181,
            62,
            true,
            true,
            "MS Sans Serif",
            8,
            {
                {eControlType::Static, ID_NONE, "Writing the animation.  Please wait...", 31, 9, 130, 8},
                {eControlType::ProgressBar, IDC_EXPORT_PROGRESS, "", 31, 22, 118, 10},
                {eControlType::PushButton, 2, "Cancel", 65, 40, 50, 14},
            }};
}
