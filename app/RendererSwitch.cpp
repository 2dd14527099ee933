// The renderer switch (Options > Use Direct3D): to Direct3D after the DirectX version check
// and the user's choice of device, back to OpenGL releasing every DirectX object; either way
// the last script is loaded again in the renderer now active.
#include <new>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "model/ZentorMesh.h"
#include "render/GLScene.h"
#include "render/Renderer.h"
#include "render_d3d/D3DViewer.h"
#include "render_d3d/Probe.h"

static_assert(IDD_DEVICE == DEVICE_DIALOG_ID && IDC_DEVICE_LIST == DEVICE_LIST_ID,
              "the viewer fills the chooser the resources define");

namespace
{
// DirectX 5: the first version with everything the Direct3D renderer calls.
constexpr std::uint32_t DIRECTX_5 = 0x500;

const char* const START_FAILED_TEXT =
    "Unable to create the Direct3D objects.\nTessaly goes on with OpenGL.";
const char* const ATTACH_FAILED_TEXT =
    "Unable to use Direct3D in this window.\nTessaly goes on with OpenGL.";

void CheckDirect3DItem(bool bChecked)
{
    Shell.WindowSystem->CheckMenuItem(Shell.WindowSystem->GetMenu(Shell.MainWindow), IDM_DIRECT3D,
                                      bChecked);
}
}  // namespace

bool CreateD3DViewer()
{
    try
    {
        if (!TheD3DViewer)
            TheD3DViewer = new cD3DViewer(*Shell.WindowSystem, Shell.MainWindow, Shell.AppInstance);
    }
    catch (const std::bad_alloc&)
    {
        TheD3DViewer = nullptr;
    }
    return TheD3DViewer != nullptr;
}

void SwitchRenderer()
{
    if (!CreateD3DViewer())
    {
        // Only a full heap stops the viewer: the model goes as when a load runs out of memory.
        if (TheModel)
            DropModelOutOfMemory();
        else
            Shell.WindowSystem->MessageBox(Shell.MainWindow, "Not enough memory to start Direct3D.",
                                           "Error", MB_ICONEXCLAMATION);
        return;
    }
    if (View.RenderMode == eRenderMode::Direct3D)
    {
        SelectRenderer(eRenderMode::OpenGL);
        GLSetPerspectiveHint();
        TheD3DViewer->SetActive(false);
        CheckDirect3DItem(false);
        TheD3DViewer->ReleaseAll();
    }
    else
    {
        std::uint32_t Version = 0, Platform = 0;
        ProbeDirectXVersion(&Version, &Platform);
        if (Version < DIRECTX_5)
        {
            Shell.WindowSystem->MessageBox(Shell.MainWindow,
                                     "Tessaly requires DirectX 5 or newer which is not on this machine.",
                                     "Info", MB_ICONEXCLAMATION);
            return;
        }
        if (!TheD3DViewer->ChooseDevice())
        {
            SelectRenderer(eRenderMode::OpenGL);
            TheD3DViewer->SetActive(false);
            // A cancelled choice keeps the DirectX objects; a failed creation keeps none.
            if (!TheD3DViewer->GetD3DRM())
                Shell.WindowSystem->MessageBox(Shell.MainWindow, START_FAILED_TEXT, "D3D Error",
                                               MB_ICONEXCLAMATION);
            return;
        }
        SelectRenderer(eRenderMode::Direct3D);
        TheD3DViewer->SetActive(true);
        if (!TheD3DViewer->AttachToWindow())
        {
            // The model is still the OpenGL one: OpenGL simply goes on, and the next switch
            // starts from nothing.
            SelectRenderer(eRenderMode::OpenGL);
            TheD3DViewer->SetActive(false);
            TheD3DViewer->ReleaseAll();
            Shell.WindowSystem->MessageBox(Shell.MainWindow, ATTACH_FAILED_TEXT, "D3D Error",
                                           MB_ICONEXCLAMATION);
            Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
            return;
        }
        CheckDirect3DItem(true);
    }
    // The model exists only in the active renderer's form: it is read again for the new one.
    if (!View.LastScriptPath.empty())
        OpenScript(View.LastScriptPath.c_str());
    Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
}
