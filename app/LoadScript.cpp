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
            WindowSystem->RemoveMenuByCommand(AnimationsMenu, IDM_SEQUENCE_BASE + I);
    }
    else
    {
        WindowSystem->RemoveMenuByPosition(AnimationsMenu, 0);
    }
}

void CloseLoadingWindow()
{
    WindowSystem->EndDialog(LoadingDialog, 1);
    LoadingDialog = HWindow::None;
}

// Shows why the model could not be built and ends the load with no model.
int FailLoad(const char* pszText)
{
    WindowSystem->MessageBox(MainWindow, pszText, "Error", MB_ICONEXCLAMATION);
    WindowSystem->InvalidateRect(MainWindow);
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
        if (!WindowSystem->GetOpenFileName(MainWindow, "ZentorScript source (*.zc)", "*.zc",
                                           "Select the ZentorScript source file to open", Chosen))
            return 1;
        LastScriptPath = Chosen;
    }
    else if (std::strlen(pszPath) <= MAX_SCRIPT_PATH)
    {
        // Copied first: the caller may pass LastScriptPath itself.
        const std::string Path(pszPath);
        LastScriptPath = Path;
    }

    // Shown at once; the load below runs without processing messages.
    if (LoadingDialog == HWindow::None)
        LoadingDialog =
            WindowSystem->CreateDialog(AppInstance, IDD_LOADING, MainWindow, PlainDialogProc);
    AnimationsMenu =
        WindowSystem->GetSubMenu(WindowSystem->GetMenu(MainWindow), ANIMATIONS_MENU_POSITION);
    EmptyAnimationsMenu();

    // A model without frames is reported by the renderer; the flow goes on.
    std::string ErrorText;
    if (LoadModel(LastScriptPath, ErrorText) == eLoadResult::Failed)
        return FailLoad(ErrorText.c_str());
    for (int I = 0; I < TheModel->GetNumSequences(); ++I)
        WindowSystem->AppendMenu(AnimationsMenu, IDM_SEQUENCE_BASE + I,
                                 TheModel->GetSequence(I)->pszName.c_str());
    WindowSystem->DrawMenuBar(MainWindow);

    CurrentFrame = 0;
    SequenceStart = 0;
    SequenceLength = 1;
    WindowSystem->InvalidateRect(MainWindow);
    if (LoopAnimation)
        Animating = 1;
    ResizeView(ClientWidth, ClientHeight);
    CloseLoadingWindow();
    // The camera reset comes through the queue, after this command has returned.
    WindowSystem->PostMessage(MainWindow, WM_KEYDOWN, VK_HOME, 0);
    return 0;
}

int SelectSequence(int SequenceNum)
{
    const AnimSeq* pSequence = TheModel->GetSequence(SequenceNum);
    CurrentFrame = SequenceStart = pSequence->StartFrame;
    SequenceLength = pSequence->NumFrames;
    // The frames about to play are the next ones prepared.
    PrepareFramesFrom(SequenceStart);
    return 0;
}

void DropModelOutOfMemory()
{
    EmptyAnimationsMenu();
    WindowSystem->DrawMenuBar(MainWindow);
    // Freed before the message is shown, so that the box itself has room.
    ReleaseModel();
    CurrentFrame = SequenceStart = 0;
    SequenceLength = 1;
    WindowSystem->InvalidateRect(MainWindow);
    WindowSystem->MessageBox(MainWindow, OutOfMemoryText(LastScriptPath).c_str(), "Error",
                             MB_ICONEXCLAMATION);
}
