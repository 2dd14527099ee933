// tessaly-render's Direct3D path: an in-memory main window, the viewer and its device chosen
// through the chooser as a user would choose it, the load flow with Direct3D active, and the
// pictures the device presents.
#include "tools/render/RenderD3D.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "load/ModelLoad.h"
#include "render/Renderer.h"
#include "render/View.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DRenderer.h"
#include "render_d3d/D3DViewer.h"
#include "tools/render/Pictures.h"

namespace
{
std::intptr_t QuietWindowProc(HWindow, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}

// The headless window loses its frame (the menu bar) from the outer size. A scratch window
// measures it, so the real window's client area is exactly the size asked for.
HWindow CreateClientWindow(cHeadlessWindowSystem& System, int Width, int Height)
{
    tMainWindowDesc Desc;
    Desc.pInstance = &AppResources();
    Desc.Proc = QuietWindowProc;
    Desc.pszTitle = "tessaly-render";
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.Width = Width;
    Desc.Height = Height;
    int ScratchWidth = 0, ScratchHeight = 0;
    {
        cHeadlessWindowSystem Scratch;
        const HWindow Window = Scratch.CreateMainWindow(Desc);
        Scratch.GetClientSize(Window, ScratchWidth, ScratchHeight);
        Scratch.DestroyWindow(Window);
    }
    Desc.Width += Width - ScratchWidth;
    Desc.Height += Height - ScratchHeight;
    const HWindow Window = System.CreateMainWindow(Desc);
    int ClientW = 0, ClientH = 0;
    System.GetClientSize(Window, ClientW, ClientH);
    if (Window == HWindow::None || ClientW != Width || ClientH != Height)
        throw std::runtime_error("cannot make a " + std::to_string(Width) + "x" +
                                 std::to_string(Height) + " window for the Direct3D renderer");
    return Window;
}

// The viewer and everything it drew from, released on every way out: the frames' meshes
// before the viewer, the viewer before the window.
struct cDirect3DSession
{
    cHeadlessWindowSystem System;
    HWindow Window = HWindow::None;
    std::size_t MessagesPrinted = 0;

    ~cDirect3DSession()
    {
        ReleaseModel();
        delete TheD3DViewer;
        TheD3DViewer = nullptr;
        if (Window != HWindow::None)
            System.DestroyWindow(Window);
    }

    // Prints the message boxes shown since the last call as "Caption: text". True when one
    // of them was more than a warning.
    bool PrintMessages()
    {
        bool bError = false;
        for (; MessagesPrinted < System.mMessageBoxes.size(); ++MessagesPrinted)
        {
            const tShownMessageBox& Box = System.mMessageBoxes[MessagesPrinted];
            std::fprintf(stderr, "%s: %s\n", Box.Caption.c_str(), Box.Text.c_str());
            bError |= Box.Caption != "Warning";
        }
        return bError;
    }
};

// Chooses line Device of the chooser. Prints why and returns false when there is no such
// device or nothing was chosen.
bool ChooseDevice(cDirect3DSession& Session, int Device)
{
    Session.System.mDialogScripts.push_back(
        {tDialogAction::SelectLine(IDC_DEVICE_LIST, Device), {WM_COMMAND, IDOK, 0}});
    const bool bChosen = TheD3DViewer->ChooseDevice();
    const int NumDevices = TheD3DViewer->GetNumDevices();
    if (Device < 0 || Device >= NumDevices)
    {
        std::fprintf(stderr, "tessaly-render: there is no Direct3D device %d; the devices are:\n",
                     Device);
        for (int Index = 0; Index < NumDevices; ++Index)
            std::fprintf(stderr, "  %d  %s\n", Index, TheD3DViewer->GetDeviceName(Index));
        return false;
    }
    if (!bChosen || TheD3DViewer->GetDeviceIndex() != Device)
    {
        std::fprintf(stderr, "tessaly-render: the Direct3D device %d could not be chosen\n",
                     Device);
        return false;
    }
    return true;
}

// The picture the draw presented, as the renderer gives it; the draw must have presented one.
cRGBPicture TakePresentedPicture(cHeadlessWindowSystem& System, int& PresentCount)
{
    cRGBPicture Picture;
    if (System.mPresentCount == PresentCount ||
        !ActiveRenderer().ReadPicture(Picture.Width, Picture.Height, Picture.Rgb))
        throw std::runtime_error("the Direct3D renderer presented no picture");
    PresentCount = System.mPresentCount;
    return Picture;
}
}  // namespace

int RenderWithDirect3D(const cOptions& Opt)
{
    RegisterD3DRenderer();
    SelectRenderer(eRenderMode::Direct3D);
    cDirect3DSession Session;
    if (Opt.DisplayBits)
        Session.System.mDisplayBitsPerPixel = Opt.DisplayBits;
    Session.Window = CreateClientWindow(Session.System, Opt.Width, Opt.Height);
    TheD3DViewer = new cD3DViewer(Session.System, Session.Window, &AppResources());

    // The renderer switch: the device chooser, then the device on the window.
    if (!ChooseDevice(Session, Opt.Device))
    {
        Session.PrintMessages();
        return 1;
    }
    TheD3DViewer->AttachToWindow();
    // An error box (the chosen device cannot draw at this size, no z-buffer) means the
    // pictures would not be the ones asked for; the box says why.
    if (Session.PrintMessages())
        return 1;
    if (!TheD3DViewer->HasDevice())
    {
        std::fprintf(stderr, "tessaly-render: the Direct3D device could not be attached\n");
        return 1;
    }

    if (LoadForRender(Opt) != 0)
    {
        Session.PrintMessages();
        return 1;
    }
    ResizeView(Opt.Width, Opt.Height);

    ApplyViewOptions(Opt);
    // Warnings (a 32-bit display's texture note) leave the picture as asked; errors do not.
    if (Session.PrintMessages() || !TheD3DViewer->HasDevice())
        return 1;

    int PresentCount = Session.System.mPresentCount;
    const int Status = WritePictures(Opt, [&Session, &PresentCount]() {
        D3DDrawFrame();
        return TakePresentedPicture(Session.System, PresentCount);
    });
    return Session.PrintMessages() ? 1 : Status;
}
