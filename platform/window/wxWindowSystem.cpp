// The wx back end: toolkit start-up, the main window's life, the message queue and redraw, the
// clock, and the events of the main frame turned into messages.
#include "platform/window/wxWindowSystem.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/menu.h>

#include "platform/settings/SettingsFile.h"
#include "platform/window/wxDialogRecord.h"
#include "platform/window/wxKeyMap.h"
#include "platform/window/wxMainFrame.h"

namespace
{
// The toolkit's application object: the program takes no command line, so none is parsed.
class cWxApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// Bounds one round of running pending toolkit events, so a source that keeps itself ready
// cannot hold the queue query forever.
constexpr int MAX_EVENTS_PER_PUMP = 500;

// The program keeps no state between runs, but GTK's file chooser would store its folder and
// size in the desktop's settings store. Settings stay in memory for this process unless the user
// chose a store; this must run before the toolkit starts.
void KeepToolkitSettingsInMemory()
{
    setenv("GSETTINGS_BACKEND", "memory", 0);
}

std::intptr_t MakeSizeParam(int Width, int Height)
{
    return static_cast<std::intptr_t>((static_cast<unsigned>(Width) & 0xFFFFu) |
                                      ((static_cast<unsigned>(Height) & 0xFFFFu) << 16));
}

wxIcon MakeIcon(const tIconTemplate& Template)
{
    if (Template.Width <= 0 || Template.Height <= 0)
        return wxIcon();
    wxImage Image(Template.Width, Template.Height);
    unsigned char* pRgb = Image.GetData();
    const std::size_t NumPixels = static_cast<std::size_t>(Template.Width) * Template.Height;
    for (std::size_t I = 0; I < NumPixels && I < Template.Pixels.size(); ++I)
    {
        const std::uint8_t Index = Template.Pixels[I];
        const std::uint32_t Colour = Index < Template.Palette.size() ? Template.Palette[Index] : 0;
        pRgb[I * 3 + 0] = static_cast<unsigned char>(Colour & 0xFF);
        pRgb[I * 3 + 1] = static_cast<unsigned char>((Colour >> 8) & 0xFF);
        pRgb[I * 3 + 2] = static_cast<unsigned char>((Colour >> 16) & 0xFF);
    }
    wxIcon Icon;
    Icon.CopyFromBitmap(wxBitmap(Image));
    return Icon;
}
}  // namespace

std::unique_ptr<cWindowSystem> CreateWindowSystem(int argc, char** argv)
{
    auto System = std::make_unique<cWxWindowSystem>();
    if (!System->Start(argc, argv))
        return nullptr;
    return System;
}

cWxWindowSystem::cWxWindowSystem() = default;

bool cWxWindowSystem::Start(int argc, char** argv)
{
    mTraceRedraw = std::getenv("TESSALY_TRACE_REDRAW") != nullptr;
    KeepToolkitSettingsInMemory();
    wxApp::SetInstance(new cWxApp);
    if (!wxEntryStart(argc, argv))
        return false;
    mStarted = true;
    if (!wxTheApp->CallOnInit())
        return false;
    // The shell's loop decides when the program ends, not the last frame closing.
    wxTheApp->SetExitOnFrameDelete(false);
    mLoop = std::make_unique<wxGUIEventLoop>();
    wxEventLoopBase::SetActive(mLoop.get());
    return true;
}

cWxWindowSystem::~cWxWindowSystem()
{
    // Nothing reaches the window procedure from here on.
    mProc = nullptr;
    CloseAllDialogs();
    ReleaseGL();
    mSettings.reset();
    if (mFrame != nullptr)
    {
        mFrame->Destroy();
        mFrame = nullptr;
        mCanvas = nullptr;
    }
    if (mStarted)
    {
        wxEventLoopBase::SetActive(nullptr);
        mLoop.reset();
        wxEntryCleanup();
    }
}

// ---- window --------------------------------------------------------------------------------

HWindow cWxWindowSystem::CreateMainWindow(const tMainWindowDesc& Desc)
{
    if (mFrame != nullptr || Desc.Proc == nullptr || Desc.pInstance == nullptr)
        return HWindow::None;
    mFrame = new cWxMainFrame(*this, wxString::FromUTF8(Desc.pszTitle), wxPoint(Desc.X, Desc.Y),
                              wxSize(Desc.Width, Desc.Height));
    mProc = Desc.Proc;
    mDestroyed = false;
    wxTheApp->SetAppDisplayName(wxString::FromUTF8(Desc.pInstance->Version.pszFileDescription));
    if (const tIconTemplate* pIcon = Desc.pInstance->FindIcon(Desc.IconId))
    {
        const wxIcon Icon = MakeIcon(*pIcon);
        if (Icon.IsOk())
            mFrame->SetIcon(Icon);
    }
    BuildMenuBar(*Desc.pInstance, Desc.MenuId);

    mProc(MAIN_WINDOW, WM_CREATE, 0, 0);
    // A window procedure that set no pixel format still gets a canvas to paint and type into.
    if (mCanvas == nullptr)
        MakeCanvas(tPixelFormat{});
    // In the drawable's pixels, as every later WM_SIZE and GetClientSize give it. Without a
    // canvas (no format fits the display) the frame's client area is measured the same way.
    int Width = 0, Height = 0;
    GetClientSize(MAIN_WINDOW, Width, Height);
    if (mCanvas == nullptr)
    {
        const wxSize Client = mFrame->GetClientSize() * mFrame->GetContentScaleFactor();
        Width = Client.GetWidth();
        Height = Client.GetHeight();
    }
    if (mProc != nullptr && !mDestroyed)
        mProc(MAIN_WINDOW, WM_SIZE, 0, MakeSizeParam(Width, Height));
    return mDestroyed ? HWindow::None : MAIN_WINDOW;
}

void cWxWindowSystem::ShowWindow(HWindow Window)
{
    if (!IsMain(Window) || mDestroyed)
        return;
    mFrame->Show();
    mFrame->Raise();
    if (mCanvas != nullptr)
        mCanvas->SetFocus();
    // A window that appears needs painting whole; UpdateWindow delivers it at once.
    mQueue.Invalidate(MAIN_WINDOW);
}

void cWxWindowSystem::UpdateWindow(HWindow Window)
{
    if (IsMain(Window) && !mDestroyed && mQueue.IsInvalid())
        DispatchMessage({MAIN_WINDOW, WM_PAINT, 0, 0});
}

void cWxWindowSystem::DestroyWindow(HWindow Window)
{
    if (!IsMain(Window))
    {
        CloseDialog(Window);
        return;
    }
    if (mDestroyed)
        return;
    mDestroyed = true;
    if (mProc != nullptr)
        mProc(MAIN_WINDOW, WM_DESTROY, 0, 0);
    mQueue.DropWindow(MAIN_WINDOW);
    CloseAllDialogs();
    mFrame->Hide();
}

std::intptr_t cWxWindowSystem::DefWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t,
                                             std::intptr_t)
{
    if (Msg == WM_CLOSE)
        DestroyWindow(Window);
    else if (Msg == WM_PAINT && IsMain(Window))
        mQueue.Validate();
    return 0;
}

// ---- message queue -------------------------------------------------------------------------

void cWxWindowSystem::Pump()
{
    for (int I = 0; I < MAX_EVENTS_PER_PUMP && mLoop->Pending(); ++I)
        mLoop->Dispatch();
    wxTheApp->ProcessPendingEvents();
}

bool cWxWindowSystem::PeekMessage()
{
    Pump();
    return mQueue.HasMessage();
}

bool cWxWindowSystem::GetMessage(tMessage& Msg)
{
    for (;;)
    {
        Pump();
        std::uint32_t Char = 0;
        if (mQueue.Take(Msg, Char))
        {
            if (Msg.Msg == WM_PAINT && mTraceRedraw)
                std::fprintf(stderr, "paint %u\n", GetTimeMs());
            if (Msg.Msg == WM_KEYDOWN)
            {
                mLastKeyDown = Msg;
                mLastKeyChar = Char;
            }
            return Msg.Msg != WM_QUIT;
        }
        // Nothing waits: sleep in the toolkit until one of its events arrives.
        mLoop->Dispatch();
    }
}

void cWxWindowSystem::TranslateMessage(const tMessage& Msg)
{
    if (Msg.Msg != WM_KEYDOWN || mLastKeyChar == 0 || Msg.Window != mLastKeyDown.Window ||
        Msg.wParam != mLastKeyDown.wParam)
        return;
    mQueue.PostFront({Msg.Window, WM_CHAR, mLastKeyChar, 0});
    mLastKeyChar = 0;
}

std::intptr_t cWxWindowSystem::DispatchMessage(const tMessage& Msg)
{
    return SendMessage(Msg.Window, Msg.Msg, Msg.wParam, Msg.lParam);
}

void cWxWindowSystem::WaitMessage(std::uint32_t TimeoutMs)
{
    Pump();
    if (TimeoutMs == WAIT_INFINITE)
    {
        while (!mQueue.HasMessage())
        {
            mLoop->Dispatch();
            Pump();
        }
        return;
    }
    const std::uint32_t Start = GetTimeMs();
    for (;;)
    {
        if (mQueue.HasMessage())
            return;
        const std::uint32_t Elapsed = GetTimeMs() - Start;
        if (Elapsed >= TimeoutMs)
            return;
        mLoop->DispatchTimeout(TimeoutMs - Elapsed);
        Pump();
    }
}

void cWxWindowSystem::PostMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                  std::intptr_t lParam)
{
    mQueue.Post({Window, Msg, wParam, lParam});
}

std::intptr_t cWxWindowSystem::SendMessage(HWindow Window, std::uint32_t Msg,
                                           std::uintptr_t wParam, std::intptr_t lParam)
{
    if (IsMain(Window))
    {
        if (mDestroyed || mProc == nullptr)
            return 0;
        // Destruction sent by the program itself ends the window like DestroyWindow does.
        if (Msg == WM_DESTROY)
        {
            DestroyWindow(Window);
            return 0;
        }
        return mProc(Window, Msg, wParam, lParam);
    }
    if (tWxDialogRecord* pRecord = FindDialog(Window))
        return pRecord->Proc(Window, Msg, wParam, lParam) ? 1 : 0;
    return 0;
}

void cWxWindowSystem::PostQuitMessage(int ExitCode)
{
    mQueue.PostQuit(ExitCode);
}

// ---- redraw --------------------------------------------------------------------------------

void cWxWindowSystem::InvalidateRect(HWindow Window)
{
    if (!IsMain(Window) || mDestroyed)
        return;
    if (mTraceRedraw)
        std::fprintf(stderr, "invalidate %u\n", GetTimeMs());
    mQueue.Invalidate(Window);
}

void cWxWindowSystem::ValidateRect(HWindow Window)
{
    if (IsMain(Window))
        mQueue.Validate();
}

bool cWxWindowSystem::GetUpdateRect(HWindow Window)
{
    return IsMain(Window) && mQueue.IsInvalid();
}

// ---- clock ---------------------------------------------------------------------------------

std::uint32_t cWxWindowSystem::GetTimeMs()
{
    const auto Now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Now).count());
}

// ---- events of the main frame --------------------------------------------------------------

void cWxWindowSystem::OnCanvasPaint()
{
    if (mDestroyed)
        return;
    mQueue.Invalidate(MAIN_WINDOW);
    // Inside a modal loop the shell's loop is not running: paint now, as a modal loop would.
    if (mModalDepth > 0)
        DispatchMessage({MAIN_WINDOW, WM_PAINT, 0, 0});
}

void cWxWindowSystem::OnCanvasSize(int Width, int Height)
{
    if (!mDestroyed)
        PostMessage(MAIN_WINDOW, WM_SIZE, 0, MakeSizeParam(Width, Height));
}

bool cWxWindowSystem::OnKeyDown(int WxKeyCode, unsigned Modifiers)
{
    const std::uintptr_t VirtualKey = VirtualKeyFromWx(WxKeyCode);
    if (VirtualKey == 0 || mDestroyed)
        return false;
    // A menu accelerator is the item's command, never also a key the window procedure sees.
    const int CommandId = mMenuTemplate != nullptr && Modifiers != 0
                              ? mMenuTemplate->FindAccelerator(VirtualKey, Modifiers)
                              : ID_NONE;
    if (CommandId != ID_NONE)
    {
        PostMessage(MAIN_WINDOW, WM_COMMAND, static_cast<std::uintptr_t>(CommandId), 0);
        return true;
    }
    PostMessage(MAIN_WINDOW, WM_KEYDOWN, VirtualKey, 0);
    return false;
}

void cWxWindowSystem::OnChar(std::uint32_t Char, bool bAltDown)
{
    if (bAltDown)
        return;
    // Normally the character belongs to the key-down just queued; TranslateMessage posts it.
    if (!mDestroyed && !mQueue.AttachChar(Char))
        PostMessage(MAIN_WINDOW, WM_CHAR, Char, 0);
}

void cWxWindowSystem::OnActivate(bool bActive)
{
    if (mDestroyed)
        return;
    PostMessage(MAIN_WINDOW, WM_ACTIVATE, bActive ? WA_ACTIVE : WA_INACTIVE, 0);
    if (bActive && mCanvas != nullptr)
        mCanvas->SetFocus();
}

void cWxWindowSystem::OnCloseRequest()
{
    if (!mDestroyed)
        PostMessage(MAIN_WINDOW, WM_CLOSE, 0, 0);
}

void cWxWindowSystem::OnMenuCommand(int ToolkitId)
{
    int CommandId = 0;
    if (mDestroyed || !mCommandIds.ToCommand(ToolkitId, CommandId))
        return;
    // The toolkit flips a check item when it is chosen; the program sets its marks itself.
    wxMenuItem* pItem = mFrame->GetMenuBar()->FindItem(ToolkitId);
    auto Logical = mLogicalChecks.find(CommandId);
    if (pItem != nullptr && pItem->IsCheckable())
        pItem->Check(Logical != mLogicalChecks.end() && Logical->second);
    PostMessage(MAIN_WINDOW, WM_COMMAND, static_cast<std::uintptr_t>(CommandId), 0);
}

void cWxWindowSystem::EnterModal()
{
    // A repaint still waiting (say, where the menu that chose this command was) is done before
    // the modal loop starts, which delivers later paints itself.
    if (mQueue.IsInvalid() && !mDestroyed)
        DispatchMessage({MAIN_WINDOW, WM_PAINT, 0, 0});
    ++mModalDepth;
}

void cWxWindowSystem::LeaveModal()
{
    --mModalDepth;
    RestoreFocus();
}

void cWxWindowSystem::RestoreFocus()
{
    if (mModalDepth > 0 || mFrame == nullptr || mDestroyed || !mFrame->IsShown())
        return;
    mFrame->Raise();
    if (mCanvas != nullptr)
        mCanvas->SetFocus();
}

wxWindow* cWxWindowSystem::OwnerWindow(HWindow Owner) const
{
    if (IsMain(Owner) && !mDestroyed)
        return mFrame;
    if (tWxDialogRecord* pRecord = FindDialog(Owner))
        return pRecord->pDialog;
    return nullptr;
}
