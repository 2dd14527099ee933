// DirectDraw side of the retained-mode layer: the display object, surfaces, clippers, the
// Direct3D device list and the immediate-mode device that brackets a picture.
#pragma once

#include "platform/rm/RMObject.h"

class IDirectDrawSurface;
class IDirectDrawClipper;

// The display object. CreateSurface needs a cooperative level only for the primary surface.
class IDirectDraw : public IRMUnknown
{
public:
    virtual RMRESULT SetCooperativeLevel(RMWINDOW Window, std::uint32_t Flags) = 0;
    // Surfaces without DDSD_PIXELFORMAT take the display's format.
    virtual RMRESULT CreateSurface(DDSURFACEDESC* pDesc, IDirectDrawSurface** ppSurface, IRMUnknown* pOuter) = 0;
};

class IDirectDraw2 : public IDirectDraw
{
};

// A block of pixels. Lock hands out the memory of the whole surface; Unlock ends the writing.
class IDirectDrawSurface : public IRMUnknown
{
public:
    virtual RMRESULT Lock(RMRECT* pRect, DDSURFACEDESC* pDesc, std::uint32_t Flags, void* Event) = 0;
    virtual RMRESULT Unlock(void* pMemory) = 0;
    virtual RMRESULT GetSurfaceDesc(DDSURFACEDESC* pDesc) = 0;
};

class IDirectDrawSurface3 : public IDirectDrawSurface
{
};

// Ties a device's output to a window.
class IDirectDrawClipper : public IRMUnknown
{
public:
    virtual RMRESULT SetHWnd(std::uint32_t Flags, RMWINDOW Window) = 0;
    virtual RMRESULT GetHWnd(RMWINDOW* pWindow) = 0;
};

// Called once per device; returning D3DENUMRET_OK continues the enumeration.
using LPD3DENUMDEVICESCALLBACK = RMRESULT (*)(RMGUID* pGuid, char* pszDescription, char* pszName,
                                              void* pContext);

class IDirect3D2 : public IRMUnknown
{
public:
    virtual RMRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK Callback, void* pContext) = 0;
};

// The device beneath a retained-mode device; a picture is drawn between BeginScene and EndScene.
class IDirect3DDevice2 : public IRMUnknown
{
public:
    virtual RMRESULT BeginScene() = 0;
    virtual RMRESULT EndScene() = 0;
};

// Entry points. A null GUID selects the primary display driver; pOuter must be null.
RMRESULT DirectDrawCreate(const RMGUID* pGuid, IDirectDraw** ppDirectDraw, IRMUnknown* pOuter);
RMRESULT DirectDrawCreateClipper(std::uint32_t Flags, IDirectDrawClipper** ppClipper, IRMUnknown* pOuter);

using DIRECTDRAWCREATE = RMRESULT (*)(const RMGUID*, IDirectDraw**, IRMUnknown*);

// Pixel depth of the display this layer draws for: 16 (5-5-5), 24 (R,G,B bytes) or 32
// (R,G,B,x bytes). Surfaces created without a pixel format use it. Defaults to 24.
int RMGetDisplayBitsPerPixel();
// Returns false and changes nothing for any other depth.
bool RMSetDisplayBitsPerPixel(int BitsPerPixel);
