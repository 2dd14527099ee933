// Definitions and start values of the shell's globals.
#include "app/ShellState.h"

cWindowSystem* WindowSystem;
const tResourceTable* AppInstance;
HWindow MainWindow;
HWindow WindowDC;
HGLContext GLContext;
HPalette GLPalette;
HWindow LoadingDialog;
HMenu AnimationsMenu;
std::uint32_t CustomColors[16];
std::uint32_t LastRedrawTime;

void ResetShellState()
{
    WindowSystem = nullptr;
    AppInstance = nullptr;
    MainWindow = WindowDC = LoadingDialog = HWindow::None;
    GLContext = HGLContext::None;
    GLPalette = HPalette::None;
    AnimationsMenu = HMenu::None;
    for (std::uint32_t& Colour : CustomColors)
        Colour = 0;
    LastRedrawTime = 0;
}
