// What the viewer keeps between runs, through the window system's settings: the recent scripts
// (File > Recent Scripts, most recent first), the folder the Open dialog starts in and the
// window's size. A setting that is missing or makes no sense is left at its default.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "render/ViewState.h"

namespace
{
constexpr const char* OPEN_FOLDER_KEY = "OpenDialog/Folder";
constexpr const char* WIDTH_KEY = "Window/Width";
constexpr const char* HEIGHT_KEY = "Window/Height";
// Window sizes taken back from the settings; anything else is a damaged setting.
constexpr int MIN_WINDOW_SIDE = 100;
constexpr int MAX_WINDOW_SIDE = 16384;

std::vector<std::string> Recent;   // absolute paths, most recent first
int DefaultWidth = 0, DefaultHeight = 0;

std::string RecentKey(int Place)
{
    return "RecentScripts/" + std::to_string(Place + 1);
}

HMenu RecentMenu()
{
    const HMenu FileMenu =
        Shell.WindowSystem->GetSubMenu(Shell.WindowSystem->GetMenu(Shell.MainWindow), FILE_MENU_POSITION);
    return Shell.WindowSystem->GetSubMenu(FileMenu, RECENT_MENU_POSITION);
}

void ShowRecentMenu()
{
    const HMenu Menu = RecentMenu();
    for (int Place = 0; Place < MAX_RECENT_SCRIPTS; ++Place)
        Shell.WindowSystem->RemoveMenuByCommand(Menu, IDM_RECENT_BASE + Place);
    for (std::size_t Place = 0; Place < Recent.size(); ++Place)
        Shell.WindowSystem->AppendMenu(Menu, IDM_RECENT_BASE + static_cast<int>(Place),
                                 Recent[Place].c_str());
    Shell.WindowSystem->DrawMenuBar(Shell.MainWindow);
}

void SaveRecent()
{
    for (int Place = 0; Place < MAX_RECENT_SCRIPTS; ++Place)
        Shell.WindowSystem->SetSetting(RecentKey(Place).c_str(),
                                 Place < static_cast<int>(Recent.size())
                                     ? Recent[static_cast<std::size_t>(Place)].c_str()
                                     : nullptr);
}

// A whole decimal number within the window sides taken back; 0 for anything else.
int ReadSide(const char* pszKey)
{
    std::string Text;
    if (!Shell.WindowSystem->GetSetting(pszKey, Text) || Text.empty() || Text.size() > 6)
        return 0;
    char* pEnd = nullptr;
    const long Value = std::strtol(Text.c_str(), &pEnd, 10);
    if (*pEnd != '\0' || Value < MIN_WINDOW_SIDE || Value > MAX_WINDOW_SIDE)
        return 0;
    return static_cast<int>(Value);
}

std::string Absolute(const std::string& Path)
{
    std::error_code Failed;
    const std::filesystem::path Full = std::filesystem::absolute(Path, Failed);
    return Failed ? Path : Full.lexically_normal().string();
}
}  // namespace

void ApplySavedWindowSize(tMainWindowDesc& Desc)
{
    DefaultWidth = Desc.Width;
    DefaultHeight = Desc.Height;
    const int Width = ReadSide(WIDTH_KEY), Height = ReadSide(HEIGHT_KEY);
    if (Width != 0 && Height != 0)
    {
        Desc.Width = Width;
        Desc.Height = Height;
    }
}

void SaveWindowSize()
{
    int Width = 0, Height = 0;
    Shell.WindowSystem->GetWindowSize(Shell.MainWindow, Width, Height);
    if (Width < MIN_WINDOW_SIDE || Height < MIN_WINDOW_SIDE)
        return;
    // A window left at its first size is nothing to keep, unless an earlier size was kept.
    std::string Kept;
    if (Width == DefaultWidth && Height == DefaultHeight && !Shell.WindowSystem->GetSetting(WIDTH_KEY, Kept))
        return;
    Shell.WindowSystem->SetSetting(WIDTH_KEY, std::to_string(Width).c_str());
    Shell.WindowSystem->SetSetting(HEIGHT_KEY, std::to_string(Height).c_str());
}

void LoadRecentScripts()
{
    Recent.clear();
    for (int Place = 0; Place < MAX_RECENT_SCRIPTS; ++Place)
    {
        std::string Path;
        if (Shell.WindowSystem->GetSetting(RecentKey(Place).c_str(), Path) && !Path.empty() &&
            std::find(Recent.begin(), Recent.end(), Path) == Recent.end())
            Recent.push_back(Path);
    }
    ShowRecentMenu();
}

const std::vector<std::string>& RecentScripts()
{
    return Recent;
}

void RememberScript(const std::string& Path)
{
    const std::string Full = Absolute(Path);
    Recent.erase(std::remove(Recent.begin(), Recent.end(), Full), Recent.end());
    Recent.insert(Recent.begin(), Full);
    if (Recent.size() > static_cast<std::size_t>(MAX_RECENT_SCRIPTS))
        Recent.resize(MAX_RECENT_SCRIPTS);
    SaveRecent();
    ShowRecentMenu();
    Shell.WindowSystem->SetSetting(OPEN_FOLDER_KEY,
                             std::filesystem::path(Full).parent_path().string().c_str());
}

std::string OpenDialogFolder()
{
    std::string Folder;
    Shell.WindowSystem->GetSetting(OPEN_FOLDER_KEY, Folder);
    return Folder;
}

int OpenScriptAt(const std::string& Path)
{
    // Remembered first and passed as the remembered path, which the loading flow takes
    // whatever its length.
    View.LastScriptPath = Path;
    return OpenScript(View.LastScriptPath.c_str());
}

void OpenRecentScript(int Place)
{
    if (Place < 0 || Place >= static_cast<int>(Recent.size()))
        return;
    const std::string Path = Recent[static_cast<std::size_t>(Place)];
    if (OpenScriptAt(Path) == 0)
        return;
    // The load has shown why it failed; a script that is gone leaves the list.
    std::error_code Failed;
    if (std::filesystem::exists(Path, Failed) || Failed)
        return;
    Recent.erase(std::remove(Recent.begin(), Recent.end(), Path), Recent.end());
    SaveRecent();
    ShowRecentMenu();
}
