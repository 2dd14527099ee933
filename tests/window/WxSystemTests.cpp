// The wx back end against the real toolkit on an X display (run through with_xvfb.sh): window
// creation with a current GL context, the queue and repaint rules, menus addressed by command,
// and dialogs built from the program's resources driven by toolkit events.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <chrono>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "platform/window/Window.h"
#include "tests/window/WxTestWindow.h"

namespace
{
cWindowSystem* System = nullptr;
HWindow Main = HWindow::None;
std::vector<tMessage> Received;       // what the window procedure was given
std::vector<tMessage> CreationMessages;   // what it was given inside CreateMainWindow
bool bContextWorkedInCreate = false;
int DepthBitsInCreate = 0;

std::intptr_t RecordingProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                            std::intptr_t lParam)
{
    Received.push_back({Window, Msg, wParam, lParam});
    if (Msg == WM_CREATE)
    {
        tPixelFormat Request;
        Request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        Request.cColorBits = 16;
        Request.cDepthBits = 16;
        const bool bFormat = System->SetPixelFormat(Window, Request);
        const HGLContext Context = System->CreateGLContext(Window);
        const bool bCurrent = System->MakeCurrent(Window, Context);
        GLint Depth = 0;
        glGetIntegerv(GL_DEPTH_BITS, &Depth);
        DepthBitsInCreate = Depth;
        bContextWorkedInCreate = bFormat && Context != HGLContext::None && bCurrent &&
                                 glGetString(GL_VERSION) != nullptr;
    }
    if (Msg == WM_PAINT)
        return System->DefWindowProc(Window, Msg, wParam, lParam);
    return 0;
}

wxDialog* FindDialogByCaption(const char* pszCaption)
{
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (auto* pDialog = dynamic_cast<wxDialog*>(pWindow))
            if (pDialog->GetTitle() == pszCaption && pDialog->IsShown())
                return pDialog;
    return nullptr;
}

template <typename tControl>
tControl* FindChild(wxWindow* pParent)
{
    for (wxWindow* pChild : pParent->GetChildren())
        if (auto* pFound = dynamic_cast<tControl*>(pChild))
            return pFound;
    return nullptr;
}

// Takes every waiting message without blocking.
std::vector<tMessage> TakeWaiting()
{
    std::vector<tMessage> Taken;
    tMessage Msg;
    while (System->PeekMessage() && System->GetMessage(Msg))
    {
        Taken.push_back(Msg);
        if (Msg.Msg == WM_PAINT)
            System->ValidateRect(Main);
    }
    return Taken;
}

class cWxSystemTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Main = OpenWxTestWindow(System, "window_wx_toolkit_tests", RecordingProc, "Tessaly v1.3",
                                100, 100, 480, 480);
        CreationMessages = Received;
        if (Main != HWindow::None)
            System->ShowWindow(Main);
    }
    void SetUp() override
    {
        if (System == nullptr || Main == HWindow::None)
            GTEST_SKIP() << "no X display";
        TakeWaiting();
        Received.clear();
    }
};
}  // namespace

TEST_F(cWxSystemTest, CreationRunsInsideTheCallWithACurrentDoubleBufferedContext)
{
    ASSERT_GE(CreationMessages.size(), 2u);
    EXPECT_EQ(CreationMessages[0].Msg, WM_CREATE);
    EXPECT_EQ(CreationMessages[1].Msg, WM_SIZE);
    EXPECT_GT(CreationMessages[1].lParam & 0xFFFF, 0);
    EXPECT_GT((CreationMessages[1].lParam >> 16) & 0xFFFF, 0);
    EXPECT_TRUE(bContextWorkedInCreate);
    EXPECT_GE(DepthBitsInCreate, 16);
    tPixelFormat Format;
    ASSERT_TRUE(System->DescribePixelFormat(Main, Format));
    EXPECT_TRUE(Format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_FALSE(Format.dwFlags & PFD_NEED_PALETTE);
    EXPECT_GE(Format.cDepthBits, 16);
    EXPECT_GE(Format.cColorBits, 16);
    // A second format is refused, as for any window.
    EXPECT_FALSE(System->SetPixelFormat(Main, tPixelFormat{}));
}

TEST_F(cWxSystemTest, PostedMessagesComeInOrderAndRepaintsMergeIntoOneAfterThem)
{
    System->InvalidateRect(Main);
    System->PostMessage(Main, WM_COMMAND, 40003, 0);
    System->InvalidateRect(Main);
    System->PostMessage(Main, WM_KEYDOWN, VK_HOME, 0);
    System->InvalidateRect(Main);
    const std::vector<tMessage> Taken = TakeWaiting();
    std::vector<std::uint32_t> Kinds;
    for (const tMessage& Msg : Taken)
        if (Msg.Msg != WM_SIZE && Msg.Msg != WM_ACTIVATE)
            Kinds.push_back(Msg.Msg);
    EXPECT_EQ(Kinds, (std::vector<std::uint32_t>{WM_COMMAND, WM_KEYDOWN, WM_PAINT}));
    // A posted key-down typed nothing, so it makes no character.
    System->TranslateMessage({Main, WM_KEYDOWN, VK_HOME, 0});
    EXPECT_FALSE(System->PeekMessage());
}

TEST_F(cWxSystemTest, QuitEndsGetMessageWithItsCodeAndWaitHonoursItsTimeout)
{
    System->PostQuitMessage(5);
    tMessage Msg;
    EXPECT_FALSE(System->GetMessage(Msg));
    EXPECT_EQ(Msg.Msg, WM_QUIT);
    EXPECT_EQ(Msg.wParam, 5u);

    const std::uint32_t Before = System->GetTimeMs();
    System->WaitMessage(60);
    const std::uint32_t Waited = System->GetTimeMs() - Before;
    // Nothing arrived, so the wait lasted its whole timeout.
    if (!System->PeekMessage())
    {
        EXPECT_GE(Waited, 60u);
    }
}

namespace
{
int ToolkitAsserts = 0;

void CountToolkitAssert(const wxString&, int, const wxString&, const wxString&, const wxString&)
{
    ++ToolkitAsserts;
}
}  // namespace

TEST_F(cWxSystemTest, MenuItemsAreFoundByCommandAndChosenItemsReportTheirCommand)
{
    const HMenu Bar = System->GetMenu(Main);
    const HMenu Animations = System->GetSubMenu(Bar, ANIMATIONS_MENU_POSITION);
    ASSERT_NE(Animations, HMenu::None);
    EXPECT_EQ(System->GetSubMenu(Bar, 99), HMenu::None);

    EXPECT_TRUE(System->RemoveMenuByPosition(Animations, 0));    // the placeholder "All"
    EXPECT_FALSE(System->RemoveMenuByPosition(Animations, 0));   // now empty
    System->AppendMenu(Animations, IDM_SEQUENCE_BASE, "Walk");
    System->AppendMenu(Animations, IDM_SEQUENCE_BASE + 1, "Run & Jump");
    EXPECT_TRUE(System->RemoveMenuByCommand(Bar, IDM_SEQUENCE_BASE));
    EXPECT_FALSE(System->RemoveMenuByCommand(Bar, IDM_SEQUENCE_BASE));

    wxFrame* pFrame = dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow());
    ASSERT_NE(pFrame, nullptr);
    wxMenu* pAnimations = pFrame->GetMenuBar()->GetMenu(ANIMATIONS_MENU_POSITION);
    ASSERT_EQ(pAnimations->GetMenuItemCount(), 1u);
    wxMenuItem* pRun = pAnimations->FindItemByPosition(0);
    EXPECT_EQ(pRun->GetItemLabelText(), "Run & Jump");
    EXPECT_LE(pRun->GetId(), 32767);

    // A script may name a sequence with nothing ("SEQ=" and a space): its item is still made,
    // and the toolkit raises no assertion (which would stop the program on a dialog).
    ToolkitAsserts = 0;
    const wxAssertHandler_t Previous = wxSetAssertHandler(CountToolkitAssert);
    System->AppendMenu(Animations, IDM_SEQUENCE_BASE + 2, "");
    wxSetAssertHandler(Previous);
    EXPECT_EQ(ToolkitAsserts, 0);
    EXPECT_EQ(pAnimations->GetMenuItemCount(), 2u);
    EXPECT_TRUE(System->RemoveMenuByCommand(Bar, IDM_SEQUENCE_BASE + 2));
    // A name in a one-byte code page keeps its letters.
    System->AppendMenu(Animations, IDM_SEQUENCE_BASE + 3, "Gr\xFC\xDF");
    EXPECT_EQ(pAnimations->FindItemByPosition(1)->GetItemLabelText(),
              wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F"));
    EXPECT_TRUE(System->RemoveMenuByCommand(Bar, IDM_SEQUENCE_BASE + 3));

    // Choosing the item sends the program's identifier, not the toolkit's.
    wxCommandEvent Chosen(wxEVT_MENU, pRun->GetId());
    pFrame->GetEventHandler()->ProcessEvent(Chosen);
    const std::vector<tMessage> Taken = TakeWaiting();
    ASSERT_FALSE(Taken.empty());
    EXPECT_EQ(Taken.front().Msg, WM_COMMAND);
    EXPECT_EQ(Taken.front().wParam, static_cast<std::uintptr_t>(IDM_SEQUENCE_BASE + 1));

    // A toggle shows its empty check box before it is first checked.
    wxMenuItem* pAutoRotate = nullptr;
    for (wxMenuItem* pItem : pFrame->GetMenuBar()->GetMenu(1)->GetMenuItems())
        if (pItem->GetItemLabelText() == "Auto Rotate")
            pAutoRotate = pItem;
    ASSERT_NE(pAutoRotate, nullptr);
    EXPECT_TRUE(pAutoRotate->IsCheckable());
    EXPECT_FALSE(pAutoRotate->IsChecked());

    // Choosing a check item does not flip the mark the program set.
    System->CheckMenuItem(Bar, IDM_POLY_MASKED, true);
    wxMenuItem* pMasked = nullptr;
    for (wxMenuItem* pItem : pFrame->GetMenuBar()->GetMenu(3)->GetMenuItems())
        if (pItem->GetItemLabelText() == "Masked")
            pMasked = pItem;
    ASSERT_NE(pMasked, nullptr);
    EXPECT_TRUE(pMasked->IsCheckable());
    EXPECT_TRUE(pMasked->IsChecked());
    pMasked->Check(false);   // what the toolkit does to a check item when it is chosen
    wxCommandEvent Toggled(wxEVT_MENU, pMasked->GetId());
    pFrame->GetEventHandler()->ProcessEvent(Toggled);
    EXPECT_TRUE(pMasked->IsChecked());
    TakeWaiting();
}

namespace
{
std::vector<tMessage> DialogMessages;
HWindow DialogSeen = HWindow::None;

bool EndAtInitProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t, std::intptr_t)
{
    if (Msg == WM_INITDIALOG)
        System->EndDialog(Dialog, 42);
    return Msg == WM_INITDIALOG;
}

// The frame-rate dialog driven by toolkit events: a page step on the slider, then Escape.
bool FrameRateProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    DialogMessages.push_back({Dialog, Msg, wParam, lParam});
    if (Msg == WM_INITDIALOG)
    {
        DialogSeen = Dialog;
        System->SetScrollInfo(Dialog, IDC_FRAMERATE_SCROLL, 1, 60, 5, 20, false);
        System->SetDlgItemText(Dialog, IDC_FRAMERATE_EDIT, "20");
        wxTheApp->CallAfter([] {
            wxDialog* pDialog = FindDialogByCaption("Set Animation Frame Rate");
            wxSlider* pSlider = pDialog != nullptr ? FindChild<wxSlider>(pDialog) : nullptr;
            if (pSlider == nullptr)
                return;
            wxScrollEvent Page(wxEVT_SCROLL_PAGEDOWN, pSlider->GetId(), 25, wxHORIZONTAL);
            Page.SetEventObject(pSlider);
            pSlider->GetEventHandler()->ProcessEvent(Page);
            wxKeyEvent Escape(wxEVT_CHAR_HOOK);
            Escape.m_keyCode = WXK_ESCAPE;
            pDialog->GetEventHandler()->ProcessEvent(Escape);
        });
    }
    if (Msg == WM_COMMAND && wParam == IDCANCEL)
        System->EndDialog(Dialog, 7);
    return Msg == WM_INITDIALOG;
}

bool PlainProc(HWindow, std::uint32_t Msg, std::uintptr_t, std::intptr_t)
{
    return Msg == WM_INITDIALOG;
}
}  // namespace

TEST_F(cWxSystemTest, ModalDialogsReturnTheirEndValue)
{
    EXPECT_EQ(System->DialogBox(&AppResources(), 999, Main, PlainProc), -1);
    EXPECT_EQ(System->DialogBox(&AppResources(), IDD_ABOUT, Main, EndAtInitProc), 42);

    DialogMessages.clear();
    EXPECT_EQ(System->DialogBox(&AppResources(), IDD_FRAMERATE, Main, FrameRateProc), 7);
    ASSERT_GE(DialogMessages.size(), 3u);
    EXPECT_EQ(DialogMessages[0].Msg, WM_INITDIALOG);
    EXPECT_EQ(DialogMessages[1].Msg, WM_HSCROLL);
    EXPECT_EQ(DialogMessages[1].wParam & 0xFFFFu, static_cast<std::uintptr_t>(SB_PAGERIGHT));
    EXPECT_EQ(DialogMessages[1].wParam >> 16, 25u);
    EXPECT_EQ(DialogMessages[1].lParam, IDC_FRAMERATE_SCROLL);
    EXPECT_EQ(DialogMessages[2].Msg, WM_COMMAND);
    EXPECT_EQ(DialogMessages[2].wParam, static_cast<std::uintptr_t>(IDCANCEL));
    // The dialog is gone: its controls no longer answer.
    System->SetDlgItemText(DialogSeen, IDC_FRAMERATE_EDIT, "x");
    EXPECT_EQ(FindDialogByCaption("Set Animation Frame Rate"), nullptr);
}

TEST_F(cWxSystemTest, TheLoadingWindowIsOnScreenAtOnceAndShowsProgress)
{
    const HWindow Loading = System->CreateDialog(&AppResources(), IDD_LOADING, Main, PlainProc);
    ASSERT_NE(Loading, HWindow::None);
    wxDialog* pDialog = FindDialogByCaption("Tessaly - Loading");
    ASSERT_NE(pDialog, nullptr);
    EXPECT_TRUE(pDialog->IsShownOnScreen());
    System->SetProgress(Loading, IDC_LOADING_PROGRESS, 3, 10);
    wxGauge* pGauge = FindChild<wxGauge>(pDialog);
    ASSERT_NE(pGauge, nullptr);
    EXPECT_EQ(pGauge->GetRange(), 10);
    EXPECT_EQ(pGauge->GetValue(), 3);
    System->SetProgress(Loading, IDC_LOADING_PROGRESS, 50, 10);   // clamped, not past the end
    EXPECT_EQ(pGauge->GetValue(), 10);
    System->EndDialog(Loading, 1);
    EXPECT_EQ(FindDialogByCaption("Tessaly - Loading"), nullptr);
}

namespace
{
// Answers modal dialogs as a user would: the toolkit asks this hook before running any modal
// dialog (native choosers included), and a value other than wxID_NONE is taken as the answer.
class cAnswerHook : public wxModalDialogHook
{
public:
    int mAnswer = wxID_NONE;
    int mAsked = 0;
    wxColour mShownColour;   // the colour a colour chooser was opened with
    wxString mShownText;     // the text of the last message box

protected:
    int Enter(wxDialog* pDialog) override
    {
        ++mAsked;
        if (auto* pChooser = dynamic_cast<wxColourDialog*>(pDialog))
            mShownColour = pChooser->GetColourData().GetColour();
        if (auto* pBox = dynamic_cast<wxMessageDialogBase*>(pDialog))
            mShownText = pBox->GetMessage();
        return mAnswer;
    }
    void Exit(wxDialog*) override {}
};
}  // namespace

TEST_F(cWxSystemTest, MessageBoxesAndChoosersReportTheAnswer)
{
    cAnswerHook Answers;
    Answers.Register();
    Answers.mAnswer = wxID_NO;
    EXPECT_EQ(System->MessageBox(Main, "Replace?", "Warning", MB_YESNO | MB_ICONQUESTION), IDNO);
    Answers.mAnswer = wxID_OK;
    EXPECT_EQ(System->MessageBox(Main, "Done", "Info", MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(Answers.mShownText, "Done");
    // A load error naming a file whose name is not UTF-8 still shows the whole text.
    EXPECT_EQ(System->MessageBox(Main, "Can't open file Caf\xE9.bin", "Error", MB_ICONEXCLAMATION),
              IDOK);
    EXPECT_EQ(Answers.mShownText, wxString::FromUTF8("Can't open file Caf\xC3\xA9.bin"));

    std::string Path = "unchanged";
    Answers.mAnswer = wxID_CANCEL;
    EXPECT_FALSE(System->GetOpenFileName(Main, "ZentorScript source (*.zc)", "*.zc",
                                         "Select the ZentorScript source file to open", "", Path));
    EXPECT_EQ(Path, "unchanged");

    // Colours travel as 0x00BBGGRR: red in the low byte, both ways.
    std::uint32_t Custom[16] = {};
    Custom[3] = 0x00ABCDEF;
    std::uint32_t Chosen = 0;
    Answers.mAnswer = wxID_OK;
    EXPECT_TRUE(System->ChooseColor(Main, 0x00336699, Custom, Chosen));
    EXPECT_EQ(Answers.mShownColour, wxColour(0x99, 0x66, 0x33));
    EXPECT_EQ(Chosen, 0x00336699u);
    EXPECT_EQ(Custom[3], 0x00ABCDEFu);
    Answers.mAnswer = wxID_CANCEL;
    Chosen = 7;
    EXPECT_FALSE(System->ChooseColor(Main, 0x000000FF, Custom, Chosen));
    EXPECT_EQ(Chosen, 7u);
    EXPECT_EQ(Answers.mAsked, 6);
    Answers.Unregister();
}

TEST_F(cWxSystemTest, DestroyingTheWindowSendsDestroyOnceAndNothingAfter)
{
    System->DestroyWindow(Main);
    System->DestroyWindow(Main);
    System->PostMessage(Main, WM_COMMAND, 40003, 0);
    System->DispatchMessage({Main, WM_COMMAND, 40003, 0});
    int Destroys = 0;
    for (const tMessage& Msg : Received)
        Destroys += Msg.Msg == WM_DESTROY ? 1 : 0;
    EXPECT_EQ(Destroys, 1);
    EXPECT_EQ(Received.back().Msg, WM_DESTROY);
    Main = HWindow::None;
}
