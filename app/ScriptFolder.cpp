// Scripts reached without the Open dialog: the next or previous class script in the folder of
// the one opened last, and files dropped on the window. Both go through the loading flow.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "render/ViewState.h"

namespace fs = std::filesystem;

namespace
{
std::string Lower(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return Text;
}

// Name order as a user reads it: letters without regard to case, ties by the exact bytes.
bool NameBefore(const std::string& A, const std::string& B)
{
    const std::string LowerA = Lower(A), LowerB = Lower(B);
    return LowerA != LowerB ? LowerA < LowerB : A < B;
}
}  // namespace

bool IsClassScriptName(const std::string& Path)
{
    return Lower(fs::path(Path).extension().string()) == ".zc";
}

std::vector<std::string> ClassScriptsIn(const std::string& Folder)
{
    std::vector<std::string> Names;
    std::error_code Failed;
    for (fs::directory_iterator It(Folder.empty() ? "." : Folder, Failed), End;
         !Failed && It != End; It.increment(Failed))
    {
        std::error_code NotFile;
        if (It->is_regular_file(NotFile) && IsClassScriptName(It->path().filename().string()))
            Names.push_back(It->path().filename().string());
    }
    std::sort(Names.begin(), Names.end(), NameBefore);
    return Names;
}

void OpenNeighbourScript(int Step)
{
    if (View.LastScriptPath.empty())
        return;
    const fs::path Current(View.LastScriptPath);
    const std::string Folder = Current.parent_path().string();
    const std::string Name = Current.filename().string();
    const std::vector<std::string> Names = ClassScriptsIn(Folder);
    if (Names.empty())
        return;
    // The script shown may have been renamed or removed since: its neighbours are then those
    // around the place its name would have.
    const auto Place = std::lower_bound(Names.begin(), Names.end(), Name, NameBefore);
    const bool bListed = Place != Names.end() && *Place == Name;
    const auto Count = static_cast<std::ptrdiff_t>(Names.size());
    std::ptrdiff_t Index = Place - Names.begin();
    if (Step > 0)
        Index = bListed ? Index + 1 : Index;
    else
        Index = Index - 1;
    Index = ((Index % Count) + Count) % Count;
    // A folder whose only script is the one shown has no other to go to.
    if (bListed && Count == 1)
        return;
    OpenScriptAt((Folder.empty() ? fs::path(Names[static_cast<std::size_t>(Index)])
                                 : fs::path(Folder) / Names[static_cast<std::size_t>(Index)])
                     .string());
}

void HandleDropFiles(std::uintptr_t Drop)
{
    const std::vector<std::string> Paths = Shell.WindowSystem->TakeDroppedFiles(Drop);
    if (Paths.empty())
        return;
    // Of several files, the first class script is opened; the others are left alone.
    for (const std::string& Path : Paths)
    {
        std::error_code Failed;
        if (IsClassScriptName(Path) && !fs::is_directory(Path, Failed))
        {
            OpenScriptAt(Path);
            return;
        }
    }
    const std::string Text = Paths.size() == 1
                                 ? Paths[0] + " is not a class script (.zc)."
                                 : "None of the " + std::to_string(Paths.size()) +
                                       " files dropped is a class script (.zc).";
    Shell.WindowSystem->MessageBox(Shell.MainWindow, Text.c_str(), "Error", MB_ICONEXCLAMATION);
}
