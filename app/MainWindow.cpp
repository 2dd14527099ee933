// Start-up and the message loop: creates the one window, opens the script named at start-up
// and runs until the quit message. The loop's idle branch is the animation clock's timer and
// the preparation of the frames a load left waiting.
#include <cstdio>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "TessalyVersion.h"
#include "render/FramePreparation.h"
#include "render/RenderHooks.h"
#include "render/ViewState.h"
#include "render_d3d/D3DRenderer.h"

namespace
{
// Longest stretch of idle time spent preparing frames before messages are looked at again.
constexpr double PREPARATION_SLICE_MS = 8.0;

// Renderer messages are owned by the main window and carry the exclamation icon.
void ShowMessageOnMainWindow(const char* pszText, const char* pszCaption)
{
    Shell.WindowSystem->MessageBox(Shell.MainWindow, pszText, pszCaption, MB_ICONEXCLAMATION);
}

// Called per prepared frame during a load; repaints only the loading window.
void ShowBuildProgress(int Done, int Total)
{
    if (Shell.LoadingDialog != HWindow::None)
        Shell.WindowSystem->SetProgress(Shell.LoadingDialog, IDC_LOADING_PROGRESS, Done, Total);
}
}  // namespace

bool CreateShellWindow(cWindowSystem& System)
{
    Shell.WindowSystem = &System;
    ShowRendererMessage = ShowMessageOnMainWindow;
    RegisterD3DRenderer();
    BuildProgressHook = ShowBuildProgress;
    Shell.AppInstance = &AppResources();

    tMainWindowDesc Desc;
    Desc.pInstance = Shell.AppInstance;
    Desc.Proc = MainWindowProc;
    Desc.pszTitle = TESSALY_VERSION_TEXT;
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.X = 100;
    Desc.Y = 100;
    Desc.Width = 480;
    Desc.Height = 480;
    ApplySavedWindowSize(Desc);
    ResetMouse();
    const HWindow Window = System.CreateMainWindow(Desc);
    if (Window == HWindow::None)
        return false;
    Shell.MainWindow = Window;
    LoadRecentScripts();
    // The viewer records the window and the display depth only; no DirectX object exists
    // until the user switches renderer. Without it the program runs on OpenGL alone.
    CreateD3DViewer();
    System.ShowWindow(Shell.MainWindow);
    System.UpdateWindow(Shell.MainWindow);
    return true;
}

std::uint32_t IdleRedraw(std::uint32_t Now)
{
    // Modulo 2^32 difference read as signed, so a clock wrap between readings is harmless.
    const auto Elapsed = static_cast<std::int32_t>(Now - Shell.LastRedrawTime);
    if (Elapsed > View.FrameIntervalMs)
    {
        Shell.LastRedrawTime = Now;
        Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
        return 0;
    }
    // Wake on the first millisecond at which the difference is strictly above the interval.
    // A negative difference (last request "ahead" of the clock) waits one interval and looks
    // again rather than sleeping for most of 2^31 ms.
    const std::int64_t Wait = Elapsed < 0 ? static_cast<std::int64_t>(View.FrameIntervalMs) + 1
                                          : static_cast<std::int64_t>(View.FrameIntervalMs) - Elapsed + 1;
    return static_cast<std::uint32_t>(Wait < 1 ? 1 : Wait);
}

bool PrepareFramesInIdleTime()
{
    const bool bMore = PrepareWaitingFrames(PREPARATION_SLICE_MS);
    CheckFramePreparation();
    return bMore;
}

void CheckFramePreparation()
{
    if (TheModel && FramePreparationOutOfMemory())
        DropModelOutOfMemory();
}

int RunMessageLoop()
{
    for (;;)
    {
        // A paint may have prepared a frame, wherever the window system delivered it.
        CheckFramePreparation();
        if (Shell.WindowSystem->PeekMessage())
        {
            tMessage Msg;
            if (!Shell.WindowSystem->GetMessage(Msg))
                return static_cast<int>(Msg.wParam);
            Shell.WindowSystem->TranslateMessage(Msg);
            Shell.WindowSystem->DispatchMessage(Msg);
            continue;
        }
        // Messages first, then a due redraw, then frames still waiting for preparation, one
        // short slice at a time so that input and drawing stay responsive.
        std::uint32_t Wait = WAIT_INFINITE;
        if (View.Animating)
        {
            Wait = IdleRedraw(Shell.WindowSystem->GetTimeMs());
            if (Wait == 0)
                continue;
        }
        if (FramesWaiting())
        {
            PrepareFramesInIdleTime();
            continue;
        }
        // The wait ends early when a message arrives, and the loop starts over.
        Shell.WindowSystem->WaitMessage(Wait);
    }
}

int TessalyMain(cWindowSystem& System, const char* pszScript)
{
    // Nothing can be shown without the window, so the failure goes to stderr and the exit code,
    // where whoever started the program sees that it did not run.
    if (!CreateShellWindow(System))
    {
        std::fputs("Tessaly: the main window could not be created.\n", stderr);
        return 1;
    }
    if (pszScript)
    {
        // Remembered first and passed as the remembered path, which the loading flow takes
        // whatever its length (a path it is handed otherwise is taken up to 255 characters).
        View.LastScriptPath = pszScript;
        OpenScript(View.LastScriptPath.c_str());
    }
    return RunMessageLoop();
}
