// Hooks through which the renderers reach the shell (its message box and the load's progress)
// without depending on it.
#pragma once

// Shows a message box owned by the main window with the exclamation icon. The shell
// sets it; until then the text goes to stderr.
extern void (*ShowRendererMessage)(const char* pszText, const char* pszCaption);
// Called by GLBuildModel after each frame it prepares (Done of Total), so the shell can show the
// load's progress; null when nobody listens.
extern void (*BuildProgressHook)(int Done, int Total);
