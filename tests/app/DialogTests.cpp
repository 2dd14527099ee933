// The frame-rate dialog's scroll codes and clamping, the interval derived afterwards, and the
// plain dialogs.
#include "tests/app/ShellFixture.h"

#include <map>

#include "app/resources/Resources.h"
#include "render/ViewState.h"

namespace
{
using cDialogTest = cShellTest;

tDialogAction Scroll(int Code, int Thumb = 0)
{
    return {WM_HSCROLL, static_cast<std::uintptr_t>((Thumb << 16) | Code), IDC_FRAMERATE_SCROLL};
}

const tDialogAction OK{WM_COMMAND, IDOK, 0};
const tDialogAction CANCEL{WM_COMMAND, IDCANCEL, 0};

TEST_F(cDialogTest, FrameRateDialogOpensOnTheCurrentRate)
{
    mSystem.mDialogScripts.push_back({OK});
    Command(IDM_FRAMERATE);
    ASSERT_EQ(mSystem.mDialogs.size(), 1u);
    const tShownDialog& Shown = mSystem.mDialogs[0];
    EXPECT_EQ(Shown.Caption, "Set Animation Frame Rate");
    EXPECT_EQ(Shown.TextHistory.at(IDC_FRAMERATE_EDIT).front(), "20");
    const tScrollState& Bar = Shown.Scrolls.at(IDC_FRAMERATE_SCROLL);
    EXPECT_EQ(Bar.Min, 1);
    EXPECT_EQ(Bar.Max, 60);
    EXPECT_EQ(Bar.Page, 5);
    EXPECT_EQ(Bar.Pos, 20);
    EXPECT_EQ(Shown.Result, 0);
    EXPECT_FALSE(Shown.bOpen);
    EXPECT_EQ(View.FrameIntervalMs, 50);
}

TEST_F(cDialogTest, ScrollCodesStepAndClampTheRate)
{
    struct
    {
        int Start;
        tDialogAction Action;
        int Expected;
    } const CASES[] = {
        {20, Scroll(SB_LINELEFT), 19},    {1, Scroll(SB_LINELEFT), 1},
        {20, Scroll(SB_LINERIGHT), 21},   {60, Scroll(SB_LINERIGHT), 60},
        {20, Scroll(SB_PAGELEFT), 15},    {3, Scroll(SB_PAGELEFT), 1},
        {20, Scroll(SB_PAGERIGHT), 25},   {58, Scroll(SB_PAGERIGHT), 60},
        {20, Scroll(SB_THUMBTRACK, 60), 60}, {20, Scroll(SB_THUMBPOSITION, 7), 7},
        {20, Scroll(SB_ENDSCROLL), 20},   {20, Scroll(99, 40), 20},
        // A thumb position outside the bar's range would otherwise give a zero rate and a
        // division by zero; it is held to the range like the other codes.
        {20, Scroll(SB_THUMBTRACK, 0), 1}, {20, Scroll(SB_THUMBPOSITION, 500), 60},
    };
    for (const auto& Case : CASES)
    {
        View.FrameRate = Case.Start;
        mSystem.mDialogScripts.push_back({Case.Action, OK});
        Command(IDM_FRAMERATE);
        const tShownDialog& Shown = mSystem.mDialogs.back();
        EXPECT_EQ(View.FrameRate, Case.Expected) << "from " << Case.Start << " code "
                                            << (Case.Action.wParam & 0xFFFF);
        // The bar and the box show the rate after every scroll message.
        EXPECT_EQ(Shown.Scrolls.at(IDC_FRAMERATE_SCROLL).Pos, Case.Expected);
        EXPECT_EQ(Shown.Text(IDC_FRAMERATE_EDIT), std::to_string(Case.Expected));
        EXPECT_EQ(View.FrameIntervalMs, 1000 / Case.Expected);
    }
}

TEST_F(cDialogTest, EditBoxFollowsADragAndCancelKeepsTheNewRate)
{
    mSystem.mDialogScripts.push_back({Scroll(SB_THUMBTRACK, 30), Scroll(SB_THUMBTRACK, 45),
                                      Scroll(SB_THUMBPOSITION, 60), CANCEL});
    Command(IDM_FRAMERATE);
    const tShownDialog& Shown = mSystem.mDialogs.back();
    const std::vector<std::string> Expected = {"20", "30", "45", "60"};
    EXPECT_EQ(Shown.TextHistory.at(IDC_FRAMERATE_EDIT), Expected);
    EXPECT_EQ(Shown.Result, 1);
    EXPECT_EQ(View.FrameRate, 60);
    EXPECT_EQ(View.FrameIntervalMs, 16);
}

TEST_F(cDialogTest, IntervalIsIntegerDivisionOfOneThousand)
{
    const int RATES[][2] = {{7, 142}, {1, 1000}, {60, 16}, {20, 50}, {3, 333}};
    for (const auto& Rate : RATES)
    {
        // Escape (the unscripted end) leaves the rate as the scroll bar set it.
        View.FrameRate = Rate[0];
        mSystem.mDialogScripts.push_back({});
        Command(IDM_FRAMERATE);
        EXPECT_EQ(View.FrameIntervalMs, Rate[1]) << "rate " << Rate[0];
    }
}

TEST_F(cDialogTest, AboutAndKeyHelpCloseWithOkOrEscape)
{
    const std::size_t Paints = mSystem.mPaintTimes.size();
    mSystem.mDialogScripts.push_back({OK});
    Command(IDM_ABOUT);
    mSystem.mDialogScripts.push_back({});
    Command(IDM_KEYHELP);
    ASSERT_EQ(mSystem.mDialogs.size(), 2u);
    EXPECT_EQ(mSystem.mDialogs[0].Caption, "About Tessaly");
    EXPECT_EQ(mSystem.mDialogs[0].Result, 0);
    EXPECT_EQ(mSystem.mDialogs[1].Caption, "Help - Key Definitions");
    EXPECT_EQ(mSystem.mDialogs[1].Result, 1);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints);
}

TEST(cResourceTest, ResourcesCarryTheirTextsAndIdentifiers)
{
    const tResourceTable& Table = AppResources();
    for (int Id : {IDD_FRAMERATE, IDD_ABOUT, IDD_KEYHELP, IDD_DEVICE, IDD_LOADING, IDD_EXPORTING})
        EXPECT_NE(Table.FindDialog(Id), nullptr) << Id;
    ASSERT_NE(Table.FindIcon(IDI_MAINICON), nullptr);
    const tIconTemplate& Icon = *Table.FindIcon(IDI_MAINICON);
    EXPECT_EQ(Icon.Pixels.size(), 32u * 32u);
    EXPECT_EQ(Icon.Palette.size(), 16u);
    for (std::uint8_t Index : Icon.Pixels)
        ASSERT_LT(Index, 16);

    const tDialogTemplate& Loading = *Table.FindDialog(IDD_LOADING);
    EXPECT_FALSE(Loading.bSystemMenu);
    EXPECT_TRUE(Loading.bVisible);
    EXPECT_STREQ(Loading.Controls[0].pszText, "Loading Zentor model.  Please wait...");

    // The credit line names the project's developers and nobody else.
    int Credits = 0;
    for (const tDialogControl& Control : Table.FindDialog(IDD_ABOUT)->Controls)
        if (std::string(Control.pszText).find("Written by") != std::string::npos)
        {
            ++Credits;
            EXPECT_STREQ(Control.pszText, "Written by the Tessaly developers.");
        }
    EXPECT_EQ(Credits, 1);

    // Every command id appears once in the menu bar (File > Recent Scripts opens a pop-up and
    // has none).
    std::map<int, int> Seen;
    for (const tMenuPopup& Popup : Table.FindMenu(IDR_MAINMENU)->Popups)
        for (const tMenuItem& Item : Popup.Items)
            if (Item.CommandId != ID_NONE)
                ++Seen[Item.CommandId];
    EXPECT_EQ(Seen.size(), 22u);
    for (const auto& Entry : Seen)
        EXPECT_EQ(Entry.second, 1) << Entry.first;
    // New File items go between Open script and Exit, which stay first and last.
    const std::vector<tMenuItem>& File = Table.FindMenu(IDR_MAINMENU)->Popups[0].Items;
    ASSERT_EQ(File.size(), 9u);
    EXPECT_STREQ(File.front().pszText, "Open script");
    EXPECT_STREQ(File[6].pszText, "Export Animation...");
    EXPECT_EQ(File[6].CommandId, IDM_EXPORT_ANIMATION);
    EXPECT_EQ(File[7].CommandId, IDM_EXPORT_GLTF);
    EXPECT_STREQ(File.back().pszText, "Exit");

    // The export's window: a bar and Cancel, which the close box also means.
    const tDialogTemplate& Exporting = *Table.FindDialog(IDD_EXPORTING);
    EXPECT_TRUE(Exporting.bSystemMenu);
    EXPECT_EQ(Exporting.Controls[1].Id, IDC_EXPORT_PROGRESS);
    EXPECT_EQ(Exporting.Controls[2].Id, IDCANCEL);
}
}  // namespace
