// Assembles the resource table from the per-resource files of this folder.
#include "app/resources/Resources.h"

const tResourceTable& AppResources()
{
    static const tResourceTable Table{
        {MainMenuResource()},
        {FrameRateDialogResource(), AboutDialogResource(), KeyHelpDialogResource(),
         DeviceDialogResource(), LoadingDialogResource(), ExportDialogResource()},
        {MainIconResource()},
        VersionResource(),
    };
    return Table;
}
