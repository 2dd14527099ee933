// The wx back end's translation tables: command identifiers into the toolkit's id range, key
// codes into virtual-key codes, and file patterns that ignore letter case.
#include <gtest/gtest.h>

#include <set>

#include <wx/defs.h>

#include "platform/window/Window.h"
#include "platform/window/wxChooserText.h"
#include "platform/window/wxCommandIds.h"
#include "platform/window/wxKeyMap.h"

TEST(WxCommandIds, MenuCommandsAboveTheToolkitLimitGetDistinctUsableIds)
{
    cWxCommandIds Ids;
    std::set<int> Seen;
    for (int Command : {40001, 40016, 3000, 3001, 1, 65535})
    {
        const int ToolkitId = Ids.Acquire(Command);
        EXPECT_GE(ToolkitId, cWxCommandIds::FIRST_ID);
        EXPECT_LE(ToolkitId, 32767);
        // Clear of the toolkit's stock identifiers (wxID_LOWEST to wxID_HIGHEST).
        EXPECT_TRUE(ToolkitId < wxID_LOWEST || ToolkitId > wxID_HIGHEST);
        EXPECT_TRUE(Seen.insert(ToolkitId).second) << "id reused for command " << Command;
        int Back = 0;
        ASSERT_TRUE(Ids.ToCommand(ToolkitId, Back));
        EXPECT_EQ(Back, Command);
        EXPECT_EQ(Ids.ToToolkit(Command), ToolkitId);
    }
    int Unused = 0;
    EXPECT_FALSE(Ids.ToCommand(wxID_OK, Unused));
    EXPECT_EQ(Ids.ToToolkit(40002), -1);
}

TEST(WxCommandIds, IdsLiveWhileUsedAndComeBackAfterRelease)
{
    cWxCommandIds Ids;
    const int First = Ids.Acquire(3000);
    EXPECT_EQ(Ids.Acquire(3000), First);   // a second item with the same command
    Ids.Release(3000);
    EXPECT_EQ(Ids.ToToolkit(3000), First);  // one use left
    Ids.Release(3000);
    EXPECT_EQ(Ids.ToToolkit(3000), -1);
    int Unused = 0;
    EXPECT_FALSE(Ids.ToCommand(First, Unused));
    // Loading model after model reuses freed ids instead of running out.
    EXPECT_EQ(Ids.Acquire(3001), First);
    Ids.Release(12345);   // never acquired: no effect
    EXPECT_EQ(Ids.ToToolkit(3001), First);
}

TEST(WxCommandIds, RunningOutIsReportedNotWrapped)
{
    cWxCommandIds Ids;
    const int Capacity = cWxCommandIds::LAST_ID - cWxCommandIds::FIRST_ID + 1;
    for (int I = 0; I < Capacity; ++I)
        ASSERT_GE(Ids.Acquire(100000 + I), 0);
    EXPECT_EQ(Ids.Acquire(99), -1);
    Ids.Release(100000);
    EXPECT_GE(Ids.Acquire(99), cWxCommandIds::FIRST_ID);
}

TEST(WxKeyMap, ViewerKeysGiveTheirVirtualKeyCodes)
{
    EXPECT_EQ(VirtualKeyFromWx(WXK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromWx(WXK_PAGEUP), VK_PRIOR);
    EXPECT_EQ(VirtualKeyFromWx(WXK_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(VirtualKeyFromWx(WXK_HOME), VK_HOME);
    EXPECT_EQ(VirtualKeyFromWx(WXK_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromWx(WXK_UP), VK_UP);
    EXPECT_EQ(VirtualKeyFromWx(WXK_RIGHT), VK_RIGHT);
    EXPECT_EQ(VirtualKeyFromWx(WXK_DOWN), VK_DOWN);
    EXPECT_EQ(VirtualKeyFromWx(WXK_INSERT), VK_INSERT);
    EXPECT_EQ(VirtualKeyFromWx(WXK_DELETE), VK_DELETE);
    // The keypad's copies of the camera keys act the same.
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_PAGEUP), VK_PRIOR);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_INSERT), VK_INSERT);
}

TEST(WxKeyMap, LettersAreUpperCaseCodesUnknownKeysAreOtherAndAltSendsNothing)
{
    EXPECT_EQ(VirtualKeyFromWx('n'), static_cast<std::uintptr_t>('N'));
    EXPECT_EQ(VirtualKeyFromWx('N'), static_cast<std::uintptr_t>('N'));
    EXPECT_EQ(VirtualKeyFromWx('p'), static_cast<std::uintptr_t>('P'));
    EXPECT_EQ(VirtualKeyFromWx('7'), static_cast<std::uintptr_t>('7'));
    EXPECT_EQ(VirtualKeyFromWx(WXK_F10), 0x79u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD5), 0x65u);
    // Alt belongs to the menu bar. Every other key makes a key-down, so the view redraws: Num
    // Lock, keypad 5 without Num Lock, the Menu key and letters of other scripts (WXK_NONE).
    EXPECT_EQ(VirtualKeyFromWx(WXK_ALT), 0u);
    for (int Code : {WXK_NUMLOCK, WXK_NUMPAD_BEGIN, WXK_MENU, WXK_WINDOWS_MENU, WXK_NONE})
        EXPECT_EQ(VirtualKeyFromWx(Code), VK_OTHER) << "wx key " << Code;
}

TEST(WxChooserText, PatternsMatchEitherCase)
{
    EXPECT_EQ(CaseInsensitivePattern("*.zc"), "*.[zZ][cC]");
    EXPECT_EQ(CaseInsensitivePattern("*.ZC;*.pcx"), "*.[zZ][cC];*.[pP][cC][xX]");
    EXPECT_EQ(CaseInsensitivePattern("*"), "*");
    // The save chooser's name gets the chosen type's extension unless it has it already.
    EXPECT_EQ(WithExtension("/tmp/walk", "*.gif"), "/tmp/walk.gif");
    EXPECT_EQ(WithExtension("/tmp/walk.GIF", "*.gif"), "/tmp/walk.GIF");
    EXPECT_EQ(WithExtension("/tmp/walk.gif", "*.webp"), "/tmp/walk.gif.webp");
    EXPECT_EQ(WithExtension("", "*.gif"), "");
    // A name typed with an offered type's extension takes that type, whatever is selected.
    std::string Path = "/tmp/walk.WebP";
    EXPECT_EQ(SaveType(Path, {"*.gif", "*.webp"}, 0), 1);
    EXPECT_EQ(Path, "/tmp/walk.WebP");
    Path = "/tmp/walk";
    EXPECT_EQ(SaveType(Path, {"*.gif", "*.webp"}, 1), 1);
    EXPECT_EQ(Path, "/tmp/walk.webp");
    // Bracket expressions already written are left alone.
    EXPECT_EQ(CaseInsensitivePattern("*.[ab]z"), "*.[ab][zZ]");
}
