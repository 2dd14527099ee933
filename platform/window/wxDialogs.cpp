// Dialogs built from resource templates: modal and modeless, their controls, and the scroll,
// button, list box and close events handed to the dialog procedure.
#include <memory>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/utils.h>

#include "platform/window/wxDialogRecord.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
// Templates give one-line statics 8 dialog units of height; taller ones wrap their text.
constexpr int ONE_LINE_HEIGHT = 10;
// Idle rounds a new dialog may take to reach the screen before it is left to find focus alone.
constexpr int MAX_FOCUS_TRIES = 2000;
// How long a modeless window may take to appear on screen before work goes on without it.
constexpr std::uint32_t SHOW_TIMEOUT_MS = 500;

// Scroll events of the rate control, as the scroll codes of WM_HSCROLL.
struct tScrollCode
{
    wxEventTypeTag<wxScrollEvent> Type;
    int Code;
};

wxRect ToPixels(wxWindow* pDialog, const tDialogControl& Control)
{
    const wxPoint Position = pDialog->ConvertDialogToPixels(wxPoint(Control.X, Control.Y));
    const wxSize Size = pDialog->ConvertDialogToPixels(wxSize(Control.Width, Control.Height));
    return wxRect(Position, Size);
}

wxWindow* MakeControl(wxDialog* pDialog, const tDialogControl& Control)
{
    const wxRect Box = ToPixels(pDialog, Control);
    const wxString Text = wxString::FromUTF8(Control.pszText);
    switch (Control.Type)
    {
    case eControlType::PushButton:
    case eControlType::DefPushButton:
    {
        auto* pButton = new wxButton(pDialog, wxID_ANY, Text, Box.GetPosition(), Box.GetSize());
        pButton->SetLabelText(Text);
        if (Control.Type == eControlType::DefPushButton)
            pButton->SetDefault();
        return pButton;
    }
    case eControlType::Static:
    {
        auto* pStatic = new wxStaticText(pDialog, wxID_ANY, "", Box.GetPosition(), Box.GetSize());
        pStatic->SetLabelText(Text);
        if (Control.Height > ONE_LINE_HEIGHT)
            pStatic->Wrap(Box.GetWidth());
        else if (pStatic->GetBestSize().GetWidth() > Box.GetWidth())
            // The toolkit's font may be wider than the one the layout was made for.
            pStatic->SetSize(wxSize(pStatic->GetBestSize().GetWidth(), Box.GetHeight()));
        return pStatic;
    }
    case eControlType::GroupBox:
        return new wxStaticBox(pDialog, wxID_ANY, Text, Box.GetPosition(), Box.GetSize());
    case eControlType::ReadOnlyEdit:
        return new wxTextCtrl(pDialog, wxID_ANY, Text, Box.GetPosition(), Box.GetSize(),
                              wxTE_READONLY | wxTE_CENTRE);
    case eControlType::HScrollBar:
    {
        // A horizontal slider: dragged with the mouse, stepped with the arrow keys (line) and
        // Page Up/Down (page), which a GTK scroll bar would not offer.
        auto* pSlider = new wxSlider(pDialog, wxID_ANY, 0, 0, 1, Box.GetPosition(),
                                     Box.GetSize(), wxSL_HORIZONTAL);
        // GTK draws nothing of a slider squeezed below its natural height: give it that
        // height, centred on the place the layout reserved.
        const int Needed = pSlider->GetBestSize().GetHeight();
        if (Needed > Box.GetHeight())
            pSlider->SetSize(Box.GetX(), Box.GetY() - (Needed - Box.GetHeight()) / 2,
                             Box.GetWidth(), Needed);
        return pSlider;
    }
    case eControlType::ListBox:
        // Never sorted by the toolkit: the program inserts each line at the index it means.
        return new wxListBox(pDialog, wxID_ANY, Box.GetPosition(), Box.GetSize(), 0, nullptr,
                             wxLB_SINGLE | wxLB_HSCROLL);
    case eControlType::ProgressBar:
        return new wxGauge(pDialog, wxID_ANY, 1, Box.GetPosition(), Box.GetSize(),
                           wxGA_HORIZONTAL | wxGA_SMOOTH);
    }
    return nullptr;
}
}  // namespace

void cWxWindowSystem::FocusWhenShown(wxDialog* pDialog)
{
    // Without a window manager nobody gives a new dialog the keyboard: once it is on screen,
    // ask for it, as a window manager would. Idle time comes after the toolkit has handled
    // the window's mapping.
    auto pTries = std::make_shared<int>(MAX_FOCUS_TRIES);
    pDialog->Bind(wxEVT_IDLE, [pDialog, pTries](wxIdleEvent& Event) {
        if (*pTries <= 0)
            return;
        if (pDialog->IsShownOnScreen())
        {
            *pTries = 0;
            pDialog->Raise();
            return;
        }
        --*pTries;
        Event.RequestMore();
    });
}

tWxDialogRecord* cWxWindowSystem::BuildDialog(const tResourceTable* pInstance, int DialogId,
                                              HWindow Owner, DialogProc Proc, bool bModal)
{
    const tDialogTemplate* pTemplate =
        pInstance != nullptr ? pInstance->FindDialog(DialogId) : nullptr;
    if (pTemplate == nullptr || Proc == nullptr)
        return nullptr;

    auto Record = std::make_unique<tWxDialogRecord>();
    Record->Handle = static_cast<HWindow>(mNextDialog++);
    Record->Proc = Proc;
    Record->bModal = bModal;
    long Style = wxCAPTION;
    if (pTemplate->bSystemMenu)
        Style |= wxSYSTEM_MENU | wxCLOSE_BOX;
    Record->pDialog = new wxDialog(OwnerWindow(Owner), wxID_ANY,
                                   wxString::FromUTF8(pTemplate->pszCaption), wxDefaultPosition,
                                   wxDefaultSize, Style);
    wxDialog* pDialog = Record->pDialog;
    pDialog->SetClientSize(
        pDialog->ConvertDialogToPixels(wxSize(pTemplate->Width, pTemplate->Height)));

    for (const tDialogControl& Control : pTemplate->Controls)
    {
        wxWindow* pControl = MakeControl(pDialog, Control);
        if (pControl == nullptr || Control.Id == ID_NONE)
            continue;
        Record->Controls[Control.Id] = pControl;
        Record->ControlIds[pControl->GetId()] = Control.Id;
    }
    pDialog->CentreOnParent();

    // The handlers look the record up by handle: events may still arrive for a dialog whose
    // record is gone while the toolkit finishes destroying it.
    const HWindow Handle = Record->Handle;
    pDialog->Bind(wxEVT_BUTTON, [this, Handle](wxCommandEvent& Event) {
        tWxDialogRecord* pRecord = FindDialog(Handle);
        if (pRecord == nullptr)
            return;
        auto Found = pRecord->ControlIds.find(Event.GetId());
        if (Found != pRecord->ControlIds.end())
            OnDialogCommand(*pRecord, Found->second);
    });
    // Escape and the close box both mean Cancel to the procedure.
    pDialog->Bind(wxEVT_CHAR_HOOK, [this, Handle](wxKeyEvent& Event) {
        tWxDialogRecord* pRecord = FindDialog(Handle);
        if (Event.GetKeyCode() != WXK_ESCAPE || pRecord == nullptr)
        {
            Event.Skip();
            return;
        }
        OnDialogCommand(*pRecord, IDCANCEL);
    });
    pDialog->Bind(wxEVT_CLOSE_WINDOW, [this, Handle](wxCloseEvent& Event) {
        if (Event.CanVeto())
            Event.Veto();
        if (tWxDialogRecord* pRecord = FindDialog(Handle))
            OnDialogCommand(*pRecord, IDCANCEL);
    });
    BindListBoxes(*Record);
    static const tScrollCode SCROLL_CODES[] = {
        {wxEVT_SCROLL_LINEUP, SB_LINELEFT},       {wxEVT_SCROLL_LINEDOWN, SB_LINERIGHT},
        {wxEVT_SCROLL_PAGEUP, SB_PAGELEFT},       {wxEVT_SCROLL_PAGEDOWN, SB_PAGERIGHT},
        {wxEVT_SCROLL_THUMBTRACK, SB_THUMBTRACK}, {wxEVT_SCROLL_THUMBRELEASE, SB_THUMBPOSITION},
        {wxEVT_SCROLL_TOP, SB_THUMBPOSITION},     {wxEVT_SCROLL_BOTTOM, SB_THUMBPOSITION},
    };
    for (const tScrollCode& Scroll : SCROLL_CODES)
    {
        const int Code = Scroll.Code;
        pDialog->Bind(Scroll.Type, [this, Handle, Code](wxScrollEvent& Event) {
            tWxDialogRecord* pRecord = FindDialog(Handle);
            if (pRecord == nullptr)
                return;
            auto Found = pRecord->ControlIds.find(Event.GetId());
            if (Found != pRecord->ControlIds.end())
                OnDialogScroll(*pRecord, Found->second, Code, Event.GetPosition());
        });
    }

    tWxDialogRecord* pRecord = Record.get();
    mDialogs[Handle] = std::move(Record);
    return pRecord;
}

void cWxWindowSystem::OnDialogCommand(tWxDialogRecord& Record, int ControlId)
{
    Record.Proc(Record.Handle, WM_COMMAND, static_cast<std::uintptr_t>(ControlId), 0);
}

void cWxWindowSystem::OnDialogScroll(tWxDialogRecord& Record, int ControlId, int Code, int Pos)
{
    const std::uintptr_t wParam = (static_cast<std::uintptr_t>(Code) & 0xFFFFu) |
                                  ((static_cast<std::uintptr_t>(Pos) & 0xFFFFu) << 16);
    Record.Proc(Record.Handle, WM_HSCROLL, wParam, ControlId);
}

std::intptr_t cWxWindowSystem::DialogBox(const tResourceTable* pInstance, int DialogId,
                                         HWindow Owner, DialogProc Proc)
{
    tWxDialogRecord* pRecord = BuildDialog(pInstance, DialogId, Owner, Proc, true);
    if (pRecord == nullptr)
        return -1;
    const HWindow Handle = pRecord->Handle;
    pRecord->Proc(Handle, WM_INITDIALOG, 0, 0);
    if (!pRecord->bEnded)
    {
        EnterModal();
        FocusWhenShown(pRecord->pDialog);
        pRecord->pDialog->ShowModal();
        LeaveModal();
    }
    const std::intptr_t Result = pRecord->Result;
    CloseDialog(Handle);
    return Result;
}

HWindow cWxWindowSystem::CreateDialog(const tResourceTable* pInstance, int DialogId,
                                      HWindow Owner, DialogProc Proc)
{
    tWxDialogRecord* pRecord = BuildDialog(pInstance, DialogId, Owner, Proc, false);
    if (pRecord == nullptr)
        return HWindow::None;
    const HWindow Handle = pRecord->Handle;
    pRecord->Proc(Handle, WM_INITDIALOG, 0, 0);
    if (FindDialog(Handle) == nullptr || pRecord->bEnded)
        return Handle;
    wxDialog* pDialog = pRecord->pDialog;
    pDialog->Show();
    // The caller may now work for a while without running the queue: wait (briefly) for the
    // window to be on screen and let it paint, running no input meanwhile.
    const std::uint32_t Start = GetTimeMs();
    while (!pDialog->IsShownOnScreen() && GetTimeMs() - Start < SHOW_TIMEOUT_MS)
    {
        mLoop->YieldFor(wxEVT_CATEGORY_UI);
        wxMilliSleep(2);
    }
    pDialog->Update();
    mLoop->YieldFor(wxEVT_CATEGORY_UI);
    return Handle;
}

void cWxWindowSystem::EndDialog(HWindow Dialog, std::intptr_t Result)
{
    tWxDialogRecord* pRecord = FindDialog(Dialog);
    if (pRecord == nullptr || pRecord->bEnded)
        return;
    pRecord->bEnded = true;
    pRecord->Result = Result;
    if (!pRecord->bModal)
        CloseDialog(Dialog);
    else if (pRecord->pDialog->IsModal())
        pRecord->pDialog->EndModal(0);
}

tWxDialogRecord* cWxWindowSystem::FindDialog(HWindow Dialog) const
{
    auto Found = mDialogs.find(Dialog);
    return Found == mDialogs.end() ? nullptr : Found->second.get();
}

wxWindow* cWxWindowSystem::FindControl(HWindow Dialog, int ControlId) const
{
    tWxDialogRecord* pRecord = FindDialog(Dialog);
    if (pRecord == nullptr)
        return nullptr;
    auto Found = pRecord->Controls.find(ControlId);
    return Found == pRecord->Controls.end() ? nullptr : Found->second;
}

void cWxWindowSystem::CloseDialog(HWindow Dialog)
{
    auto Found = mDialogs.find(Dialog);
    if (Found == mDialogs.end())
        return;
    wxDialog* pDialog = Found->second->pDialog;
    // A modal dialog still running its loop is ended first; DialogBox removes it afterwards.
    if (pDialog->IsModal())
    {
        Found->second->bEnded = true;
        pDialog->EndModal(0);
        return;
    }
    const bool bModeless = !Found->second->bModal;
    mDialogs.erase(Found);
    pDialog->Hide();
    pDialog->Destroy();
    if (bModeless)
        RestoreFocus();
}

void cWxWindowSystem::CloseAllDialogs()
{
    std::vector<HWindow> Handles;
    for (const auto& Entry : mDialogs)
        Handles.push_back(Entry.first);
    for (HWindow Handle : Handles)
        CloseDialog(Handle);
}

void cWxWindowSystem::SetDlgItemText(HWindow Dialog, int ControlId, const char* pszText)
{
    wxWindow* pControl = FindControl(Dialog, ControlId);
    if (pControl == nullptr || pszText == nullptr)
        return;
    const wxString Text = wxString::FromUTF8(pszText);
    if (auto* pEdit = dynamic_cast<wxTextCtrl*>(pControl))
        pEdit->ChangeValue(Text);
    else if (auto* pLabelled = dynamic_cast<wxControl*>(pControl))
        pLabelled->SetLabelText(Text);
}

void cWxWindowSystem::SetScrollInfo(HWindow Dialog, int ControlId, int Min, int Max, int Page,
                                    int Pos, bool)
{
    auto* pSlider = dynamic_cast<wxSlider*>(FindControl(Dialog, ControlId));
    if (pSlider == nullptr || Max < Min)
        return;
    pSlider->SetRange(Min, Max);
    pSlider->SetPageSize(Page > 0 ? Page : 1);
    pSlider->SetValue(Pos < Min ? Min : (Pos > Max ? Max : Pos));
}

void cWxWindowSystem::SetProgress(HWindow Dialog, int ControlId, int Done, int Total)
{
    auto* pGauge = dynamic_cast<wxGauge*>(FindControl(Dialog, ControlId));
    if (pGauge == nullptr)
        return;
    const int Range = Total > 0 ? Total : 1;
    pGauge->SetRange(Range);
    pGauge->SetValue(Done < 0 ? 0 : (Done > Range ? Range : Done));
    // Repaint now without handling input: the load that calls this does not run the queue.
    pGauge->Update();
    mLoop->YieldFor(wxEVT_CATEGORY_UI);
}

void cWxWindowSystem::PumpDialog(HWindow Dialog)
{
    tWxDialogRecord* pRecord = FindDialog(Dialog);
    if (pRecord == nullptr || pRecord->bEnded)
        return;
    // Every other top-level window takes no input meanwhile; the main frame's own events
    // (paints, keys) only reach the queue, which the shell runs after the work.
    const wxWindowDisabler Disabler(pRecord->pDialog);
    mLoop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
}
