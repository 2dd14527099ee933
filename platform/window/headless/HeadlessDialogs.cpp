// Headless back end: dialogs from resources and their list boxes, message boxes and the
// choosers, answered from the test's scripts and recorded as shown.
#include "platform/window/headless/HeadlessWindow.h"

std::string tShownDialog::Text(int ControlId) const
{
    const auto It = TextHistory.find(ControlId);
    return It == TextHistory.end() || It->second.empty() ? std::string() : It->second.back();
}

HWindow cHeadlessWindowSystem::OpenDialog(const tDialogTemplate& Template, bool bModal)
{
    tShownDialog Shown;
    Shown.ResourceId = Template.ResourceId;
    Shown.Caption = Template.pszCaption;
    Shown.bModal = bModal;
    for (const tDialogControl& Control : Template.Controls)
        if (Control.Id != ID_NONE && Control.pszText[0] != '\0')
            Shown.TextHistory[Control.Id].push_back(Control.pszText);
    for (const tDialogControl& Control : Template.Controls)
        if (Control.Type == eControlType::ListBox && Control.Id != ID_NONE)
            Shown.ListBoxes[Control.Id] = {};
    mDialogs.push_back(std::move(Shown));
    const std::size_t Index = mDialogs.size() - 1;
    mLiveDialogs[DIALOG_BASE + Index] = {Index, false};
    return static_cast<HWindow>(DIALOG_BASE + Index);
}

tShownDialog* cHeadlessWindowSystem::Record(HWindow Dialog)
{
    const auto It = mLiveDialogs.find(static_cast<std::uintptr_t>(Dialog));
    return It == mLiveDialogs.end() ? nullptr : &mDialogs[It->second.Record];
}

std::intptr_t cHeadlessWindowSystem::DialogBox(const tResourceTable* pInstance, int DialogId,
                                               HWindow Owner, DialogProc Proc)
{
    const tDialogTemplate* pTemplate = pInstance ? pInstance->FindDialog(DialogId) : nullptr;
    if (!pTemplate || !Proc)
        return -1;
    const HWindow Handle = OpenDialog(*pTemplate, true);
    const std::size_t Index = mDialogs.size() - 1;
    const auto Key = static_cast<std::uintptr_t>(Handle);

    std::vector<tDialogAction> Script;
    if (!mDialogScripts.empty())
    {
        Script = std::move(mDialogScripts.front());
        mDialogScripts.pop_front();
    }
    Proc(Handle, WM_INITDIALOG, 0, 0);
    for (const tDialogAction& Action : Script)
    {
        if (mLiveDialogs[Key].bEnded)
            break;
        if (Action.Msg == HEADLESS_LB_SELECT || Action.Msg == HEADLESS_LB_DBLCLK)
            ActOnListBox(Handle, Proc, Action);
        else
            Proc(Handle, Action.Msg, Action.wParam, Action.lParam);
    }
    // Escape when the script is done, as a user would leave a dialog.
    if (!mLiveDialogs[Key].bEnded)
        Proc(Handle, WM_COMMAND, IDCANCEL, 0);
    if (!mLiveDialogs[Key].bEnded)
    {
        // A dialog that ignores Escape would hang a real user too; report it as a failure.
        mDialogs[Index].bOpen = false;
        mDialogs[Index].Result = -1;
    }
    mLiveDialogs.erase(Key);
    return mDialogs[Index].Result;
}

HWindow cHeadlessWindowSystem::CreateDialog(const tResourceTable* pInstance, int DialogId,
                                            HWindow Owner, DialogProc Proc)
{
    const tDialogTemplate* pTemplate = pInstance ? pInstance->FindDialog(DialogId) : nullptr;
    if (!pTemplate || !Proc)
        return HWindow::None;
    const HWindow Handle = OpenDialog(*pTemplate, false);
    Proc(Handle, WM_INITDIALOG, 0, 0);
    return Handle;
}

void cHeadlessWindowSystem::EndDialog(HWindow Dialog, std::intptr_t Result)
{
    const auto It = mLiveDialogs.find(static_cast<std::uintptr_t>(Dialog));
    if (It == mLiveDialogs.end() || It->second.bEnded)
        return;
    tShownDialog& Shown = mDialogs[It->second.Record];
    Shown.bOpen = false;
    Shown.Result = Result;
    It->second.bEnded = true;
    // A modal dialog is removed when its DialogBox returns; a modeless one now.
    if (!Shown.bModal)
        mLiveDialogs.erase(It);
}

void cHeadlessWindowSystem::SetDlgItemText(HWindow Dialog, int ControlId, const char* pszText)
{
    if (tShownDialog* pShown = Record(Dialog))
        pShown->TextHistory[ControlId].push_back(pszText ? pszText : "");
}

void cHeadlessWindowSystem::SetScrollInfo(HWindow Dialog, int ControlId, int Min, int Max,
                                          int Page, int Pos, bool bRedraw)
{
    if (tShownDialog* pShown = Record(Dialog))
        pShown->Scrolls[ControlId] = {Min, Max, Page, Pos};
}

void cHeadlessWindowSystem::SetProgress(HWindow Dialog, int ControlId, int Done, int Total)
{
    if (tShownDialog* pShown = Record(Dialog))
    {
        pShown->Progress[ControlId] = {Done, Total};
        ++pShown->ProgressRepaints;
    }
}

tShownListBox* cHeadlessWindowSystem::FindListBox(HWindow Dialog, int ControlId)
{
    tShownDialog* pShown = Record(Dialog);
    if (pShown == nullptr)
        return nullptr;
    const auto It = pShown->ListBoxes.find(ControlId);
    return It == pShown->ListBoxes.end() ? nullptr : &It->second;
}

int cHeadlessWindowSystem::ListBoxInsertString(HWindow Dialog, int ControlId, int Index,
                                               const char* pszText)
{
    tShownListBox* pList = FindListBox(Dialog, ControlId);
    if (pList == nullptr)
        return -1;
    const int Count = static_cast<int>(pList->Lines.size());
    if (Index == -1)
        Index = Count;
    if (Index < 0 || Index > Count)
        return -1;
    pList->Lines.insert(pList->Lines.begin() + Index, pszText ? pszText : "");
    // The selected line moves down with the lines below the new one.
    if (pList->Selection >= Index)
        ++pList->Selection;
    return Index;
}

void cHeadlessWindowSystem::ListBoxSetCurSel(HWindow Dialog, int ControlId, int Index)
{
    if (tShownListBox* pList = FindListBox(Dialog, ControlId))
        pList->Selection = Index >= 0 && Index < static_cast<int>(pList->Lines.size()) ? Index : -1;
}

int cHeadlessWindowSystem::ListBoxGetCurSel(HWindow Dialog, int ControlId)
{
    const tShownListBox* pList = FindListBox(Dialog, ControlId);
    return pList == nullptr ? -1 : pList->Selection;
}

void cHeadlessWindowSystem::ActOnListBox(HWindow Dialog, DialogProc Proc,
                                         const tDialogAction& Action)
{
    const int ControlId = static_cast<int>(Action.wParam);
    tShownListBox* pList = FindListBox(Dialog, ControlId);
    if (pList == nullptr)
        return;
    const bool bLine =
        Action.lParam >= 0 && Action.lParam < static_cast<std::intptr_t>(pList->Lines.size());
    if (Action.Msg == HEADLESS_LB_DBLCLK && !bLine)
        return;
    const int Before = pList->Selection;
    pList->Selection = bLine ? static_cast<int>(Action.lParam) : -1;
    const auto Notify = [&](std::uintptr_t Code) {
        Proc(Dialog, WM_COMMAND, (Code << 16) | (Action.wParam & 0xFFFFu), 0);
    };
    if (Action.Msg == HEADLESS_LB_SELECT || pList->Selection != Before)
        Notify(LBN_SELCHANGE);
    // The procedure may have ended the dialog on the selection change.
    const bool bEnded = mLiveDialogs[static_cast<std::uintptr_t>(Dialog)].bEnded;
    if (Action.Msg == HEADLESS_LB_DBLCLK && !bEnded)
        Notify(LBN_DBLCLK);
}

int cHeadlessWindowSystem::MessageBox(HWindow Owner, const char* pszText, const char* pszCaption,
                                      unsigned Style)
{
    mMessageBoxes.push_back({pszText ? pszText : "", pszCaption ? pszCaption : "", Style});
    if (mMessageBoxAnswers.empty())
        return IDOK;
    const int Answer = mMessageBoxAnswers.front();
    mMessageBoxAnswers.pop_front();
    return Answer;
}

bool cHeadlessWindowSystem::GetOpenFileName(HWindow Owner, const char* pszFilterText,
                                            const char* pszFilterPattern, const char* pszTitle,
                                            std::string& Path)
{
    mFileChoosers.push_back({pszFilterText, pszFilterPattern, pszTitle});
    return NextFileAnswer(Path);
}

bool cHeadlessWindowSystem::GetSaveFileName(HWindow Owner, const char* pszFilters,
                                            const char* pszTitle, const char* pszDefaultName,
                                            std::string& Path)
{
    mFileChoosers.push_back({pszFilters, "", pszTitle, true, pszDefaultName});
    return NextFileAnswer(Path);
}

bool cHeadlessWindowSystem::NextFileAnswer(std::string& Path)
{
    if (mFileAnswers.empty())
        return false;
    const std::optional<std::string> Answer = std::move(mFileAnswers.front());
    mFileAnswers.pop_front();
    if (!Answer || Answer->size() > 255)
        return false;
    Path = *Answer;
    return true;
}

bool cHeadlessWindowSystem::ChooseColor(HWindow Owner, std::uint32_t Initial,
                                        std::uint32_t* CustomColors, std::uint32_t& Chosen)
{
    tShownColorChooser Shown{Initial, {}};
    for (int I = 0; I < 16; ++I)
        Shown.CustomColors[I] = CustomColors[I];
    mColorChoosers.push_back(Shown);
    if (mColorAnswers.empty())
        return false;
    const tColorAnswer Answer = mColorAnswers.front();
    mColorAnswers.pop_front();
    // Custom colours the user edits are kept even when the dialog is then cancelled.
    if (Answer.CustomEdit && Answer.CustomEdit->first >= 0 && Answer.CustomEdit->first < 16)
        CustomColors[Answer.CustomEdit->first] = Answer.CustomEdit->second;
    if (Answer.bOk)
        Chosen = Answer.Colour;
    return Answer.bOk;
}
