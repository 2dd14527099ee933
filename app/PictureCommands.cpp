// File > Save Picture... and File > Copy Picture: the picture the window shows, at the size of
// its client area, into a PNG file or onto the clipboard as an image.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "picture/PngWrite.h"
#include "render/ViewState.h"

namespace
{
constexpr const char* PICTURE_FOLDER_KEY = "SavePicture/Folder";

struct tPicture
{
    std::vector<std::uint8_t> RGB;
    int Width = 0, Height = 0;
};

// The window's picture, painted afresh (a menu that has just closed may still cover part of
// the last one). False, after telling the user, when there is no picture.
bool TakePicture(tPicture& Picture)
{
    if (Shell.WindowSystem->GetWindowPicture(Shell.MainWindow, Picture.RGB, Picture.Width, Picture.Height))
        return true;
    Shell.WindowSystem->MessageBox(Shell.MainWindow, "The window shows no picture yet.", "Error",
                             MB_ICONEXCLAMATION);
    return false;
}

}  // namespace

std::string SuggestedOutputName(const char* pszExtension)
{
    const std::string Stem = std::filesystem::path(View.LastScriptPath).stem().string();
    return (Stem.empty() ? std::string("tessaly") : Stem) + pszExtension;
}

void SavePicture()
{
    tPicture Picture;
    // Taken before the chooser opens, so the chooser is never part of it.
    if (!TakePicture(Picture))
        return;
    std::string Folder;
    Shell.WindowSystem->GetSetting(PICTURE_FOLDER_KEY, Folder);
    std::string Path;
    int Type = 0;
    if (!Shell.WindowSystem->GetSaveFileName(Shell.MainWindow, {{"PNG picture (*.png)", "*.png"}},
                                             "Save the picture as", Folder.c_str(),
                                             SuggestedOutputName(".png").c_str(), Path, Type))
        return;
    // The writer goes through a temporary beside the chosen name, so a failed write leaves no
    // half picture and an earlier file of that name stays as it was.
    try
    {
        WritePng(Path, OpaquePicture(Picture.Width, Picture.Height, Picture.RGB), false);
    }
    catch (const std::runtime_error& Failure)
    {
        const std::string Text =
            std::string("The picture could not be saved: ") + Failure.what() + ".";
        Shell.WindowSystem->MessageBox(Shell.MainWindow, Text.c_str(), "Error", MB_ICONEXCLAMATION);
        return;
    }
    Shell.WindowSystem->SetSetting(PICTURE_FOLDER_KEY,
                             std::filesystem::path(Path).parent_path().string().c_str());
}

void CopyPicture()
{
    tPicture Picture;
    if (!TakePicture(Picture))
        return;
    if (!Shell.WindowSystem->SetClipboardPicture(Picture.RGB.data(), Picture.Width, Picture.Height))
        Shell.WindowSystem->MessageBox(Shell.MainWindow, "The clipboard could not take the picture.", "Error",
                                 MB_ICONEXCLAMATION);
}
