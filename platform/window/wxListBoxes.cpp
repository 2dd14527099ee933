// List boxes of dialogs built from resources: lines kept at the indexes the program gives them,
// the selection, and the notifications handed to the dialog procedure.
#include <dlfcn.h>

#include <cstring>

#include <wx/dialog.h>
#include <wx/listbox.h>

#include "platform/window/wxDialogRecord.h"
#include "platform/window/wxText.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
// Whether the toolkit event being handled is a key press. GTK's development headers are not
// part of the build; the toolkit library is already loaded by wx, so its calls are looked up
// there. A GdkEvent starts with its type.
bool HandlingKeyPress()
{
    using tCurrentEvent = void* (*)();
    using tFreeEvent = void (*)(void*);
    constexpr int GDK_KEY_PRESS = 8;
    static const auto CurrentEvent =
        reinterpret_cast<tCurrentEvent>(dlsym(RTLD_DEFAULT, "gtk_get_current_event"));
    static const auto FreeEvent =
        reinterpret_cast<tFreeEvent>(dlsym(RTLD_DEFAULT, "gdk_event_free"));
    if (CurrentEvent == nullptr || FreeEvent == nullptr)
        return false;
    void* pEvent = CurrentEvent();
    if (pEvent == nullptr)
        return false;
    int Type = 0;
    std::memcpy(&Type, pEvent, sizeof Type);
    FreeEvent(pEvent);
    return Type == GDK_KEY_PRESS;
}
}  // namespace

void cWxWindowSystem::BindListBoxes(tWxDialogRecord& Record)
{
    // The handlers look the record up by handle, as the dialog's other handlers do.
    const HWindow Handle = Record.Handle;
    const auto Notify = [this, Handle](wxCommandEvent& Event, std::uintptr_t Code) {
        tWxDialogRecord* pRecord = FindDialog(Handle);
        if (pRecord == nullptr)
            return;
        auto Found = pRecord->ControlIds.find(Event.GetId());
        if (Found == pRecord->ControlIds.end())
            return;
        // The code rides in the high word, so a notification never passes for OK or Cancel.
        const std::uintptr_t Id = static_cast<std::uintptr_t>(Found->second) & 0xFFFFu;
        pRecord->Proc(Handle, WM_COMMAND, (Code << 16) | Id, 0);
    };
    Record.pDialog->Bind(wxEVT_LISTBOX, [Notify](wxCommandEvent& Event) {
        Notify(Event, LBN_SELCHANGE);
    });
    Record.pDialog->Bind(wxEVT_LISTBOX_DCLICK, [Notify](wxCommandEvent& Event) {
        // The toolkit reports Return on a line as a double-click too. Left unhandled, it presses
        // the default button instead, as Return does in the dialog's other controls.
        if (HandlingKeyPress())
            Event.Skip();
        else
            Notify(Event, LBN_DBLCLK);
    });
}

int cWxWindowSystem::ListBoxInsertString(HWindow Dialog, int ControlId, int Index,
                                         const char* pszText)
{
    auto* pList = dynamic_cast<wxListBox*>(FindControl(Dialog, ControlId));
    if (pList == nullptr)
        return -1;
    const int Count = static_cast<int>(pList->GetCount());
    if (Index == -1)
        Index = Count;
    if (Index < 0 || Index > Count)
        return -1;
    pList->Insert(ToolkitText(pszText != nullptr ? pszText : ""), static_cast<unsigned>(Index));
    return Index;
}

void cWxWindowSystem::ListBoxSetCurSel(HWindow Dialog, int ControlId, int Index)
{
    auto* pList = dynamic_cast<wxListBox*>(FindControl(Dialog, ControlId));
    if (pList == nullptr)
        return;
    if (Index >= 0 && Index < static_cast<int>(pList->GetCount()))
        pList->SetSelection(Index);
    else
        pList->DeselectAll();
}

int cWxWindowSystem::ListBoxGetCurSel(HWindow Dialog, int ControlId)
{
    auto* pList = dynamic_cast<wxListBox*>(FindControl(Dialog, ControlId));
    if (pList == nullptr)
        return -1;
    const int Selection = pList->GetSelection();
    return Selection == wxNOT_FOUND ? -1 : Selection;
}
