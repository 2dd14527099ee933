// cHeadlessWindowSystem: the window system of tests. No display: the test delivers input,
// drives the millisecond clock, answers message boxes, choosers and modal dialogs from a
// script, and reads back everything the program showed (texts, captions, icons, check marks,
// menu items, paints). OpenGL renders into memory when the offscreen context is available.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/DroppedFiles.h"
#include "platform/window/Window.h"

class cOffscreenGL;
class cSettingsFile;

// One message box as shown.
struct tShownMessageBox
{
    std::string Text;
    std::string Caption;
    unsigned Style;
};

// One open-file chooser as shown.
struct tShownFileChooser
{
    std::string FilterText;
    std::string FilterPattern;
    std::string Title;
    std::string Folder;
};

// A picture put on the clipboard: RGB, top row first.
struct tClipboardPicture
{
    std::vector<std::uint8_t> RGB;
    int Width = 0, Height = 0;
};

// One save chooser as shown: its types (text and pattern), title, start folder and the name
// filled in.
struct tShownSaveChooser
{
    std::vector<std::pair<std::string, std::string>> Types;
    std::string Title;
    std::string Folder;
    std::string Name;
};

// An answer for the save chooser: the path and the type chosen.
struct tSaveAnswer
{
    std::string Path;
    int TypeIndex;
};

// One colour chooser as shown.
struct tShownColorChooser
{
    std::uint32_t Initial;
    std::uint32_t CustomColors[16];
};

// A scroll bar's state.
struct tScrollState
{
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

// A list box's lines in index order, and the selected line (-1 for none).
struct tShownListBox
{
    std::vector<std::string> Lines;
    int Selection = -1;
};

// One dialog, modal or modeless, from creation on; kept after it closes.
struct tShownDialog
{
    int ResourceId = 0;
    std::string Caption;
    bool bModal = false;
    bool bOpen = true;
    std::intptr_t Result = 0;
    // Every text each control was given, in order; the last is the one shown.
    std::map<int, std::vector<std::string>> TextHistory;
    std::map<int, tScrollState> Scrolls;
    std::map<int, std::pair<int, int>> Progress;   // control -> (Done, Total)
    int ProgressRepaints = 0;
    std::map<int, tShownListBox> ListBoxes;   // every list box of the template, by control id

    std::string Text(int ControlId) const;
};

// Script actions the back end carries out itself instead of sending them: what the user does
// to a list box. wParam is the list box's control id, lParam the line. Their numbers lie above
// every message number of Window.h, so a procedure never receives one.
//   HEADLESS_LB_SELECT: clicks line lParam (-1, or a line that does not exist: clears the
//     selection), then sends WM_COMMAND with wParam (LBN_SELCHANGE << 16) | control id.
//   HEADLESS_LB_DBLCLK: double-clicks line lParam, which must exist: the click selects it
//     (sending LBN_SELCHANGE only when the selection changes), then WM_COMMAND with
//     (LBN_DBLCLK << 16) | control id is sent.
// Both do nothing when the control is not a list box of the dialog.
enum : std::uint32_t
{
    HEADLESS_LB_SELECT = 0x10000,
    HEADLESS_LB_DBLCLK,
};

// What the user does in a modal dialog: messages sent to its procedure after WM_INITDIALOG, in
// order, or the list-box actions above. When they run out and the dialog is still open, Escape
// (IDCANCEL) is pressed.
struct tDialogAction
{
    std::uint32_t Msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;

    static tDialogAction SelectLine(int ListBoxId, int Line)
    {
        return {HEADLESS_LB_SELECT, static_cast<std::uintptr_t>(ListBoxId), Line};
    }
    static tDialogAction DoubleClickLine(int ListBoxId, int Line)
    {
        return {HEADLESS_LB_DBLCLK, static_cast<std::uintptr_t>(ListBoxId), Line};
    }
};

// An answer for the colour chooser: OK with a colour (and optionally the custom colours the
// user edited), or Cancel.
struct tColorAnswer
{
    bool bOk;
    std::uint32_t Colour;
    std::optional<std::pair<int, std::uint32_t>> CustomEdit;   // index, colour
};

class cHeadlessWindowSystem : public cWindowSystem
{
public:
    cHeadlessWindowSystem();
    ~cHeadlessWindowSystem() override;

    // ---- the test's side -------------------------------------------------------------------
    // Clock.
    void SetTime(std::uint32_t NowMs) { mNow = NowMs; }
    void AdvanceTime(std::uint32_t Ms) { mNow += Ms; }
    // Input: queued now, or at a moment of the test clock (reached while the program waits).
    void PostInput(std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam = 0);
    void ScheduleInput(std::uint32_t AtMs, std::uint32_t Msg, std::uintptr_t wParam,
                       std::intptr_t lParam = 0);
    // A key press as the user makes it: WM_KEYDOWN, whose translation gives WM_CHAR when the
    // key has a character (Character 0 for none) and Alt is not held (with Alt the character
    // is a menu mnemonic). A key without a code of its own is pressed as VK_OTHER.
    void PressKey(std::uintptr_t VirtualKey, char Character = 0, bool bAltDown = false);
    // A key pressed with Ctrl and/or Shift (ACCEL_*): a menu item's accelerator becomes that
    // item's WM_COMMAND and nothing else; any other key is pressed as above, without a
    // character.
    void PressKeyWith(std::uintptr_t VirtualKey, unsigned Modifiers);
    // Pointer input at client position X, Y with the MK_* state Keys (buttons held after the
    // change, and Shift/Ctrl). Wheel: Rotation in WHEEL_DELTA units, forward positive.
    void Pointer(std::uint32_t Msg, int X, int Y, std::uintptr_t Keys);
    void Wheel(int Rotation, int X, int Y, std::uintptr_t Keys = 0);
    // Files dropped on the window: queues WM_DROPFILES for them.
    void DropFiles(std::vector<std::string> Paths);
    // The user resizes the window to this outer size: WM_SIZE follows with the client size.
    void ResizeWindow(int Width, int Height);
    // Where the settings file lives: call before the window system is used. Without it the
    // settings are kept in memory for this window system only.
    void UseSettingsFile(const std::string& Path);
    // How often the program waited for good with nothing queued or scheduled. Each time the
    // user is taken to close the main window (or, once it is gone, to quit), so a test's loop
    // always ends.
    int mIdleCloses = 0;

    // Scripts for modal user interface. Unscripted: message box OK, choosers cancelled,
    // dialogs closed by Escape.
    std::deque<int> mMessageBoxAnswers;
    std::deque<std::optional<std::string>> mFileAnswers;       // open-file choosers
    std::deque<tColorAnswer> mColorAnswers;
    std::deque<std::vector<tDialogAction>> mDialogScripts;
    std::deque<std::optional<tSaveAnswer>> mSaveAnswers;
    // What the user does to a modeless dialog while the program works: at the PumpDialog call
    // of this number (counted from 1 over the run), these messages go to the pumped dialog's
    // procedure.
    std::map<int, std::vector<tDialogAction>> mPumpActions;
    int mPumpCount = 0;

    // Records.
    std::vector<tShownMessageBox> mMessageBoxes;
    std::vector<tShownFileChooser> mFileChoosers;
    std::vector<tClipboardPicture> mClipboard;   // every picture put on the clipboard
    bool mClipboardFails = false;                // the clipboard cannot be had
    std::vector<tShownColorChooser> mColorChoosers;
    std::vector<tShownSaveChooser> mSaveChoosers;
    std::vector<tShownDialog> mDialogs;
    std::vector<std::uint32_t> mPaintTimes;   // clock value at each WM_PAINT delivered
    int mSwapCount = 0;
    int mClockReads = 0;       // GetTimeMs calls
    int mWaits = 0;            // WaitMessage calls
    int mDrawMenuBarCount = 0;
    std::string mWindowTitle;
    int mWindowIconId = 0;
    bool mWindowShown = false;
    bool mWindowDestroyed = false;
    int mClientWidth = 0, mClientHeight = 0;

    // Menu bar as it stands.
    bool IsChecked(int CommandId) const;
    bool HasItem(int CommandId) const;
    // Items of the pop-up at Position: (command id, text), in order; with Item, those of the
    // pop-up that item of it opens.
    std::vector<std::pair<int, std::string>> PopupItems(int Position, int Item = -1) const;
    // The accelerator the menu shows beside an item.
    tAccelerator ItemAccelerator(int CommandId) const;
    std::string PopupText(int Position) const;

    // The picture of the last swap, top row first, RGB; empty without an offscreen context.
    std::vector<std::uint8_t> ReadPicture() const;
    bool HasGL() const;

    // The pixel format the window reports after SetPixelFormat (default: direct colour).
    tPixelFormat mReportedFormat;
    // Palettes: the entries of the last one created, and whether one is selected.
    std::vector<tPaletteEntry> mLastPalette;
    int mRealizeCount = 0;
    int mUpdateColorsCount = 0;

    // What GetDisplayBitsPerPixel reports.
    int mDisplayBitsPerPixel = 24;
    // The last picture given to PresentPicture (0x00RRGGBB, rows top to bottom) and how many
    // were presented. Presenting needs no OpenGL context.
    std::vector<std::uint32_t> mPresented;
    int mPresentedWidth = 0, mPresentedHeight = 0;
    int mPresentCount = 0;

    // ---- cWindowSystem --------------------------------------------------------------------
    HWindow CreateMainWindow(const tMainWindowDesc& Desc) override;
    void ShowWindow(HWindow Window) override;
    void UpdateWindow(HWindow Window) override;
    void DestroyWindow(HWindow Window) override;
    std::intptr_t DefWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                std::intptr_t lParam) override;

    bool PeekMessage() override;
    bool GetMessage(tMessage& Msg) override;
    void TranslateMessage(const tMessage& Msg) override;
    std::intptr_t DispatchMessage(const tMessage& Msg) override;
    void WaitMessage(std::uint32_t TimeoutMs) override;
    void PostMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    std::intptr_t SendMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    void PostQuitMessage(int ExitCode) override;

    void InvalidateRect(HWindow Window) override;
    void ValidateRect(HWindow Window) override;
    bool GetUpdateRect(HWindow Window) override;

    HMenu GetMenu(HWindow Window) override;
    HMenu GetSubMenu(HMenu Menu, int Position) override;
    void CheckMenuItem(HMenu Menu, int CommandId, bool bChecked) override;
    bool RemoveMenuByCommand(HMenu Menu, int CommandId) override;
    bool RemoveMenuByPosition(HMenu Menu, int Position) override;
    void AppendMenu(HMenu Menu, int CommandId, const char* pszText) override;
    void DrawMenuBar(HWindow Window) override;

    std::intptr_t DialogBox(const tResourceTable* pInstance, int DialogId, HWindow Owner,
                            DialogProc Proc) override;
    HWindow CreateDialog(const tResourceTable* pInstance, int DialogId, HWindow Owner,
                         DialogProc Proc) override;
    void EndDialog(HWindow Dialog, std::intptr_t Result) override;
    void SetDlgItemText(HWindow Dialog, int ControlId, const char* pszText) override;
    void SetScrollInfo(HWindow Dialog, int ControlId, int Min, int Max, int Page, int Pos,
                       bool bRedraw) override;
    void SetProgress(HWindow Dialog, int ControlId, int Done, int Total) override;
    void PumpDialog(HWindow Dialog) override;
    int ListBoxInsertString(HWindow Dialog, int ControlId, int Index,
                            const char* pszText) override;
    void ListBoxSetCurSel(HWindow Dialog, int ControlId, int Index) override;
    int ListBoxGetCurSel(HWindow Dialog, int ControlId) override;

    int MessageBox(HWindow Owner, const char* pszText, const char* pszCaption,
                   unsigned Style) override;
    bool GetOpenFileName(HWindow Owner, const char* pszFilterText, const char* pszFilterPattern,
                         const char* pszTitle, const char* pszFolder, std::string& Path) override;
    bool GetSaveFileName(HWindow Owner, const std::vector<tFileType>& Types, const char* pszTitle,
                         const char* pszFolder, const char* pszName, std::string& Path,
                         int& TypeIndex) override;
    bool ChooseColor(HWindow Owner, std::uint32_t Initial, std::uint32_t* CustomColors,
                     std::uint32_t& Chosen) override;

    int GetDisplayBitsPerPixel(HWindow Window) override;
    void GetClientSize(HWindow Window, int& Width, int& Height) override;
    void PresentPicture(HWindow Window, const std::uint32_t* XRGB, int Width,
                        int Height) override;
    bool GetWindowPicture(HWindow Window, std::vector<std::uint8_t>& RGB, int& Width,
                          int& Height) override;
    bool SetClipboardPicture(const std::uint8_t* pRGB, int Width, int Height) override;

    std::vector<std::string> TakeDroppedFiles(std::uintptr_t Drop) override;
    void GetWindowSize(HWindow Window, int& Width, int& Height) override;
    bool GetSetting(const char* pszKey, std::string& Value) override;
    void SetSetting(const char* pszKey, const char* pszValue) override;

    std::uint32_t GetTimeMs() override
    {
        ++mClockReads;
        return mNow;
    }

    bool SetPixelFormat(HWindow Window, const tPixelFormat& Request) override;
    bool DescribePixelFormat(HWindow Window, tPixelFormat& Format) override;
    HGLContext CreateGLContext(HWindow Window) override;
    bool MakeCurrent(HWindow Window, HGLContext Context) override;
    void DeleteGLContext(HGLContext Context) override;
    void SwapBuffers(HWindow Window) override;

    HPalette CreatePalette(const tPaletteEntry* pEntries, int NumEntries) override;
    void SelectPalette(HWindow Window, HPalette Palette, bool bBackground) override;
    int RealizePalette(HWindow Window) override;
    void UpdateColors(HWindow Window) override;
    void DeletePalette(HPalette Palette) override;

private:
    struct tItem
    {
        std::string Text;
        int CommandId;
        bool bChecked;
        tAccelerator Accelerator;
        int Submenu;   // index into mSubmenus; -1 for a plain item
    };
    struct tPopup
    {
        std::string Text;
        std::vector<tItem> Items;
    };
    struct tScheduled
    {
        std::uint32_t AtMs;
        tMessage Msg;
    };
    // A live dialog: its record's index, and whether EndDialog has been called.
    struct tLiveDialog
    {
        std::size_t Record;
        bool bEnded;
        DialogProc Proc = nullptr;   // modeless dialogs: the procedure PumpDialog reaches
    };

    tShownDialog* Record(HWindow Dialog);
    tPopup* FindPopup(HMenu Menu);
    // Every pop-up, the menu bar's and those their items open, in that order.
    std::vector<tPopup*> AllPopups();
    std::vector<const tPopup*> AllPopups() const;
    tPopup CopyPopup(const char* pszText, const std::vector<tMenuItem>& Items);
    tItem* FindItem(HMenu Menu, int CommandId);
    bool IsMain(HWindow Window) const
    {
        return Window == MAIN_WINDOW && mProc != nullptr && !mWindowDestroyed;
    }
    // Calls the main window's procedure (nothing once it is destroyed); records paints.
    std::intptr_t CallProc(std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam);
    // Moves scheduled input whose moment has come into the queue, oldest first.
    void TakeDueScheduled();
    // Records a new dialog from its template and returns its handle.
    HWindow OpenDialog(const tDialogTemplate& Template, bool bModal);
    tShownListBox* FindListBox(HWindow Dialog, int ControlId);
    // Carries out a HEADLESS_LB_* script action on a modal dialog.
    void ActOnListBox(HWindow Dialog, DialogProc Proc, const tDialogAction& Action);
    bool GLMakeCurrent();
    void GLSwapAndRead();

    static constexpr HWindow MAIN_WINDOW = static_cast<HWindow>(1);
    static constexpr HMenu MENU_BAR = static_cast<HMenu>(1);
    static constexpr HGLContext GL_CONTEXT = static_cast<HGLContext>(1);
    // Pop-up p is HMenu(POPUP_BASE + p); the pop-up s an item opens is HMenu(SUBMENU_BASE + s).
    static constexpr std::uintptr_t POPUP_BASE = 100;
    static constexpr std::uintptr_t SUBMENU_BASE = 500;
    // Dialog d (index into Dialogs) is HWindow(DIALOG_BASE + d).
    static constexpr std::uintptr_t DIALOG_BASE = 1000;

    std::uint32_t mNow = 0;
    WindowProc mProc = nullptr;
    std::deque<tMessage> mQueue;
    std::vector<tScheduled> mScheduled;
    bool mPaintPending = false;
    bool mQuitPosted = false;
    int mExitCode = 0;
    std::vector<tPopup> mPopups;
    std::vector<tPopup> mSubmenus;
    const tMenuTemplate* mMenuTemplate = nullptr;
    int mWindowWidth = 0, mWindowHeight = 0;
    cDroppedFiles mDrops;
    // The last picture shown came from PresentPicture rather than an OpenGL swap.
    bool mShownPresented = false;
    // Made on first use: in memory unless UseSettingsFile named a file.
    std::unique_ptr<cSettingsFile> mSettings;
    cSettingsFile& Settings();
    std::map<std::uintptr_t, tLiveDialog> mLiveDialogs;
    bool mFormatSet = false;
    // shared_ptr: its deleter is bound where the context is made, so builds without the
    // offscreen library never reference it.
    std::shared_ptr<cOffscreenGL> mGL;
    std::vector<std::uint8_t> mPicture;
    HPalette mSelectedPalette = HPalette::None;
    std::map<std::uintptr_t, std::vector<tPaletteEntry>> mPalettes;
    std::uintptr_t mNextPalette = 1;
};
