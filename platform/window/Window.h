// The windowing platform interface: one top-level window with a menu, a message queue, modal
// and modeless dialogs built from resource data, message boxes, file and colour choosers, a
// millisecond clock and the window's OpenGL context. The shell (app/) is written against this
// header only; each back end (wx for the real program, headless for tests) implements it.
//
// Contents:
//   [handles and constants]  handle types, message numbers, key codes, flags
//   [messages]               tMessage and the two procedure types
//   [pixel format]           tPixelFormat, tPaletteEntry
//   [cWindowSystem]          the facilities, grouped as window / queue / redraw / menus /
//                            dialogs / message box / choosers / clock / OpenGL
//   [back-end selection]     CreateWindowSystem
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/pixelformat/PixelFormat.h"
#include "platform/window/ResourceTemplates.h"

// ---------------------------------------------------------------------------------------------
// [handles and constants]

// Opaque handles. The value 0 (the enumerator None) is "no object"; back ends choose the rest.
enum class HWindow : std::uintptr_t { None = 0 };    // main window, dialog or loading window
enum class HMenu : std::uintptr_t { None = 0 };      // the menu bar or one of its pop-ups
enum class HGLContext : std::uintptr_t { None = 0 };
enum class HPalette : std::uintptr_t { None = 0 };

// Message numbers. The values are this project's own; only the names follow the shell's rules.
enum : std::uint32_t
{
    WM_NULL = 0,
    WM_CREATE,            // sent inside CreateMainWindow, before it returns
    WM_DESTROY,           // sent by DestroyWindow (or by the shell to itself)
    WM_SIZE,              // lParam: client width in bits 0-15, height in bits 16-31, in
                          // the drawable's pixels (as GetClientSize), whatever the desktop scale
    WM_ACTIVATE,          // wParam: WA_INACTIVE or WA_ACTIVE
    WM_PAINT,             // delivered only when the queue holds nothing else
    WM_CLOSE,             // default handling: DestroyWindow
    WM_QUIT,              // never dispatched: GetMessage returns false for it
    WM_KEYDOWN,           // wParam: virtual-key code (VK_*)
    WM_CHAR,              // wParam: the character; posted by TranslateMessage after a key-down
    WM_COMMAND,           // wParam: menu command or dialog button identifier
    WM_QUERYNEWPALETTE,   // result: number of palette entries realised
    WM_PALETTECHANGED,    // wParam: the HWindow that realised its palette
    WM_INITDIALOG,        // to a dialog procedure, before the dialog shows; return true
    WM_HSCROLL,           // to a dialog procedure: wParam bits 0-15 scroll code (SB_*),
                          // bits 16-31 thumb position; lParam: the scroll bar's control id
};

// WM_ACTIVATE wParam values.
enum : std::uintptr_t { WA_INACTIVE = 0, WA_ACTIVE = 1 };

// Virtual-key codes carried by WM_KEYDOWN. Letters and digits use their upper-case character
// code ('N' is 0x4E); TranslateMessage then posts WM_CHAR with the character actually typed.
// Every key press makes a WM_KEYDOWN except Alt's own, which belongs to the menu bar: a key
// with no code of its own (Num Lock, keypad 5 without Num Lock, the Menu key, letters of other
// scripts) comes as VK_OTHER. A character typed with Alt held is a menu mnemonic and makes no
// WM_CHAR.
enum : std::uintptr_t
{
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,   // Page Up
    VK_NEXT = 0x22,    // Page Down
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_OTHER = 0xFF,   // a key without a code of its own
};

// Scroll codes in the low word of WM_HSCROLL's wParam.
enum : int
{
    SB_LINELEFT = 0,
    SB_LINERIGHT = 1,
    SB_PAGELEFT = 2,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_ENDSCROLL = 8,
};

// Notification codes a list box sends in the high word of WM_COMMAND's wParam, its control id
// in the low word; so a list box's notification never arrives as a plain button command.
enum : std::uintptr_t { LBN_SELCHANGE = 1, LBN_DBLCLK = 2 };

// Button identifiers: dialog OK / Cancel commands and MessageBox results.
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// MessageBox style: one button set ORed with at most one icon.
enum : unsigned
{
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

// WaitMessage timeout meaning "until a message arrives".
constexpr std::uint32_t WAIT_INFINITE = 0xFFFFFFFFu;

// ---------------------------------------------------------------------------------------------
// [messages]

struct tMessage
{
    HWindow Window = HWindow::None;
    std::uint32_t Msg = WM_NULL;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The main window's procedure: handles one message and returns its result.
using WindowProc = std::intptr_t (*)(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                     std::intptr_t lParam);

// A dialog's procedure: receives WM_INITDIALOG, WM_HSCROLL and WM_COMMAND (buttons, and IDCANCEL
// when the user presses Escape or closes the dialog's frame). Returns true when it handled the
// message. A dialog closes only through EndDialog.
using DialogProc = bool (*)(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                            std::intptr_t lParam);

// ---------------------------------------------------------------------------------------------
// [pixel format]

// The pixel format asked of and reported by the OpenGL window, and the palette entry of
// palette-based formats: tPixelFormat, tPaletteEntry and the PFD_ flags (PixelFormat.h).

// ---------------------------------------------------------------------------------------------
// [cWindowSystem]

// Everything about the main window the shell passes at creation.
struct tMainWindowDesc
{
    const tResourceTable* pInstance = nullptr;  // resources: menu, icon, dialogs
    WindowProc Proc = nullptr;
    const char* pszTitle = "";
    int MenuId = 0;   // menu resource of the window's menu bar
    int IconId = 0;   // icon resource of the window
    int X = 0, Y = 0;                  // outer position, screen pixels
    int Width = 0, Height = 0;         // outer size, pixels
};

// One instance per program, used from the one UI thread only. Every operation that takes an
// HWindow accepts the main window; dialog operations take the dialog's HWindow as given to its
// procedure or returned by CreateDialog.
class cWindowSystem
{
public:
    virtual ~cWindowSystem() = default;

    // --- window -------------------------------------------------------------------------------
    // Creates the main window (hidden) with its menu bar, and sends WM_CREATE to Proc before
    // returning, then WM_SIZE with the client size. Returns None when the window cannot be made
    // (then no message was sent).
    virtual HWindow CreateMainWindow(const tMainWindowDesc& Desc) = 0;
    // Shows the window; UpdateWindow then delivers a pending WM_PAINT at once, bypassing the
    // queue.
    virtual void ShowWindow(HWindow Window) = 0;
    virtual void UpdateWindow(HWindow Window) = 0;
    // Sends WM_DESTROY once and removes the window. Nothing is sent to a window's procedure
    // after this, and destroying the window system itself sends nothing.
    virtual void DestroyWindow(HWindow Window) = 0;
    // Default handling of a message the procedure did not handle: WM_CLOSE destroys the window,
    // WM_PAINT validates it; everything else returns 0.
    virtual std::intptr_t DefWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                        std::intptr_t lParam) = 0;

    // --- message queue -----------------------------------------------------------------------
    // True when any message is waiting (a pending paint counts); takes nothing from the queue.
    virtual bool PeekMessage() = 0;
    // Takes the next message, blocking until there is one. Posted messages and input come
    // first, in order; a pending paint only when nothing else waits. Returns false (and fills
    // in WM_QUIT with the exit code in wParam) for the quit message.
    virtual bool GetMessage(tMessage& Msg) = 0;
    // After a WM_KEYDOWN that produced a character, posts the matching WM_CHAR.
    virtual void TranslateMessage(const tMessage& Msg) = 0;
    // Calls the procedure of Msg.Window with the message and returns its result.
    virtual std::intptr_t DispatchMessage(const tMessage& Msg) = 0;
    // Blocks until a message is waiting or TimeoutMs milliseconds have passed, whichever is
    // first. WAIT_INFINITE waits for a message only.
    virtual void WaitMessage(std::uint32_t TimeoutMs) = 0;
    // Appends a message to the queue; it is handled after the current handler returns.
    virtual void PostMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    // Calls the window's procedure now and returns its result.
    virtual std::intptr_t SendMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    // Queues the quit message: the next GetMessage that reaches it returns false.
    virtual void PostQuitMessage(int ExitCode) = 0;

    // --- redraw ------------------------------------------------------------------------------
    // Marks the whole client area for repainting without erasing. Any number of calls before
    // the next paint give exactly one WM_PAINT, delivered once the queue holds nothing else.
    virtual void InvalidateRect(HWindow Window) = 0;
    // Clears the pending repaint.
    virtual void ValidateRect(HWindow Window) = 0;
    // True while a repaint is pending.
    virtual bool GetUpdateRect(HWindow Window) = 0;

    // --- menus (the main window's menu bar) --------------------------------------------------
    virtual HMenu GetMenu(HWindow Window) = 0;
    // The pop-up at Position (0 = leftmost) of a menu bar; None when there is none.
    virtual HMenu GetSubMenu(HMenu Menu, int Position) = 0;
    // Sets or clears the check mark of the item with this command id, wherever it is in Menu.
    virtual void CheckMenuItem(HMenu Menu, int CommandId, bool bChecked) = 0;
    // Removes the item with this command id, or (ByPosition) the item at this position of the
    // pop-up. Returns false when there was no such item.
    virtual bool RemoveMenuByCommand(HMenu Menu, int CommandId) = 0;
    virtual bool RemoveMenuByPosition(HMenu Menu, int Position) = 0;
    // Appends a plain text item at the end of a pop-up.
    virtual void AppendMenu(HMenu Menu, int CommandId, const char* pszText) = 0;
    // Shows the menu bar's current items and marks.
    virtual void DrawMenuBar(HWindow Window) = 0;

    // --- dialogs from resources ---------------------------------------------------------------
    // Runs dialog DialogId of pInstance modally, owned by Owner: sends WM_INITDIALOG, then
    // delivers the user's scrolls and commands to Proc until Proc calls EndDialog. Returns the
    // value given to EndDialog, or -1 when the resource does not exist.
    virtual std::intptr_t DialogBox(const tResourceTable* pInstance, int DialogId, HWindow Owner,
                                    DialogProc Proc) = 0;
    // Creates dialog DialogId modelessly: sends WM_INITDIALOG, shows it and paints it at once
    // (callers may then work without processing messages). EndDialog closes it. Returns None
    // when the resource does not exist.
    virtual HWindow CreateDialog(const tResourceTable* pInstance, int DialogId, HWindow Owner,
                                 DialogProc Proc) = 0;
    // Closes a dialog: a modal one after its procedure returns, with Result as DialogBox's
    // value; a modeless one at once.
    virtual void EndDialog(HWindow Dialog, std::intptr_t Result) = 0;
    // Sets the text of a control (static, edit box) of a dialog.
    virtual void SetDlgItemText(HWindow Dialog, int ControlId, const char* pszText) = 0;
    // Sets a scroll bar control's range Min..Max, page size and thumb position.
    virtual void SetScrollInfo(HWindow Dialog, int ControlId, int Min, int Max, int Page,
                               int Pos, bool bRedraw) = 0;
    // List box controls. Inserts a line at Index (-1: at the end) whatever the list's sort
    // style, so a line's index is the one given; returns it, or -1 when the control is not a
    // list box or Index is beyond the end.
    virtual int ListBoxInsertString(HWindow Dialog, int ControlId, int Index,
                                    const char* pszText) = 0;
    // Selects line Index; -1 (or an index with no line) leaves no line selected.
    virtual void ListBoxSetCurSel(HWindow Dialog, int ControlId, int Index) = 0;
    // The selected line, -1 when none.
    virtual int ListBoxGetCurSel(HWindow Dialog, int ControlId) = 0;
    // Sets a progress bar control to Done of Total and repaints the dialog at once, without
    // processing any input (the loading window calls this in the middle of a load).
    virtual void SetProgress(HWindow Dialog, int ControlId, int Done, int Total) = 0;

    // --- message box -------------------------------------------------------------------------
    // Modal; shows pszText and pszCaption unchanged with the buttons and icon of Style (MB_*).
    // Returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int MessageBox(HWindow Owner, const char* pszText, const char* pszCaption,
                           unsigned Style) = 0;

    // --- choosers ----------------------------------------------------------------------------
    // Asks for one existing file to open. The filter is one pair: display text and pattern
    // ("*.zc"). On OK stores the path (at most 255 characters; a longer choice counts as a
    // failure) in Path and returns true; on Cancel or failure returns false and leaves Path.
    virtual bool GetOpenFileName(HWindow Owner, const char* pszFilterText,
                                 const char* pszFilterPattern, const char* pszTitle,
                                 std::string& Path) = 0;
    // Asks for a file to write. pszFilters lists display texts and patterns, alternating and
    // separated by '|' ("Binary glTF (*.glb)|*.glb|glTF (*.gltf)|*.gltf"); the chooser starts
    // on the name pszDefaultName and asks before an existing file is replaced. On OK stores the
    // path (at most 255 characters, as for opening) in Path and returns true.
    virtual bool GetSaveFileName(HWindow Owner, const char* pszFilters, const char* pszTitle,
                                 const char* pszDefaultName, std::string& Path) = 0;
    // Asks for a colour, opened fully (custom colours visible), starting at Initial. Colours are
    // 0x00BBGGRR (red in the low byte). CustomColors (16 entries, owned by the caller) are shown
    // and updated with the user's changes. On OK stores the colour in Chosen and returns true.
    virtual bool ChooseColor(HWindow Owner, std::uint32_t Initial, std::uint32_t* CustomColors,
                             std::uint32_t& Chosen) = 0;

    // --- pictures drawn without OpenGL ------------------------------------------------------
    // Colour depth of the display in bits per pixel, as a program that draws its own pixels
    // must match it.
    virtual int GetDisplayBitsPerPixel(HWindow Window) = 0;
    // The client area's size in pixels.
    virtual void GetClientSize(HWindow Window, int& Width, int& Height) = 0;
    // Shows a finished picture in the client area at once: Width x Height pixels 0x00RRGGBB,
    // rows top to bottom, its top-left corner at the client area's; the rest of the client
    // area is left black.
    virtual void PresentPicture(HWindow Window, const std::uint32_t* XRGB, int Width,
                                int Height) = 0;

    // --- clock -------------------------------------------------------------------------------
    // Milliseconds since some fixed moment; wraps from 0xFFFFFFFF to 0.
    virtual std::uint32_t GetTimeMs() = 0;

    // --- OpenGL on the main window ------------------------------------------------------------
    // Gives the window the available format closest to Request (at least its depth bits,
    // double buffered, RGBA). Returns false when none fits.
    virtual bool SetPixelFormat(HWindow Window, const tPixelFormat& Request) = 0;
    // The format actually set (dwFlags has PFD_NEED_PALETTE for palette-based formats).
    virtual bool DescribePixelFormat(HWindow Window, tPixelFormat& Format) = 0;
    virtual HGLContext CreateGLContext(HWindow Window) = 0;
    // Makes Context current on the window; Context None releases the current context.
    virtual bool MakeCurrent(HWindow Window, HGLContext Context) = 0;
    virtual void DeleteGLContext(HGLContext Context) = 0;
    // Presents the finished back buffer.
    virtual void SwapBuffers(HWindow Window) = 0;

    // Palettes matter only for palette-based formats; direct-colour back ends may accept and
    // ignore them (RealizePalette then returns 0).
    virtual HPalette CreatePalette(const tPaletteEntry* pEntries, int NumEntries) = 0;
    virtual void SelectPalette(HWindow Window, HPalette Palette, bool bBackground) = 0;
    virtual int RealizePalette(HWindow Window) = 0;
    virtual void UpdateColors(HWindow Window) = 0;
    virtual void DeletePalette(HPalette Palette) = 0;
};

// ---------------------------------------------------------------------------------------------
// [back-end selection]

// Each back-end library (tessaly_window_wx, tessaly_window_headless) defines this; a program
// links exactly one of them. argc/argv go to the toolkit (the program itself takes no
// arguments). Returns null when the windowing system cannot start.
std::unique_ptr<cWindowSystem> CreateWindowSystem(int argc, char** argv);
