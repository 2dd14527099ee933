// The loading flow: the one road by which a model enters the program (OpenScript), the
// Animations menu's action (SelectSequence), and the model's end when its frames run out of
// memory.
#include <cstring>
#include <string>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "load/ModelLoad.h"
#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/View.h"
#include "render/ViewState.h"

namespace
{
constexpr std::size_t MAX_SCRIPT_PATH = 255;

// Removes the old model's sequence items; before the first load, the placeholder at the top.
void EmptyAnimationsMenu()
{
    if (TheModel)
    {
        for (int I = 0; I < TheModel->GetNumSequences(); ++I)
            Shell.WindowSystem->RemoveMenuByCommand(Shell.AnimationsMenu, IDM_SEQUENCE_BASE + I);
    }
    else
    {
        Shell.WindowSystem->RemoveMenuByPosition(Shell.AnimationsMenu, 0);
    }
}

void CloseLoadingWindow()
{
    Shell.WindowSystem->EndDialog(Shell.LoadingDialog, 1);
    Shell.LoadingDialog = HWindow::None;
}

// Shows why the model could not be built and ends the load with no model.
int FailLoad(const char* pszText)
{
    Shell.WindowSystem->MessageBox(Shell.MainWindow, pszText, "Error", MB_ICONEXCLAMATION);
    Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
    CloseLoadingWindow();
    return 1;
}
}  // namespace

int OpenScript(const char* pszPath)
{
    if (!pszPath)
    {
        // The chooser fills a path of its own: cancelling keeps the path of the model on
        // screen, which a renderer switch loads again.
        std::string Chosen;
        if (!Shell.WindowSystem->GetOpenFileName(Shell.MainWindow, "ZentorScript source (*.zc)",
                                                 "*.zc",
                                                 "Select the ZentorScript source file to open",
                                                 OpenDialogFolder().c_str(), Chosen))
            return 1;
        View.LastScriptPath = Chosen;
    }
    else if (std::strlen(pszPath) <= MAX_SCRIPT_PATH)
    {
        // Copied first: the caller may pass LastScriptPath itself.
        const std::string Path(pszPath);
        View.LastScriptPath = Path;
    }

    // Shown at once; the load below runs without processing messages.
    if (Shell.LoadingDialog == HWindow::None)
        Shell.LoadingDialog = Shell.WindowSystem->CreateDialog(Shell.AppInstance, IDD_LOADING,
                                                               Shell.MainWindow, PlainDialogProc);
    Shell.AnimationsMenu = Shell.WindowSystem->GetSubMenu(
        Shell.WindowSystem->GetMenu(Shell.MainWindow), ANIMATIONS_MENU_POSITION);
    EmptyAnimationsMenu();

    // A model without frames is reported by the renderer; the flow goes on.
    std::string ErrorText;
    if (LoadModel(View.LastScriptPath, ErrorText) == eLoadResult::Failed)
        return FailLoad(ErrorText.c_str());
    for (int I = 0; I < TheModel->GetNumSequences(); ++I)
        Shell.WindowSystem->AppendMenu(Shell.AnimationsMenu, IDM_SEQUENCE_BASE + I,
                                 TheModel->GetSequence(I)->pszName.c_str());
    Shell.WindowSystem->DrawMenuBar(Shell.MainWindow);

    View.CurrentFrame = 0;
    View.SequenceStart = 0;
    View.SequenceLength = 1;
    Shell.SelectedSequence = -1;
    Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
    if (View.LoopAnimation)
        View.Animating = true;
    ResizeView(View.ClientWidth, View.ClientHeight);
    CloseLoadingWindow();
    RememberScript(View.LastScriptPath);
    // The camera reset comes through the queue, after this command has returned.
    Shell.WindowSystem->PostMessage(Shell.MainWindow, WM_KEYDOWN, VK_HOME, 0);
    return 0;
}

int SelectSequence(int SequenceNum)
{
    const AnimSeq* pSequence = TheModel->GetSequence(SequenceNum);
    View.CurrentFrame = View.SequenceStart = pSequence->StartFrame;
    View.SequenceLength = pSequence->NumFrames;
    Shell.SelectedSequence = SequenceNum;
    // The frames about to play are the next ones prepared.
    PrepareFramesFrom(View.SequenceStart);
    return 0;
}

void DropModelOutOfMemory()
{
    EmptyAnimationsMenu();
    Shell.WindowSystem->DrawMenuBar(Shell.MainWindow);
    // Freed before the message is shown, so that the box itself has room.
    ReleaseModel();
    View.CurrentFrame = View.SequenceStart = 0;
    View.SequenceLength = 1;
    Shell.SelectedSequence = -1;
    Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
    Shell.WindowSystem->MessageBox(Shell.MainWindow, OutOfMemoryText(View.LastScriptPath).c_str(), "Error",
                             MB_ICONEXCLAMATION);
}
