// The wx back end's canvas input against the real toolkit on an X display (run through
// with_xvfb.sh, once at the desktop's normal scale and once with GDK_SCALE=2): every key-down
// reaches the window procedure, characters typed with Alt do not, and every size the window
// procedure is given is the drawable's pixels, as GetClientSize reports them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/toplevel.h>

#include "platform/window/Window.h"
#include "tests/window/WxTestWindow.h"

namespace
{
cWindowSystem* System = nullptr;
HWindow Main = HWindow::None;
std::vector<tMessage> Received;
std::intptr_t CreationSize = -1;   // what WM_SIZE carried inside CreateMainWindow

std::intptr_t RecordingProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                            std::intptr_t lParam)
{
    Received.push_back({Window, Msg, wParam, lParam});
    if (Msg == WM_CREATE)
    {
        tPixelFormat Request;
        Request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        Request.cDepthBits = 16;
        System->SetPixelFormat(Window, Request);
    }
    if (Msg == WM_PAINT)
        System->ValidateRect(Window);
    return 0;
}

wxFrame* MainFrame()
{
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (auto* pFrame = dynamic_cast<wxFrame*>(pWindow))
            return pFrame;
    return nullptr;
}

wxGLCanvas* Canvas()
{
    if (wxFrame* pFrame = MainFrame())
        for (wxWindow* pChild : pFrame->GetChildren())
            if (auto* pCanvas = dynamic_cast<wxGLCanvas*>(pChild))
                return pCanvas;
    return nullptr;
}

// A key press as the toolkit delivers it to the canvas: the key-down, then its character.
void Press(int KeyCode, wxChar Character, bool bAltDown)
{
    wxGLCanvas* pCanvas = Canvas();
    wxKeyEvent Down(wxEVT_KEY_DOWN);
    Down.SetEventObject(pCanvas);
    Down.m_keyCode = KeyCode;
    Down.m_uniChar = Character;
    Down.SetAltDown(bAltDown);
    pCanvas->GetEventHandler()->ProcessEvent(Down);
    if (Character == WXK_NONE)
        return;
    wxKeyEvent Typed(wxEVT_CHAR, Down);
    pCanvas->GetEventHandler()->ProcessEvent(Typed);
}

// Runs the shell's loop over everything waiting: take, translate, dispatch.
void RunWaiting()
{
    tMessage Msg;
    while (System->PeekMessage() && System->GetMessage(Msg))
    {
        System->TranslateMessage(Msg);
        System->DispatchMessage(Msg);
    }
}

std::intptr_t SizeParam(int Width, int Height)
{
    return static_cast<std::intptr_t>(Width | (Height << 16));
}

class cWxInputTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Main = OpenWxTestWindow(System, "window_wx_input_tests", RecordingProc, "Tessaly",
                                20, 20, 320, 240);
        for (const tMessage& Msg : Received)
            if (Msg.Msg == WM_SIZE)
                CreationSize = Msg.lParam;
        if (Main != HWindow::None)
            System->ShowWindow(Main);
    }
    void SetUp() override
    {
        if (System == nullptr || Main == HWindow::None || Canvas() == nullptr)
            GTEST_SKIP() << "no X display";
    }
};
}  // namespace

TEST_F(cWxInputTest, EveryKeyDownReachesTheWindowButAltCharactersDoNot)
{
    RunWaiting();
    Received.clear();
    Press(WXK_NUMLOCK, WXK_NONE, false);
    Press(WXK_MENU, WXK_NONE, false);
    Press(WXK_NONE, 0x0436, false);   // a Cyrillic letter: the toolkit has no key code for it
    Press('N', 'n', true);
    Press('N', 'n', false);
    RunWaiting();

    std::vector<std::pair<std::uint32_t, std::uintptr_t>> Keys;
    for (const tMessage& Msg : Received)
        if (Msg.Msg == WM_KEYDOWN || Msg.Msg == WM_CHAR)
            Keys.emplace_back(Msg.Msg, Msg.wParam);
    const std::vector<std::pair<std::uint32_t, std::uintptr_t>> Expected = {
        {WM_KEYDOWN, VK_OTHER}, {WM_KEYDOWN, VK_OTHER}, {WM_KEYDOWN, VK_OTHER},
        {WM_CHAR, 0x0436},      {WM_KEYDOWN, 'N'},      {WM_KEYDOWN, 'N'},
        {WM_CHAR, 'n'}};
    EXPECT_EQ(Keys, Expected);
}

TEST_F(cWxInputTest, SizesAreTheDrawablesPixels)
{
    const double Scale = Canvas()->GetContentScaleFactor();
    if (const char* pszScale = std::getenv("GDK_SCALE"))
    {
        EXPECT_EQ(Scale, std::atof(pszScale));
    }
    int Width = 0, Height = 0;
    System->GetClientSize(Main, Width, Height);
    const wxSize Logical = Canvas()->GetClientSize();
    EXPECT_EQ(Width, static_cast<int>(Logical.GetWidth() * Scale));
    EXPECT_EQ(Height, static_cast<int>(Logical.GetHeight() * Scale));

    EXPECT_EQ(CreationSize, SizeParam(Width, Height));

    // A resize: the window procedure hears of the new size in pixels.
    Received.clear();
    MainFrame()->SetClientSize(400, 300);
    const std::uint32_t Start = System->GetTimeMs();
    std::intptr_t Last = 0;
    while (System->GetTimeMs() - Start < 3000 && Last != SizeParam(static_cast<int>(400 * Scale),
                                                                   static_cast<int>(300 * Scale)))
    {
        System->WaitMessage(50);
        RunWaiting();
        for (const tMessage& Msg : Received)
            if (Msg.Msg == WM_SIZE)
                Last = Msg.lParam;
    }
    System->GetClientSize(Main, Width, Height);
    EXPECT_EQ(Width, static_cast<int>(400 * Scale));
    EXPECT_EQ(Height, static_cast<int>(300 * Scale));
    EXPECT_EQ(Last, SizeParam(Width, Height));
}
