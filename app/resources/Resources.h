// The program's resource table: menu bar, dialogs, icon and version record, handed to the
// window system as the program instance.
#pragma once

#include "platform/window/ResourceTemplates.h"

// Built on first use; lives for the whole run.
const tResourceTable& AppResources();

// The pieces, one per file of this folder.
tMenuTemplate MainMenuResource();
tDialogTemplate FrameRateDialogResource();
tDialogTemplate AboutDialogResource();
tDialogTemplate KeyHelpDialogResource();
tDialogTemplate DeviceDialogResource();
tDialogTemplate LoadingDialogResource();
tDialogTemplate ExportDialogResource();
tIconTemplate MainIconResource();
tVersionRecord VersionResource();
