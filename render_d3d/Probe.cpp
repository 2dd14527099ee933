// Finds which DirectX version the system offers, from its version and the libraries present.
#include "render_d3d/Probe.h"

#include "platform/rm/DirectDraw.h"
#include "platform/system/System.h"
#include "render_d3d/RMLibraries.h"

namespace
{
// Windows-family builds above this one carry DirectX 5 or later.
const std::uint32_t LAST_BUILD_BEFORE_DX5 = 1353;

// NT family: version 4 may add DirectInput (DirectX 3); version 5 and later have it all.
void ProbeNT(cSystem& System, const OSVERSIONINFOA& Info, std::uint32_t* pVersion, std::uint32_t* pPlatform)
{
    *pPlatform = VER_PLATFORM_WIN32_NT;
    if (Info.dwMajorVersion < 4)
    {
        *pPlatform = 0;
        *pVersion = 0;
        return;
    }
    if (Info.dwMajorVersion > 4)
    {
        *pVersion = 0x501;
        return;
    }
    *pVersion = 0x200;
    HLIBRARY DInput = System.LoadLibraryA("DINPUT.DLL");
    if (!DInput)
    {
        System.OutputDebugStringA("Couldn't LoadLibrary DInput\r\n");
        return;
    }
    const LIBPROC InputCreate = System.GetProcAddress(DInput, "DirectInputCreateA");
    System.FreeLibrary(DInput);
    if (!InputCreate)
    {
        System.OutputDebugStringA("Couldn't GetProcAddress DInputCreate\r\n");
        return;
    }
    *pVersion = 0x300;
}

// Windows family: each library and interface found raises the version one step.
void ProbeWindows(cSystem& System, const OSVERSIONINFOA& Info, std::uint32_t* pVersion, std::uint32_t* pPlatform)
{
    *pPlatform = VER_PLATFORM_WIN32_WINDOWS;
    if ((Info.dwBuildNumber & 0xFFFF) > LAST_BUILD_BEFORE_DX5)
    {
        *pVersion = 0x501;
        return;
    }
    HLIBRARY DDraw = System.LoadLibraryA("DDRAW.DLL");
    if (!DDraw)
    {
        *pVersion = 0;
        *pPlatform = 0;
        return;
    }
    const DIRECTDRAWCREATE Create = reinterpret_cast<DIRECTDRAWCREATE>(System.GetProcAddress(DDraw, "DirectDrawCreate"));
    if (!Create)
    {
        *pVersion = 0;
        *pPlatform = 0;
        System.FreeLibrary(DDraw);
        System.OutputDebugStringA("Couldn't LoadLibrary DDraw\r\n");
        return;
    }
    IDirectDraw* pDirectDraw = nullptr;
    if (RMFailed(Create(nullptr, &pDirectDraw, nullptr)) || !pDirectDraw)
    {
        *pVersion = 0;
        *pPlatform = 0;
        System.FreeLibrary(DDraw);
        System.OutputDebugStringA("Couldn't create DDraw\r\n");
        return;
    }
    *pVersion = 0x100;

    IDirectDraw2* pDirectDraw2 = nullptr;
    if (RMFailed(pDirectDraw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&pDirectDraw2))) ||
        !pDirectDraw2)
    {
        pDirectDraw->Release();
        System.FreeLibrary(DDraw);
        System.OutputDebugStringA("Couldn't QI DDraw2\r\n");
        return;
    }
    pDirectDraw2->Release();
    *pVersion = 0x200;

    HLIBRARY DInput = System.LoadLibraryA("DINPUT.DLL");
    if (!DInput)
    {
        System.OutputDebugStringA("Couldn't LoadLibrary DInput\r\n");
        pDirectDraw->Release();
        System.FreeLibrary(DDraw);
        return;
    }
    const LIBPROC InputCreate = System.GetProcAddress(DInput, "DirectInputCreateA");
    System.FreeLibrary(DInput);
    if (!InputCreate)
    {
        // The object is released while the library that made it is still loaded.
        pDirectDraw->Release();
        System.FreeLibrary(DDraw);
        System.OutputDebugStringA("Couldn't GetProcAddress DInputCreate\r\n");
        return;
    }
    *pVersion = 0x300;

    DDSURFACEDESC Desc = {};
    Desc.dwSize = 108;
    Desc.dwFlags = DDSD_CAPS;
    Desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;

    // A DirectDraw that cannot do these is taken to be installed incorrectly.
    if (RMFailed(pDirectDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL)))
    {
        pDirectDraw->Release();
        System.FreeLibrary(DDraw);
        *pVersion = 0;
        System.OutputDebugStringA("Couldn't Set coop level\r\n");
        return;
    }
    IDirectDrawSurface* pSurface = nullptr;
    if (RMFailed(pDirectDraw->CreateSurface(&Desc, &pSurface, nullptr)) || !pSurface)
    {
        pDirectDraw->Release();
        System.FreeLibrary(DDraw);
        *pVersion = 0;
        System.OutputDebugStringA("Couldn't CreateSurface\r\n");
        return;
    }

    IDirectDrawSurface3* pSurface3 = nullptr;
    if (RMSucceeded(pSurface->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<void**>(&pSurface3))) &&
        pSurface3)
    {
        *pVersion = 0x500;
        pSurface3->Release();
    }
    pSurface->Release();
    pDirectDraw->Release();
    System.FreeLibrary(DDraw);
}
}

void ProbeDirectXVersion(cSystem& System, std::uint32_t* pVersion, std::uint32_t* pPlatform)
{
    *pVersion = 0;
    *pPlatform = 0;
    OSVERSIONINFOA Info = {};
    Info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!System.GetVersionExA(&Info))
        return;
    if (Info.dwPlatformId == VER_PLATFORM_WIN32_NT)
        ProbeNT(System, Info, pVersion, pPlatform);
    else
        ProbeWindows(System, Info, pVersion, pPlatform);
}

void ProbeDirectXVersion(std::uint32_t* pVersion, std::uint32_t* pPlatform)
{
    RegisterRMLibraries();
    ProbeDirectXVersion(TheSystem(), pVersion, pPlatform);
}
