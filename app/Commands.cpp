// The main window's menu commands: open, exit, options, frame rate, background colour,
// polygon filter, help dialogs and the Animations items. The renderer switch is in
// RendererSwitch.cpp.
#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "model/ZentorMesh.h"
#include "render/Renderer.h"
#include "render/ViewState.h"

namespace
{
void SetCheck(int CommandId, bool bChecked)
{
    WindowSystem->CheckMenuItem(WindowSystem->GetMenu(MainWindow), CommandId, bChecked);
}

void ToggleTextures(HWindow Window)
{
    // Every renderer switches, active or not: each keeps its state for when it is active.
    TexturesOn = TexturesOn ? 0 : 1;
    SetCheck(IDM_TEXTURES, TexturesOn != 0);
    ApplyTextureSwitchToEveryRenderer();
    WindowSystem->InvalidateRect(Window);
}

void SetFrameRate()
{
    // OK and Cancel alike keep the rate last shown.
    WindowSystem->DialogBox(AppInstance, IDD_FRAMERATE, MainWindow, FrameRateDialogProc);
    FrameIntervalMs = 1000 / FrameRate;
}

void SetBackgroundColor(HWindow Window)
{
    std::uint32_t Chosen = 0;
    // The chooser starts on black, not on the current background.
    if (!WindowSystem->ChooseColor(HWindow::None, 0, CustomColors, Chosen))
        return;
    const auto Red = static_cast<std::uint8_t>(Chosen & 0xFF);
    const auto Green = static_cast<std::uint8_t>((Chosen >> 8) & 0xFF);
    const auto Blue = static_cast<std::uint8_t>((Chosen >> 16) & 0xFF);
    // Each renderer keeps its own background; only the active one takes the choice.
    ActiveRenderer().SetBackgroundColor(Red, Green, Blue);
    WindowSystem->InvalidateRect(Window);
}

void SetPolygonFilter(HWindow Window, int CommandId, int Filter)
{
    PolygonFilter = Filter;
    CheckPolygonMenuItem(CommandId);
    WindowSystem->InvalidateRect(Window);
}
}  // namespace

void HandleCommand(HWindow Window, std::uintptr_t CommandId)
{
    switch (CommandId)
    {
    case IDM_OPEN:
        OpenScript(nullptr);
        break;
    case IDM_EXIT:
        // The destruction handling runs at once and posts the quit message.
        WindowSystem->SendMessage(Window, WM_DESTROY, 0, 0);
        break;
    case IDM_TEXTURES:
        ToggleTextures(Window);
        break;
    case IDM_LOOP:
        ToggleLoopAnimation();
        SetCheck(IDM_LOOP, LoopAnimation != 0);
        WindowSystem->InvalidateRect(Window);
        break;
    case IDM_AUTOROTATE:
        ToggleAutoRotate();
        SetCheck(IDM_AUTOROTATE, AutoRotate != 0);
        WindowSystem->InvalidateRect(Window);
        break;
    case IDM_FRAMERATE:
        SetFrameRate();
        break;
    case IDM_ABOUT:
        WindowSystem->DialogBox(AppInstance, IDD_ABOUT, MainWindow, PlainDialogProc);
        break;
    case IDM_KEYHELP:
        WindowSystem->DialogBox(AppInstance, IDD_KEYHELP, MainWindow, PlainDialogProc);
        break;
    case IDM_POLY_ALL:
        SetPolygonFilter(Window, IDM_POLY_ALL, 0);
        break;
    case IDM_POLY_TRANSLUCENT:
        SetPolygonFilter(Window, IDM_POLY_TRANSLUCENT, 2);
        break;
    case IDM_POLY_MASKED:
        SetPolygonFilter(Window, IDM_POLY_MASKED, 3);
        break;
    case IDM_POLY_TWOSIDED:
        SetPolygonFilter(Window, IDM_POLY_TWOSIDED, 4);
        break;
    case IDM_POLY_PLACEHOLDER:
        SetPolygonFilter(Window, IDM_POLY_PLACEHOLDER, 8);
        break;
    case IDM_BACKGROUND:
        SetBackgroundColor(Window);
        break;
    case IDM_DIRECT3D:
        SwitchRenderer();
        break;
    default:
        // Animations items; the placeholder All (40008) falls outside the range and does nothing.
        if (TheModel && CommandId >= static_cast<std::uintptr_t>(IDM_SEQUENCE_BASE) &&
            CommandId - IDM_SEQUENCE_BASE <
                static_cast<std::uintptr_t>(TheModel->GetNumSequences()))
        {
            SelectSequence(static_cast<int>(CommandId - IDM_SEQUENCE_BASE));
            WindowSystem->InvalidateRect(Window);
        }
        break;
    }
}
