// The headless back end's list boxes, the list-box actions of dialog scripts with the
// notifications they deliver, and pictures presented without any OpenGL context.
#include <gtest/gtest.h>

#include <vector>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "platform/window/headless/HeadlessWindow.h"

namespace
{
constexpr std::uintptr_t SELCHANGE = (LBN_SELCHANGE << 16) | IDC_DEVICE_LIST;
constexpr std::uintptr_t DBLCLK = (LBN_DBLCLK << 16) | IDC_DEVICE_LIST;

cHeadlessWindowSystem* System = nullptr;
std::vector<tMessage> Seen;

// Fills the device list with three lines, the first selected; ends with the selection on OK
// (the whole wParam compared, as a careless procedure would) or on a double-click.
bool DeviceProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    Seen.push_back({Dialog, Msg, wParam, lParam});
    if (Msg == WM_INITDIALOG)
    {
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -1, "Ramp");
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -1, "RGB");
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -1, "Mono");
        System->ListBoxSetCurSel(Dialog, IDC_DEVICE_LIST, 0);
    }
    else if (Msg == WM_COMMAND && (wParam == IDOK || wParam == DBLCLK))
        System->EndDialog(Dialog, 100 + System->ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST));
    else if (Msg == WM_COMMAND && wParam == IDCANCEL)
        System->EndDialog(Dialog, IDCANCEL);
    return Msg == WM_INITDIALOG;
}

std::intptr_t MainProc(HWindow, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}

class cHeadlessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        System = &mSystem;
        Seen.clear();
    }
    std::vector<std::uintptr_t> Commands() const
    {
        std::vector<std::uintptr_t> Found;
        for (const tMessage& Msg : Seen)
            if (Msg.Msg == WM_COMMAND)
                Found.push_back(Msg.wParam);
        return Found;
    }
    cHeadlessWindowSystem mSystem;
};
}  // namespace

TEST_F(cHeadlessTest, LinesStayAtTheIndexGivenAndTheSelectionFollowsItsLine)
{
    const HWindow Dialog = mSystem.CreateDialog(&AppResources(), IDD_DEVICE, HWindow::None,
                                                DeviceProc);
    ASSERT_NE(Dialog, HWindow::None);
    mSystem.ListBoxSetCurSel(Dialog, IDC_DEVICE_LIST, -1);
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDC_DEVICE_LIST, 0, "Zeta"), 0);
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDC_DEVICE_LIST, 2, "Alpha"), 2);
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDC_DEVICE_LIST, 9, "Far"), -1);
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -2, "Neg"), -1);
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDOK, 0, "Button"), -1);
    EXPECT_EQ(mSystem.ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST), -1);

    mSystem.ListBoxSetCurSel(Dialog, IDC_DEVICE_LIST, 3);   // "RGB"
    EXPECT_EQ(mSystem.ListBoxInsertString(Dialog, IDC_DEVICE_LIST, 0, "First"), 0);
    EXPECT_EQ(mSystem.ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST), 4);
    mSystem.ListBoxSetCurSel(Dialog, IDC_DEVICE_LIST, 6);   // no such line
    EXPECT_EQ(mSystem.ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST), -1);
    mSystem.EndDialog(Dialog, 0);

    const tShownListBox& List = mSystem.mDialogs.back().ListBoxes.at(IDC_DEVICE_LIST);
    EXPECT_EQ(List.Lines,
              (std::vector<std::string>{"First", "Zeta", "Ramp", "Alpha", "RGB", "Mono"}));
    EXPECT_EQ(List.Selection, -1);
    // Setting the selection from the program notifies nobody.
    EXPECT_TRUE(Commands().empty());
}

TEST_F(cHeadlessTest, ScriptedClicksSelectAndNotifyInTheHighWordNeverAsButtons)
{
    // A click, a click on no line, then OK: the notifications never pass for OK or Cancel.
    mSystem.mDialogScripts.push_back({tDialogAction::SelectLine(IDC_DEVICE_LIST, 2),
                                      tDialogAction::SelectLine(IDC_DEVICE_LIST, 7),
                                      tDialogAction::SelectLine(IDC_DEVICE_LIST, 1),
                                      {WM_COMMAND, IDOK, 0}});
    EXPECT_EQ(mSystem.DialogBox(&AppResources(), IDD_DEVICE, HWindow::None, DeviceProc), 101);
    EXPECT_EQ(Commands(), (std::vector<std::uintptr_t>{SELCHANGE, SELCHANGE, SELCHANGE, IDOK}));
    EXPECT_EQ(mSystem.mDialogs.back().ListBoxes.at(IDC_DEVICE_LIST).Selection, 1);
    for (const tMessage& Msg : Seen)
        EXPECT_LT(Msg.Msg, static_cast<std::uint32_t>(HEADLESS_LB_SELECT));

    // A double-click on another line selects it first; on the selected line it only
    // double-clicks. Either ends this dialog with that line.
    Seen.clear();
    mSystem.mDialogScripts.push_back({tDialogAction::DoubleClickLine(IDC_DEVICE_LIST, 2)});
    EXPECT_EQ(mSystem.DialogBox(&AppResources(), IDD_DEVICE, HWindow::None, DeviceProc), 102);
    EXPECT_EQ(Commands(), (std::vector<std::uintptr_t>{SELCHANGE, DBLCLK}));
    Seen.clear();
    mSystem.mDialogScripts.push_back({tDialogAction::DoubleClickLine(IDC_DEVICE_LIST, 0)});
    EXPECT_EQ(mSystem.DialogBox(&AppResources(), IDD_DEVICE, HWindow::None, DeviceProc), 100);
    EXPECT_EQ(Commands(), (std::vector<std::uintptr_t>{DBLCLK}));

    // A double-click below the last line, or on a control that is no list box, does nothing;
    // the script then runs out and Escape cancels.
    Seen.clear();
    mSystem.mDialogScripts.push_back({tDialogAction::DoubleClickLine(IDC_DEVICE_LIST, 3),
                                      tDialogAction::SelectLine(IDOK, 0)});
    EXPECT_EQ(mSystem.DialogBox(&AppResources(), IDD_DEVICE, HWindow::None, DeviceProc),
              IDCANCEL);
    EXPECT_EQ(Commands(), (std::vector<std::uintptr_t>{IDCANCEL}));
    EXPECT_EQ(mSystem.mDialogs.back().ListBoxes.at(IDC_DEVICE_LIST).Selection, 0);
}

TEST_F(cHeadlessTest, PicturesArePresentedWithoutEverMakingAnOpenGLContext)
{
    tMainWindowDesc Desc;
    Desc.pInstance = &AppResources();
    Desc.Proc = MainProc;
    Desc.pszTitle = "Tessaly";
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.Width = 320;
    Desc.Height = 260;
    const HWindow Main = mSystem.CreateMainWindow(Desc);
    ASSERT_NE(Main, HWindow::None);
    mSystem.ShowWindow(Main);
    mSystem.UpdateWindow(Main);
    mSystem.MessageBox(Main, "Text", "Caption", MB_OK);
    mSystem.DialogBox(&AppResources(), IDD_DEVICE, Main, DeviceProc);

    int Width = 0, Height = 0;
    mSystem.GetClientSize(Main, Width, Height);
    EXPECT_EQ(Width, mSystem.mClientWidth);
    EXPECT_EQ(Height, mSystem.mClientHeight);
    EXPECT_EQ(Width, 320);
    EXPECT_GT(Height, 0);
    EXPECT_EQ(mSystem.GetDisplayBitsPerPixel(Main), 24);
    mSystem.mDisplayBitsPerPixel = 16;
    EXPECT_EQ(mSystem.GetDisplayBitsPerPixel(Main), 16);

    const std::uint32_t Picture[] = {0x00FF0000, 0x0000FF00, 0x000000FF,
                                     0x00102030, 0x00405060, 0x00708090};
    mSystem.PresentPicture(Main, Picture, 3, 2);
    mSystem.PresentPicture(Main, nullptr, 3, 2);
    mSystem.PresentPicture(Main, Picture, 0, 2);
    mSystem.PresentPicture(static_cast<HWindow>(77), Picture, 1, 1);
    EXPECT_EQ(mSystem.mPresentCount, 1);
    EXPECT_EQ(mSystem.mPresentedWidth, 3);
    EXPECT_EQ(mSystem.mPresentedHeight, 2);
    EXPECT_EQ(mSystem.mPresented, std::vector<std::uint32_t>(Picture, Picture + 6));
    EXPECT_FALSE(mSystem.HasGL());
}
