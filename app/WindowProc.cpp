// MainWindowProc: the main window's messages: OpenGL context life, size, paint through the
// active renderer, camera keys, frame stepping characters, palette realisation. Menu commands
// are in Commands.cpp, the mouse in Mouse.cpp, dropped files in ScriptFolder.cpp.
#include <cstdint>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "render/GLPixelFormat.h"
#include "load/ModelLoad.h"
#include "render/GLScene.h"
#include "render/Renderer.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DViewer.h"

namespace
{
// Builds, selects and realises the logical palette when the format actually set needs one.
HPalette CreateWindowPalette(HWindow Window)
{
    tPixelFormat Format;
    if (!Shell.WindowSystem->DescribePixelFormat(Window, Format) || !(Format.dwFlags & PFD_NEED_PALETTE))
        return HPalette::None;
    const std::vector<tPaletteEntry> Entries = GLCreatePalette(Format);
    if (Entries.empty())
        return HPalette::None;
    const HPalette Palette =
        Shell.WindowSystem->CreatePalette(Entries.data(), static_cast<int>(Entries.size()));
    Shell.WindowSystem->SelectPalette(Window, Palette, false);
    Shell.WindowSystem->RealizePalette(Window);
    return Palette;
}

std::intptr_t OnCreate(HWindow Window)
{
    // Failures here are silent: start-up carries on and the window just stays undrawn.
    Shell.WindowDC = Window;
    Shell.WindowSystem->SetPixelFormat(Shell.WindowDC, GLPixelFormat);
    Shell.GLContext = Shell.WindowSystem->CreateGLContext(Shell.WindowDC);
    Shell.WindowSystem->MakeCurrent(Shell.WindowDC, Shell.GLContext);
    Shell.GLPalette = CreateWindowPalette(Shell.WindowDC);
    // The menu resource has Loop Animation checked; the flag starts clear.
    const HMenu Menu = Shell.WindowSystem->GetMenu(Window);
    Shell.WindowSystem->CheckMenuItem(Menu, IDM_LOOP, false);
    Shell.WindowSystem->CheckMenuItem(Menu, IDM_POLY_ALL, true);
    GLInitState();
    GLInitTexturing();
    return 0;
}

std::intptr_t OnDestroy()
{
    SaveWindowSize();
    // While the context is still current, so the model's lists and textures are deleted.
    ReleaseModel();
    Shell.WindowSystem->MakeCurrent(Shell.WindowDC, HGLContext::None);
    Shell.WindowSystem->DeleteGLContext(Shell.GLContext);
    Shell.GLContext = HGLContext::None;
    if (Shell.GLPalette != HPalette::None)
    {
        Shell.WindowSystem->DeletePalette(Shell.GLPalette);
        Shell.GLPalette = HPalette::None;
    }
    if (TheD3DViewer)
    {
        TheD3DViewer->ReleaseAll();
        delete TheD3DViewer;
        TheD3DViewer = nullptr;
    }
    Shell.WindowSystem->PostQuitMessage(0);
    return 0;
}

// The window being painted, as the active renderer sees it. The window argument, not
// MainWindow: a paint may arrive before creation has returned.
class cWindowPaint final : public cPaintTarget
{
public:
    explicit cWindowPaint(HWindow Window) : mWindow(Window) {}
    void SwapBuffers() override { Shell.WindowSystem->SwapBuffers(Shell.WindowDC); }
    bool HasUpdateRegion() override { return Shell.WindowSystem->GetUpdateRect(mWindow); }
    void ValidateRegion() override { Shell.WindowSystem->ValidateRect(mWindow); }

private:
    HWindow mWindow;
};

std::intptr_t OnPaint(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                      std::intptr_t lParam)
{
    AutoRotateStep();
    cWindowPaint Target(Window);
    // A renderer that cannot draw yet (Direct3D without a device) leaves the paint to the
    // default handling, which validates the window.
    if (!ActiveRenderer().Paint(Target))
        return Shell.WindowSystem->DefWindowProc(Window, Msg, wParam, lParam);
    return 0;
}

// Angles turn in 5-degree steps; the wrap tests are strict, so 0 and 360 both occur.
void TurnUp(float& Angle)
{
    Angle += 5.0f;
    if (Angle > 360.0f)
        Angle = 0.0f;
}

void TurnDown(float& Angle)
{
    Angle -= 5.0f;
    if (Angle < 0.0f)
        Angle = 360.0f;
}

std::intptr_t OnKeyDown(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                        std::intptr_t lParam)
{
    switch (wParam)
    {
    case VK_ESCAPE:
        Shell.WindowSystem->SendMessage(Window, WM_CLOSE, 0, 0);
        break;
    case VK_PRIOR:
        TurnDown(View.CameraAngleX);
        break;
    case VK_NEXT:
        TurnUp(View.CameraAngleX);
        break;
    case VK_HOME:
        View.CameraOffsetY = View.CameraOffsetZ = View.CameraAngleY = View.CameraAngleX = 0.0f;
        break;
    case VK_LEFT:
        TurnUp(View.CameraAngleY);
        break;
    case VK_UP:
        View.CameraOffsetZ += 10.0f;
        break;
    case VK_RIGHT:
        TurnDown(View.CameraAngleY);
        break;
    case VK_DOWN:
        View.CameraOffsetZ -= 10.0f;
        break;
    case VK_INSERT:
        View.CameraOffsetY -= 10.0f;
        break;
    case VK_DELETE:
        View.CameraOffsetY += 10.0f;
        break;
    default:
        break;
    }
    Shell.WindowSystem->InvalidateRect(Window);
    return Shell.WindowSystem->DefWindowProc(Window, Msg, wParam, lParam);
}

// The key-down of the same key has already asked for the redraw. Sequence bounds come from
// the script and may lie anywhere in 32 bits, so the steps are computed in 64 bits; a step
// past the largest frame number wraps to the sequence start like any step past its end.
std::intptr_t OnChar(std::uintptr_t Character)
{
    if (Character == 'n' || Character == 'N')
    {
        View.CurrentFrame = NextFrameInSequence(View.CurrentFrame);
    }
    else if (Character == 'p' || Character == 'P')
    {
        const std::int64_t Previous = static_cast<std::int64_t>(View.CurrentFrame) - 1;
        View.CurrentFrame = Previous < View.SequenceStart ? View.SequenceStart
                                                          : static_cast<std::int32_t>(Previous);
    }
    return 0;
}

std::intptr_t OnQueryNewPalette(HWindow Window)
{
    if (Shell.GLPalette == HPalette::None)
        return 0;
    Shell.WindowSystem->SelectPalette(Shell.WindowDC, Shell.GLPalette, false);
    const int Realised = Shell.WindowSystem->RealizePalette(Shell.WindowDC);
    Shell.WindowSystem->InvalidateRect(Window);
    return Realised;
}

std::intptr_t OnPaletteChanged(HWindow Window, std::uintptr_t ChangedBy)
{
    // Our own realisation also announces a change; answering it would loop.
    if (Shell.GLPalette != HPalette::None && static_cast<HWindow>(ChangedBy) != Window)
    {
        Shell.WindowSystem->SelectPalette(Shell.WindowDC, Shell.GLPalette, false);
        Shell.WindowSystem->RealizePalette(Shell.WindowDC);
        Shell.WindowSystem->UpdateColors(Shell.WindowDC);
    }
    return 0;
}
}  // namespace

std::intptr_t MainWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                             std::intptr_t lParam)
{
    switch (Msg)
    {
    case WM_CREATE:
        return OnCreate(Window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        ResizeView(static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
        return 0;
    case WM_ACTIVATE:
        // Only the Direct3D renderer reacts to activation.
        if (TheD3DViewer)
            TheD3DViewer->OnActivate(wParam);
        return 0;
    case WM_PAINT:
        return OnPaint(Window, Msg, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(Window, Msg, wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam);
    case WM_COMMAND:
        HandleCommand(Window, wParam);
        return 0;
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette(Window);
    case WM_PALETTECHANGED:
        return OnPaletteChanged(Window, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        return HandlePointer(Window, Msg, wParam, lParam);
    case WM_DROPFILES:
        HandleDropFiles(wParam);
        return 0;
    default:
        return Shell.WindowSystem->DefWindowProc(Window, Msg, wParam, lParam);
    }
}
