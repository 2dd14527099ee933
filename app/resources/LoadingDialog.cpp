// Dialog 108: the modeless window shown while a model loads. Visible from creation, no buttons
// and no close box; under the text a bar shows how many frames have been prepared.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

tDialogTemplate LoadingDialogResource()
{
    return {IDD_LOADING,
            "Tessaly - Loading",
            181,
            45,
            false,
            true,
            "MS Sans Serif",
            8,
            {
                {eControlType::Static, ID_NONE, "Loading Zentor model.  Please wait...", 31, 11, 118,
                 8},
                {eControlType::ProgressBar, IDC_LOADING_PROGRESS, "", 31, 25, 118, 10},
            }};
}
