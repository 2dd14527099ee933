// The wx back end's operations for pictures drawn without OpenGL and for the device chooser's
// list box, against the real toolkit on an X display (run through with_xvfb.sh): lines kept in
// the order given, the user's keys and clicks reported as list notifications or OK, and a
// presented picture read back from the screen with the program's OpenGL state left intact.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/glcanvas.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "platform/window/Window.h"
#include "tests/window/WxTestWindow.h"

namespace
{
constexpr std::uintptr_t SELCHANGE = (LBN_SELCHANGE << 16) | IDC_DEVICE_LIST;
constexpr std::uintptr_t DBLCLK = (LBN_DBLCLK << 16) | IDC_DEVICE_LIST;

cWindowSystem* System = nullptr;
HWindow Main = HWindow::None;

std::intptr_t ContextProc(HWindow Window, std::uint32_t Msg, std::uintptr_t, std::intptr_t)
{
    if (Msg == WM_CREATE)
    {
        tPixelFormat Request;
        Request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        Request.cColorBits = 24;
        Request.cDepthBits = 16;
        System->SetPixelFormat(Window, Request);
        System->MakeCurrent(Window, System->CreateGLContext(Window));
    }
    if (Msg == WM_PAINT)
        System->ValidateRect(Window);
    return 0;
}

class cWxPictureTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Main = OpenWxTestWindow(System, "window_wx_picture_tests", ContextProc, "Tessaly",
                                50, 50, 400, 300);
        if (Main != HWindow::None)
            System->ShowWindow(Main);
    }
    void SetUp() override
    {
        if (System == nullptr || Main == HWindow::None)
            GTEST_SKIP() << "no X display";
        // Let the window reach the screen and take its size.
        for (int Round = 0; Round < 50; ++Round)
        {
            tMessage Msg;
            while (System->PeekMessage() && System->GetMessage(Msg))
                System->DispatchMessage(Msg);
            System->WaitMessage(10);
        }
    }
};

std::vector<std::uintptr_t> Commands;
std::vector<std::string> ShownLines;
int SelectionAtInit = -2;
bool bDoubleClick = false;   // the user double-clicks the first line instead of using keys

wxListBox* FindShownList()
{
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (auto* pDialog = dynamic_cast<wxDialog*>(pWindow); pDialog && pDialog->IsShown())
            for (wxWindow* pChild : pDialog->GetChildren())
                if (auto* pFound = dynamic_cast<wxListBox*>(pChild))
                    return pFound;
    return nullptr;
}

// The user at the chooser: once its list is on screen, reads the lines and acts; a dialog
// still open seconds later (the gesture was lost) is ended with -2, so the test fails rather
// than hangs.
class cChooserUser : public wxTimer
{
public:
    void Begin(HWindow Dialog)
    {
        mDialog = Dialog;
        mTicks = 0;
        mbActed = false;
        Start(20);
    }

private:
    void Notify() override
    {
        wxListBox* pList = FindShownList();
        if (++mTicks > 250)
        {
            Stop();
            System->EndDialog(mDialog, -2);
        }
        if (mbActed || pList == nullptr || !pList->IsShownOnScreen())
            return;
        mbActed = true;
        ShownLines.clear();
        for (unsigned Line = 0; Line < pList->GetCount(); ++Line)
            ShownLines.push_back(pList->GetString(Line).ToStdString());
        pList->SetFocus();
        wxUIActionSimulator User;
        if (bDoubleClick)
        {
            User.MouseMove(pList->ClientToScreen(wxPoint(12, 4)));
            User.MouseDblClick();
        }
        else
        {
            User.Char(WXK_DOWN);
            User.Char(WXK_RETURN);
        }
    }

    HWindow mDialog = HWindow::None;
    int mTicks = 0;
    bool mbActed = false;
};
cChooserUser* User = nullptr;

// Fills the list out of order by explicit indexes and preselects a line; the user then moves
// down a line and presses Return, or double-clicks the first line.
bool ChooserProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t)
{
    if (Msg == WM_INITDIALOG)
    {
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -1, "Zulu");
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, -1, "Alpha");
        System->ListBoxInsertString(Dialog, IDC_DEVICE_LIST, 1, "Mike");
        System->ListBoxSetCurSel(Dialog, IDC_DEVICE_LIST, bDoubleClick ? 2 : 0);
        SelectionAtInit = System->ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST);
        User->Begin(Dialog);
    }
    if (Msg != WM_COMMAND)
        return Msg == WM_INITDIALOG;
    Commands.push_back(wParam);
    if (wParam == DBLCLK || wParam == IDOK || wParam == IDCANCEL)
        User->Stop();
    if (wParam == DBLCLK || wParam == IDOK)
        System->EndDialog(Dialog, System->ListBoxGetCurSel(Dialog, IDC_DEVICE_LIST));
    else if (wParam == IDCANCEL)
        System->EndDialog(Dialog, -1);
    return true;
}
}  // namespace

TEST_F(cWxPictureTest, TheDeviceListKeepsItsOrderAndReportsTheUsersChoice)
{
    // Filling and preselecting notify nobody; Down gives a selection change, and Return on
    // the list presses the default button (OK).
    cChooserUser TheUser;
    User = &TheUser;
    Commands.clear();
    EXPECT_EQ(System->DialogBox(&AppResources(), IDD_DEVICE, Main, ChooserProc), 1);
    EXPECT_EQ(SelectionAtInit, 0);
    EXPECT_EQ(ShownLines, (std::vector<std::string>{"Zulu", "Mike", "Alpha"}));
    EXPECT_EQ(Commands, (std::vector<std::uintptr_t>{SELCHANGE, IDOK}));

    // A double-click on another line: a change, then the double-click, in the high word.
    Commands.clear();
    bDoubleClick = true;
    EXPECT_EQ(System->DialogBox(&AppResources(), IDD_DEVICE, Main, ChooserProc), 0);
    EXPECT_EQ(SelectionAtInit, 2);
    ASSERT_FALSE(Commands.empty());
    EXPECT_EQ(Commands.front(), SELCHANGE);
    EXPECT_EQ(Commands.back(), DBLCLK);
    for (std::uintptr_t Command : Commands)
        EXPECT_TRUE(Command == SELCHANGE || Command == DBLCLK) << Command;
}

TEST_F(cWxPictureTest, APresentedPictureFillsTheTopLeftAndTheProgramsStateSurvives)
{
    EXPECT_EQ(System->GetDisplayBitsPerPixel(Main), 24);   // the Xvfb screen's depth
    int Width = 0, Height = 0;
    System->GetClientSize(Main, Width, Height);
    ASSERT_GT(Width, 8);
    ASSERT_GT(Height, 8);

    // State the OpenGL renderer might have left.
    glViewport(3, 4, 50, 60);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelZoom(2.0f, 2.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslatef(0.25f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);

    // Two rows, top first: red green blue / white grey black-ish.
    const std::uint32_t Picture[] = {0x00FF0000, 0x0000FF00, 0x000000FF,
                                     0x00FFFFFF, 0x00808080, 0x00102030};
    System->PresentPicture(Main, Picture, 3, 2);

    GLint Viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, Viewport);
    EXPECT_EQ(std::vector<GLint>(Viewport, Viewport + 4), (std::vector<GLint>{3, 4, 50, 60}));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint Alignment = 0, Mode = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &Alignment);
    glGetIntegerv(GL_MATRIX_MODE, &Mode);
    EXPECT_EQ(Alignment, 1);
    EXPECT_EQ(Mode, GL_MODELVIEW);
    GLfloat Zoom = 0.0f, Projection[16] = {}, ModelView[16] = {};
    glGetFloatv(GL_ZOOM_Y, &Zoom);
    glGetFloatv(GL_PROJECTION_MATRIX, Projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, ModelView);
    EXPECT_EQ(Zoom, 2.0f);
    EXPECT_EQ(Projection[12], 0.25f);
    EXPECT_EQ(ModelView[14], -5.0f);

    // The window now shows the picture at its top-left corner, black beside and below it. The
    // screen is read, not the front buffer, which a software context may not keep.
    wxWindow* pCanvas = nullptr;
    for (wxWindow* pChild : wxTheApp->GetTopWindow()->GetChildren())
        if (dynamic_cast<wxGLCanvas*>(pChild) != nullptr)
            pCanvas = pChild;
    ASSERT_NE(pCanvas, nullptr);
    const wxPoint Origin = pCanvas->GetScreenPosition();
    wxBitmap Bitmap(4, 3, 24);
    {
        wxMemoryDC Memory(Bitmap);
        wxScreenDC Screen;
        Memory.Blit(0, 0, 4, 3, &Screen, Origin.x, Origin.y);
    }
    const wxImage Shown = Bitmap.ConvertToImage();
    std::vector<std::uint32_t> Pixels;
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 4; ++X)
            Pixels.push_back(static_cast<std::uint32_t>(Shown.GetRed(X, Y)) << 16 |
                             static_cast<std::uint32_t>(Shown.GetGreen(X, Y)) << 8 |
                             Shown.GetBlue(X, Y));
    EXPECT_EQ(Pixels, (std::vector<std::uint32_t>{0x00FF0000, 0x0000FF00, 0x000000FF, 0,
                                                  0x00FFFFFF, 0x00808080, 0x00102030, 0,
                                                  0, 0, 0, 0}));
}
