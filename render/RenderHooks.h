// Hooks through which the OpenGL renderer reaches the shell's message box and the Direct3D
// renderer without depending on either.
#pragma once

// Shows a message box owned by the main window with the exclamation icon. The shell
// sets it; until then the text goes to stderr.
extern void (*ShowRendererMessage)(const char* pszText, const char* pszCaption);
// Set while the Direct3D renderer exists; null otherwise.
extern void (*D3DResizeHook)(int Width, int Height);
extern void (*D3DReleaseFrameHook)(int FrameNum);
// Called by GLBuildModel after each frame it prepares (Done of Total), so the shell can show the
// load's progress; null when nobody listens.
extern void (*BuildProgressHook)(int Done, int Total);
