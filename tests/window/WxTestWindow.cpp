// The toolkit tests' shared window set-up.
#include "tests/window/WxTestWindow.h"

#include <memory>
#include <string>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

HWindow OpenWxTestWindow(cWindowSystem*& System, const char* pszProgram, WindowProc Proc,
                         const char* pszTitle, int X, int Y, int Width, int Height)
{
    static std::string Name = pszProgram;
    static char* Args[] = {Name.data(), nullptr};
    static std::unique_ptr<cWindowSystem> Owned = CreateWindowSystem(1, Args);
    System = Owned.get();
    if (!System)
        return HWindow::None;
    tMainWindowDesc Desc;
    Desc.pInstance = &AppResources();
    Desc.Proc = Proc;
    Desc.pszTitle = pszTitle;
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.X = X;
    Desc.Y = Y;
    Desc.Width = Width;
    Desc.Height = Height;
    return System->CreateMainWindow(Desc);
}
