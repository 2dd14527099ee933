// The main window's menu commands: open, exit, options, frame rate, background colour,
// polygon filter, help dialogs and the Animations items. The renderer switch is in
// RendererSwitch.cpp; the other File items in RecentScripts.cpp, ScriptFolder.cpp and
// PictureCommands.cpp.
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
    Shell.WindowSystem->CheckMenuItem(Shell.WindowSystem->GetMenu(Shell.MainWindow), CommandId, bChecked);
}

void ToggleTextures(HWindow Window)
{
    // Every renderer switches, active or not: each keeps its state for when it is active.
    View.TexturesOn = !View.TexturesOn;
    SetCheck(IDM_TEXTURES, View.TexturesOn);
    ApplyTextureSwitchToEveryRenderer();
    Shell.WindowSystem->InvalidateRect(Window);
}

void SetFrameRate()
{
    // OK and Cancel alike keep the rate last shown.
    Shell.WindowSystem->DialogBox(Shell.AppInstance, IDD_FRAMERATE, Shell.MainWindow, FrameRateDialogProc);
    View.FrameIntervalMs = 1000 / View.FrameRate;
}

void SetBackgroundColor(HWindow Window)
{
    std::uint32_t Chosen = 0;
    // The chooser starts on black, not on the current background.
    if (!Shell.WindowSystem->ChooseColor(HWindow::None, 0, Shell.CustomColors, Chosen))
        return;
    const auto Red = static_cast<std::uint8_t>(Chosen & 0xFF);
    const auto Green = static_cast<std::uint8_t>((Chosen >> 8) & 0xFF);
    const auto Blue = static_cast<std::uint8_t>((Chosen >> 16) & 0xFF);
    // Each renderer keeps its own background; only the active one takes the choice.
    ActiveRenderer().SetBackgroundColor(Red, Green, Blue);
    Shell.WindowSystem->InvalidateRect(Window);
}

void SetPolygonFilter(HWindow Window, int CommandId, ePolygonFilter Filter)
{
    View.PolygonFilter = Filter;
    CheckPolygonMenuItem(CommandId);
    Shell.WindowSystem->InvalidateRect(Window);
}
}  // namespace

void HandleCommand(HWindow Window, std::uintptr_t CommandId)
{
    switch (CommandId)
    {
    case IDM_OPEN:
        OpenScript(nullptr);
        break;
    case IDM_EXPORT_ANIMATION:
        ExportAnimation();
        break;
    case IDM_EXPORT_GLTF:
        ExportGltf();
        break;
    case IDM_EXIT:
        // The destruction handling runs at once and posts the quit message.
        Shell.WindowSystem->SendMessage(Window, WM_DESTROY, 0, 0);
        break;
    case IDM_TEXTURES:
        ToggleTextures(Window);
        break;
    case IDM_LOOP:
        ToggleLoopAnimation();
        SetCheck(IDM_LOOP, View.LoopAnimation);
        Shell.WindowSystem->InvalidateRect(Window);
        break;
    case IDM_AUTOROTATE:
        ToggleAutoRotate();
        SetCheck(IDM_AUTOROTATE, View.AutoRotate);
        Shell.WindowSystem->InvalidateRect(Window);
        break;
    case IDM_FRAMERATE:
        SetFrameRate();
        break;
    case IDM_ABOUT:
        Shell.WindowSystem->DialogBox(Shell.AppInstance, IDD_ABOUT, Shell.MainWindow, PlainDialogProc);
        break;
    case IDM_KEYHELP:
        Shell.WindowSystem->DialogBox(Shell.AppInstance, IDD_KEYHELP, Shell.MainWindow, PlainDialogProc);
        break;
    case IDM_POLY_ALL:
        SetPolygonFilter(Window, IDM_POLY_ALL, ePolygonFilter::All);
        break;
    case IDM_POLY_TRANSLUCENT:
        SetPolygonFilter(Window, IDM_POLY_TRANSLUCENT, ePolygonFilter::Translucent);
        break;
    case IDM_POLY_MASKED:
        SetPolygonFilter(Window, IDM_POLY_MASKED, ePolygonFilter::Masked);
        break;
    case IDM_POLY_TWOSIDED:
        SetPolygonFilter(Window, IDM_POLY_TWOSIDED, ePolygonFilter::TwoSided);
        break;
    case IDM_POLY_PLACEHOLDER:
        SetPolygonFilter(Window, IDM_POLY_PLACEHOLDER, ePolygonFilter::Placeholder);
        break;
    case IDM_BACKGROUND:
        SetBackgroundColor(Window);
        break;
    case IDM_DIRECT3D:
        SwitchRenderer();
        break;
    case IDM_NEXT_SCRIPT:
        OpenNeighbourScript(1);
        break;
    case IDM_PREVIOUS_SCRIPT:
        OpenNeighbourScript(-1);
        break;
    case IDM_SAVE_PICTURE:
        SavePicture();
        break;
    case IDM_COPY_PICTURE:
        CopyPicture();
        break;
    default:
        if (CommandId >= static_cast<std::uintptr_t>(IDM_RECENT_BASE) &&
            CommandId < static_cast<std::uintptr_t>(IDM_RECENT_BASE + MAX_RECENT_SCRIPTS))
        {
            OpenRecentScript(static_cast<int>(CommandId - IDM_RECENT_BASE));
            break;
        }
        // Animations items; the placeholder All (40008) falls outside the range and does nothing.
        if (TheModel && CommandId >= static_cast<std::uintptr_t>(IDM_SEQUENCE_BASE) &&
            CommandId - IDM_SEQUENCE_BASE <
                static_cast<std::uintptr_t>(TheModel->GetNumSequences()))
        {
            SelectSequence(static_cast<int>(CommandId - IDM_SEQUENCE_BASE));
            Shell.WindowSystem->InvalidateRect(Window);
        }
        break;
    }
}
