// The shell's operations: start-up and the message loop, the window procedure and its
// commands, the loading flow, the animation clock and the dialog procedures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/Window.h"

// Start-up: registers the hooks, creates the main window (its creation message sets up
// OpenGL), shows it. False when the window cannot be created.
bool CreateShellWindow(cWindowSystem& System);
// Dispatches messages until the quit message; returns its exit code. While the view animates,
// requests a redraw whenever more than FrameIntervalMs has passed since the last request,
// waiting (not spinning) in between.
// Frames a load left waiting are prepared when no message waits and no redraw is due.
int RunMessageLoop();
// One slice of the loop's idle preparation (about 8 ms), then CheckFramePreparation. True
// while frames still wait.
bool PrepareFramesInIdleTime();
// Ends the model when preparing a frame ran out of memory: DropModelOutOfMemory.
void CheckFramePreparation();
// The whole program on a window system: start-up, then the loop. With pszScript, opens that
// script through the loading flow once the window is shown, as File > Open script would
// (a failure is shown in the same message box and the program runs on with no model). 1, after
// a line on stderr, when the window cannot be created.
int TessalyMain(cWindowSystem& System, const char* pszScript = nullptr);

std::intptr_t MainWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                             std::intptr_t lParam);
// The WM_COMMAND handling of the main window.
void HandleCommand(HWindow Window, std::uintptr_t CommandId);

// Creates the Direct3D viewer for the main window unless it exists; false when it cannot be
// made (the program then runs on OpenGL alone).
bool CreateD3DViewer();
// File > Export Animation...: asks for a GIF or WebP file and writes the selected sequence
// (every frame when none is selected) as the view shows it, with a progress window whose
// Cancel leaves no file.
void ExportAnimation();
// Options > Use Direct3D: switches between the renderers and loads the last script again.
void SwitchRenderer();

// Opens a script: asks the user when pszPath is null. 0 when a model was built, 1 when the
// user cancelled or the load failed (the failure has been shown).
int OpenScript(const char* pszPath);
// File > Export glTF...: writes the model on screen as tessaly-export would, at the frame
// rate the viewer plays, to a .glb or .gltf file the user chooses.
void ExportGltf();
// Makes sequence SequenceNum of TheModel the range that stepping and looping run through, and
// its frames the next ones prepared.
int SelectSequence(int SequenceNum);
// Empties the Animations menu, releases the model, shows the view's background and tells the
// user "Not enough memory to load <path>.".
void DropModelOutOfMemory();

// The mouse on the view (Mouse.cpp): drags turn and move the camera, the wheel moves it toward
// and away. ResetMouse forgets a drag in progress.
std::intptr_t HandlePointer(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                            std::intptr_t lParam);
void ResetMouse();

// Scripts reached without the Open dialog (ScriptFolder.cpp, RecentScripts.cpp).
// Remembers Path as the last script and opens it through the loading flow; OpenScript's result.
int OpenScriptAt(const std::string& Path);
// Whether a path names a class script by its extension (.zc in any case).
bool IsClassScriptName(const std::string& Path);
// The class scripts (regular files) of a folder by name, in name order regardless of case.
std::vector<std::string> ClassScriptsIn(const std::string& Folder);
// File > Next / Previous Script in Folder (Step +1 / -1): the neighbour of the last script in
// its folder's name order, wrapping round.
void OpenNeighbourScript(int Step);
// WM_DROPFILES: opens the first class script dropped; without one, says so and keeps the model.
void HandleDropFiles(std::uintptr_t Drop);

// Settings kept between runs (RecentScripts.cpp). The window's size is applied to the
// description before the window is made and kept when it ends; the recent scripts are read
// into File > Recent Scripts at start, and every script loaded goes to the top of the list.
void ApplySavedWindowSize(tMainWindowDesc& Desc);
void SaveWindowSize();
void LoadRecentScripts();
const std::vector<std::string>& RecentScripts();
void RememberScript(const std::string& Path);
// File > Recent Scripts item Place (0 = most recent); a script that is gone leaves the list.
void OpenRecentScript(int Place);
// The folder the Open dialog starts in: that of the last script opened, "" before any.
std::string OpenDialogFolder();

// File > Save Picture... and File > Copy Picture (PictureCommands.cpp).
// The name a save chooser offers: the last script's name with pszExtension (".png") in place
// of its own, or "tessaly" with it when no script was opened.
std::string SuggestedOutputName(const char* pszExtension);
void SavePicture();
void CopyPicture();

// Animation clock.
void ToggleLoopAnimation();
void ToggleAutoRotate();
// The 5-degree turn of every paint while Auto Rotate is on.
void AutoRotateStep();
// The idle branch's rule at clock value Now: requests a redraw and returns 0 when more than
// FrameIntervalMs has passed since LastRedrawTime; otherwise returns how many milliseconds
// to wait before that is true.
std::uint32_t IdleRedraw(std::uint32_t Now);

// Dialog procedures and the Polygons radio group.
bool FrameRateDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                         std::intptr_t lParam);
bool PlainDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                     std::intptr_t lParam);
void CheckPolygonMenuItem(int CommandId);
