// The wx back end of the window system: one frame with a GL canvas, menus and dialogs built
// from the resource data, and a message queue of our own fed by the toolkit's events.
//
// How the shell's loop maps onto the toolkit: every query of the queue (peek, get, wait) first
// runs the toolkit's pending events without blocking; their handlers only append messages to
// cWxMessageQueue. Get and Wait block inside the toolkit's own event dispatch (with a timeout
// for Wait), so GTK stays responsive and the program sleeps while nothing happens. Modal
// dialogs and choosers run the toolkit's modal loops; paints that arrive meanwhile are handed
// to the window procedure at once, as a modal loop would.
//
// Sources: wxWindowSystem.cpp (start-up, window, queue, redraw, clock, events),
// wxMainFrame.cpp (frame and canvas, which report through wxFrameEvents.h), wxMenus.cpp,
// wxDialogs.cpp, wxListBoxes.cpp, wxChoosers.cpp, wxGL.cpp, wxGLX.cpp, wxPicture.cpp and
// wxDesktop.cpp (pointer, drops, clipboard, the picture on screen, settings), with
// wxText.h for texts; helpers tested without the toolkit: wxMessageQueue, wxCommandIds,
// wxKeyMap, wxChooserText.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/window/DroppedFiles.h"
#include "platform/window/Window.h"
#include "platform/window/wxCommandIds.h"
#include "platform/window/wxFrameEvents.h"
#include "platform/window/wxMessageQueue.h"

class wxDialog;
class wxGLContext;
class wxGUIEventLoop;
class wxMenu;
class wxWindow;
class cSettingsFile;
class cWxCanvas;
class cWxMainFrame;
struct tWxDialogRecord;

class cWxWindowSystem final : public cWindowSystem, private cWxFrameEvents
{
public:
    cWxWindowSystem();
    ~cWxWindowSystem() override;
    // Starts the toolkit; false when it cannot (no display).
    bool Start(int argc, char** argv);

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

    // The display's depth: the depth the Direct3D renderer's surfaces are made with.
    int GetDisplayBitsPerPixel(HWindow Window) override;
    // The canvas's client area in framebuffer pixels (its size times the scale factor).
    void GetClientSize(HWindow Window, int& Width, int& Height) override;
    // Draws through the canvas's current OpenGL context, every state it touches restored.
    void PresentPicture(HWindow Window, const std::uint32_t* XRGB, int Width,
                        int Height) override;

    // Draws the window again at once and keeps the picture as it is presented, whichever way
    // it was drawn.
    bool GetWindowPicture(HWindow Window, std::vector<std::uint8_t>& RGB, int& Width,
                          int& Height) override;
    // Flushed to the desktop's clipboard keeper, so the picture outlives the program.
    bool SetClipboardPicture(const std::uint8_t* pRGB, int Width, int Height) override;
    std::vector<std::string> TakeDroppedFiles(std::uintptr_t Drop) override;
    void GetWindowSize(HWindow Window, int& Width, int& Height) override;
    // The file is tessaly/tessaly.conf in the user's configuration folder ($XDG_CONFIG_HOME,
    // or ~/.config), read when a setting is first asked for.
    bool GetSetting(const char* pszKey, std::string& Value) override;
    void SetSetting(const char* pszKey, const char* pszValue) override;

    std::uint32_t GetTimeMs() override;

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

    // --- events of dialogs built from resources (wxDialogs.cpp) ------------------------------
    void OnDialogCommand(tWxDialogRecord& Record, int ControlId);
    void OnDialogScroll(tWxDialogRecord& Record, int ControlId, int Code, int Pos);

private:
    // --- reports of the main frame and its canvas, each turned into a window message ---------
    void OnCanvasPaint() override;
    void OnCanvasSize(int Width, int Height) override;
    bool OnKeyDown(int WxKeyCode, unsigned Modifiers) override;
    void OnPointer(std::uint32_t Msg, int X, int Y, std::uintptr_t Keys) override;
    void OnWheel(int Rotation, int X, int Y, std::uintptr_t Keys) override;
    void OnDropFiles(std::vector<std::string> Paths) override;
    void OnChar(std::uint32_t Char, bool bAltDown) override;
    void OnActivate(bool bActive) override;
    void OnCloseRequest() override;
    void OnMenuCommand(int ToolkitId) override;

    static constexpr HWindow MAIN_WINDOW = static_cast<HWindow>(1);
    static constexpr HMenu MENU_BAR = static_cast<HMenu>(1);

    // Runs the toolkit's pending events without blocking.
    void Pump();
    // Modal toolkit loops (dialogs, choosers, message boxes) are counted so that paints of the
    // main window arriving meanwhile are delivered at once.
    void EnterModal();
    void LeaveModal();
    // Gives the main window the keyboard again once a dialog is gone (X has no window manager
    // to do it in a bare session).
    void RestoreFocus();
    wxWindow* OwnerWindow(HWindow Owner) const;
    bool IsMain(HWindow Window) const { return Window == MAIN_WINDOW && mFrame != nullptr; }

    // Menus (wxMenus.cpp).
    void BuildMenuBar(const tResourceTable& Resources, int MenuId);
    wxMenu* BuildPopup(const std::vector<tMenuItem>& Items);
    wxMenu* PopupOf(HMenu Menu) const;
    bool FindItem(HMenu Menu, int ToolkitId, wxMenu*& pOwner, int& Position) const;

    // Dialogs (wxDialogs.cpp).
    tWxDialogRecord* BuildDialog(const tResourceTable* pInstance, int DialogId, HWindow Owner,
                                 DialogProc Proc, bool bModal);
    tWxDialogRecord* FindDialog(HWindow Dialog) const;
    wxWindow* FindControl(HWindow Dialog, int ControlId) const;
    void CloseDialog(HWindow Dialog);
    void CloseAllDialogs();
    void FocusWhenShown(wxDialog* pDialog);
    // Hands the dialog's list box events to its procedure (wxListBoxes.cpp).
    void BindListBoxes(tWxDialogRecord& Record);

    // GL (wxGL.cpp).
    bool MakeCanvas(const tPixelFormat& Request);
    void ReleaseGL();

    // TESSALY_TRACE_REDRAW set in the environment: each repaint request and each paint
    // delivered is written to standard error with its time in milliseconds.
    bool mTraceRedraw = false;
    std::unique_ptr<wxGUIEventLoop> mLoop;
    bool mStarted = false;
    cWxMainFrame* mFrame = nullptr;
    cWxCanvas* mCanvas = nullptr;
    WindowProc mProc = nullptr;
    bool mDestroyed = false;
    int mModalDepth = 0;
    cWxMessageQueue mQueue;
    // The key-down GetMessage returned last and the character it typed, for TranslateMessage.
    tMessage mLastKeyDown;
    std::uint32_t mLastKeyChar = 0;

    std::vector<wxMenu*> mPopups;            // the menu bar's pop-ups, left to right
    std::vector<wxMenu*> mSubmenus;          // pop-ups that items of those open
    const tMenuTemplate* mMenuTemplate = nullptr;   // for the accelerators
    std::map<int, bool> mLogicalChecks;      // check marks as the program set them, by command
    cWxCommandIds mCommandIds;

    std::map<HWindow, std::unique_ptr<tWxDialogRecord>> mDialogs;
    std::uintptr_t mNextDialog = 2;

    std::map<std::uintptr_t, std::unique_ptr<wxGLContext>> mContexts;
    std::uintptr_t mNextContext = 1;
    std::uintptr_t mCurrentContext = 0;   // the context MakeCurrent made current; 0 for none
    // Presents pictures when the program has no context current on the canvas.
    std::unique_ptr<wxGLContext> mPresentContext;
    std::map<std::uintptr_t, std::vector<tPaletteEntry>> mPalettes;
    std::uintptr_t mNextPalette = 1;

    // Keeps the finished back buffer of the current context as the window's picture when a
    // capture was asked for (wxDesktop.cpp); called just before each buffer swap.
    void CaptureBackBuffer();
    bool mbCaptureNext = false;
    std::vector<std::uint8_t> mCaptured;
    int mCapturedWidth = 0, mCapturedHeight = 0;

    cDroppedFiles mDrops;
    std::unique_ptr<cSettingsFile> mSettings;
};
