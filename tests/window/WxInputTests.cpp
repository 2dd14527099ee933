// The wx back end's canvas input against the real toolkit on an X display (run through
// with_xvfb.sh, once at the desktop's normal scale and once with GDK_SCALE=2): every key-down
// reaches the window procedure, characters typed with Alt do not, a menu accelerator comes as
// its command and not as a key, every size and pointer position the window procedure is given
// is in the drawable's pixels, and files dropped on the canvas come with their drop.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include <wx/dnd.h>
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

namespace
{
std::vector<tMessage> Taken(std::uint32_t First, std::uint32_t Last)
{
    std::vector<tMessage> Found;
    for (const tMessage& Msg : Received)
        if (Msg.Msg >= First && Msg.Msg <= Last)
            Found.push_back(Msg);
    return Found;
}

void Mouse(wxEventType Type, int X, int Y, bool bLeft, bool bShift, int Rotation = 0)
{
    wxGLCanvas* pCanvas = Canvas();
    wxMouseEvent Event(Type);
    Event.SetEventObject(pCanvas);
    Event.m_x = X;
    Event.m_y = Y;
    Event.m_leftDown = bLeft;
    Event.SetShiftDown(bShift);
    Event.m_wheelRotation = Rotation;
    Event.m_wheelDelta = 120;
    Event.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    pCanvas->GetEventHandler()->ProcessEvent(Event);
}
}  // namespace

TEST_F(cWxInputTest, PointerMessagesCarryButtonsKeysAndThePointInPixels)
{
    const double Scale = Canvas()->GetContentScaleFactor();
    RunWaiting();
    Received.clear();
    Mouse(wxEVT_LEFT_DOWN, 10, 20, true, true);
    Mouse(wxEVT_MOTION, 30, 25, true, true);
    Mouse(wxEVT_LEFT_UP, 31, 26, false, false);
    Mouse(wxEVT_MOUSEWHEEL, 5, 6, false, false, -240);
    RunWaiting();
    const std::vector<tMessage> Pointer = Taken(WM_MOUSEMOVE, WM_MOUSEWHEEL);
    ASSERT_EQ(Pointer.size(), 4u);
    EXPECT_EQ(Pointer[0].Msg, WM_LBUTTONDOWN);
    EXPECT_EQ(Pointer[0].wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(PointX(Pointer[0].lParam), static_cast<int>(10 * Scale));
    EXPECT_EQ(PointY(Pointer[0].lParam), static_cast<int>(20 * Scale));
    EXPECT_EQ(Pointer[1].Msg, WM_MOUSEMOVE);
    EXPECT_EQ(PointX(Pointer[1].lParam), static_cast<int>(30 * Scale));
    EXPECT_EQ(Pointer[2].Msg, WM_LBUTTONUP);
    EXPECT_EQ(Pointer[2].wParam, 0u);
    EXPECT_EQ(Pointer[3].Msg, WM_MOUSEWHEEL);
    EXPECT_EQ(static_cast<std::int16_t>(Pointer[3].wParam >> 16), -240);
}

TEST_F(cWxInputTest, MenuAcceleratorsBecomeCommandsAndNoKey)
{
    RunWaiting();
    Received.clear();
    wxGLCanvas* pCanvas = Canvas();
    for (bool bControl : {true, false})
    {
        wxKeyEvent Down(wxEVT_KEY_DOWN);
        Down.SetEventObject(pCanvas);
        Down.m_keyCode = WXK_PAGEDOWN;
        Down.SetControlDown(bControl);
        pCanvas->GetEventHandler()->ProcessEvent(Down);
    }
    RunWaiting();
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> Seen;
    for (const tMessage& Msg : Received)
        if (Msg.Msg == WM_KEYDOWN || Msg.Msg == WM_COMMAND)
            Seen.emplace_back(Msg.Msg, Msg.wParam);
    // Ctrl+Page Down is File > Next Script in Folder (40030); Page Down alone is the key.
    const std::vector<std::pair<std::uint32_t, std::uintptr_t>> Expected = {
        {WM_COMMAND, 40030}, {WM_KEYDOWN, VK_NEXT}};
    EXPECT_EQ(Seen, Expected);
}

TEST_F(cWxInputTest, FilesDroppedOnTheCanvasComeWithTheirDrop)
{
    auto* pTarget = dynamic_cast<wxFileDropTarget*>(Canvas()->GetDropTarget());
    ASSERT_NE(pTarget, nullptr);
    RunWaiting();
    Received.clear();
    wxArrayString Names;
    Names.Add("/tmp/a b/Script.zc");
    Names.Add("/tmp/notes.txt");
    EXPECT_TRUE(pTarget->OnDropFiles(3, 4, Names));
    RunWaiting();
    const std::vector<tMessage> Drops = Taken(WM_DROPFILES, WM_DROPFILES);
    ASSERT_EQ(Drops.size(), 1u);
    EXPECT_EQ(System->TakeDroppedFiles(Drops[0].wParam),
              (std::vector<std::string>{"/tmp/a b/Script.zc", "/tmp/notes.txt"}));
    EXPECT_TRUE(System->TakeDroppedFiles(Drops[0].wParam).empty());
}
