// File > Export Animation...: the selected sequence (every frame of the model when none is
// selected) drawn by the active renderer as the view shows it (camera, polygon filter,
// textures, background) at the canvas size, and written at the current frame rate as an
// animated GIF or WebP, by the type chosen in the save chooser. A progress window offers
// Cancel, which leaves no file; the view is put back as it was.
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "model/ZentorMesh.h"
#include "picture/Animation.h"
#include "render/FramePreparation.h"
#include "render/Renderer.h"
#include "render/ViewState.h"

namespace
{
const std::vector<tFileType> EXPORT_TYPES = {{"GIF animation (*.gif)", "*.gif"},
                                             {"WebP animation (*.webp)", "*.webp"}};

// Set by the progress window's Cancel (the button, Escape or its close box).
bool bExportCancelled = false;

bool ExportDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (Msg == WM_INITDIALOG)
        return true;
    if (Msg == WM_COMMAND && (wParam & 0xFFFF) == IDCANCEL)
    {
        bExportCancelled = true;
        return true;
    }
    return false;
}

// The view as the export found it, put back (and the progress window closed) on every way
// out: drawing the pictures steps the frame through the range.
class cExportSession
{
public:
    cExportSession()
        : mView(View),
          mDialog(Shell.WindowSystem->CreateDialog(Shell.AppInstance, IDD_EXPORTING, Shell.MainWindow,
                                                   ExportDialogProc))
    {
        bExportCancelled = false;
    }
    ~cExportSession()
    {
        if (mDialog != HWindow::None)
            Shell.WindowSystem->EndDialog(mDialog, 0);
        View.CurrentFrame = mView.CurrentFrame;
        View.SequenceStart = mView.SequenceStart;
        View.SequenceLength = mView.SequenceLength;
        View.LoopAnimation = mView.LoopAnimation;
        Shell.WindowSystem->InvalidateRect(Shell.MainWindow);
    }
    // Shows Done of Total and hands the window the user's input. False once Cancel was pressed.
    bool Progress(int Done, int Total) const
    {
        if (mDialog != HWindow::None)
        {
            Shell.WindowSystem->SetProgress(mDialog, IDC_EXPORT_PROGRESS, Done, Total);
            Shell.WindowSystem->PumpDialog(mDialog);
        }
        return !bExportCancelled;
    }

private:
    cViewState mView;
    HWindow mDialog;
};

// The frames the export shows: the selected sequence's, or every frame of the model.
void SelectExportRange()
{
    if (Shell.SelectedSequence < 0 || Shell.SelectedSequence >= TheModel->GetNumSequences())
    {
        View.SequenceStart = 0;
        View.SequenceLength = static_cast<std::int32_t>(TheModel->GetAnivHeader()->NumFrames);
    }
    View.SequenceLength = std::clamp<std::int32_t>(View.SequenceLength, 1, MAX_FRAMES);
    View.CurrentFrame = View.SequenceStart;
    View.LoopAnimation = true;
}

// Draws every picture into Writer; false when the user cancelled or a frame ran out of
// memory (the loop then drops the model). Throws std::runtime_error.
bool DrawPictures(const cExportSession& Session, cAnimationWriter& Writer, int NumPictures)
{
    cRenderer& Renderer = ActiveRenderer();
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgb;
    for (int k = 0; k < NumPictures; ++k)
    {
        // Drawing takes the first half of the bar, the file's own encoding the second.
        if (!Session.Progress(k, 2 * NumPictures))
            return false;
        // Played as Loop Animation plays it: each picture steps one frame within the range.
        Renderer.DrawFrame();
        if (FramePreparationOutOfMemory())
            return false;
        if (!Renderer.ReadPicture(Width, Height, Rgb))
            throw std::runtime_error("The renderer has no picture to export.");
        Writer.Add(OpaquePicture(Width, Height, Rgb));
    }
    return true;
}
}  // namespace

void ExportAnimation()
{
    if (!TheModel)
    {
        Shell.WindowSystem->MessageBox(Shell.MainWindow, "Open a script before exporting its animation.",
                                       "Export Animation", MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string Path;
    int Type = 0;
    if (!Shell.WindowSystem->GetSaveFileName(Shell.MainWindow, EXPORT_TYPES, "Export Animation", "", "",
                                             Path, Type))
        return;

    bool bWritten = false;
    {
        cExportSession Session;
        try
        {
            SelectExportRange();
            cAnimationSettings Settings;
            Settings.Fps = View.FrameRate;
            std::unique_ptr<cAnimationWriter> pWriter =
                OpenAnimation(Type == 0 ? eAnimationFormat::Gif : eAnimationFormat::WebP, Path,
                              View.ClientWidth, View.ClientHeight, Settings);
            const int NumPictures = View.SequenceLength;
            bWritten = DrawPictures(Session, *pWriter, NumPictures) &&
                       pWriter->Finish([&Session, NumPictures](int Done, int Total) {
                           return Session.Progress((Total + Done) * NumPictures, 2 * Total * NumPictures);
                       });
        }
        catch (const std::exception& Error)
        {
            Shell.WindowSystem->MessageBox(Shell.MainWindow, Error.what(), "Error", MB_ICONEXCLAMATION);
        }
    }
    // A frame that ran out of memory ends the model, as it would have during playback.
    if (!bWritten)
        CheckFramePreparation();
}
