// Value types of the retained-mode layer: result codes, GUIDs, vectors, vertex records, flags.
#pragma once

#include <cstdint>

// Every operation of the layer answers with a 32-bit result: 0 is success, negative values
// are the DirectDraw / Direct3D / Retained Mode failure codes that ErrorText knows.
using RMRESULT = std::int32_t;

constexpr bool RMSucceeded(RMRESULT Result) { return Result >= 0; }
constexpr bool RMFailed(RMRESULT Result) { return Result < 0; }

constexpr RMRESULT MakeDDResult(std::uint32_t Code) { return static_cast<RMRESULT>(0x88760000u + Code); }

constexpr RMRESULT DD_OK = 0;
constexpr RMRESULT D3D_OK = 0;
constexpr RMRESULT D3DRM_OK = 0;

// General codes DirectDraw shares with the object model.
constexpr RMRESULT DDERR_UNSUPPORTED = static_cast<RMRESULT>(0x80004001u);
constexpr RMRESULT DDERR_GENERIC = static_cast<RMRESULT>(0x80004005u);
constexpr RMRESULT DDERR_OUTOFMEMORY = static_cast<RMRESULT>(0x8007000Eu);
constexpr RMRESULT DDERR_INVALIDPARAMS = static_cast<RMRESULT>(0x80070057u);

constexpr RMRESULT DDERR_INVALIDCAPS = MakeDDResult(100);
constexpr RMRESULT DDERR_INVALIDOBJECT = MakeDDResult(130);
constexpr RMRESULT DDERR_INVALIDPIXELFORMAT = MakeDDResult(145);
constexpr RMRESULT DDERR_INVALIDRECT = MakeDDResult(150);
constexpr RMRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDDResult(212);
constexpr RMRESULT DDERR_NOTFOUND = MakeDDResult(255);
constexpr RMRESULT DDERR_SURFACEBUSY = MakeDDResult(430);
constexpr RMRESULT DDERR_TOOBIGHEIGHT = MakeDDResult(470);
constexpr RMRESULT DDERR_TOOBIGSIZE = MakeDDResult(480);
constexpr RMRESULT DDERR_TOOBIGWIDTH = MakeDDResult(490);
constexpr RMRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDDResult(564);
constexpr RMRESULT DDERR_NOHWND = MakeDDResult(569);
constexpr RMRESULT DDERR_NOTLOCKED = MakeDDResult(584);

constexpr RMRESULT D3DRMERR_BADOBJECT = MakeDDResult(781);
constexpr RMRESULT D3DRMERR_BADTYPE = MakeDDResult(782);
constexpr RMRESULT D3DRMERR_BADALLOC = MakeDDResult(783);
constexpr RMRESULT D3DRMERR_NOTFOUND = MakeDDResult(785);
constexpr RMRESULT D3DRMERR_BADDEVICE = MakeDDResult(789);
constexpr RMRESULT D3DRMERR_BADVALUE = MakeDDResult(790);

// 128-bit identifiers of interfaces and devices.
struct RMGUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

bool operator==(const RMGUID& A, const RMGUID& B);
inline bool operator!=(const RMGUID& A, const RMGUID& B) { return !(A == B); }

extern const RMGUID IID_IDirectDraw;
extern const RMGUID IID_IDirectDraw2;
extern const RMGUID IID_IDirect3D2;
extern const RMGUID IID_IDirectDrawSurface;
extern const RMGUID IID_IDirectDrawSurface3;
extern const RMGUID IID_IDirect3DRM;
extern const RMGUID IID_IDirect3DRM2;
extern const RMGUID IID_IDirect3DRMDevice2;
extern const RMGUID IID_IDirect3DRMWinDevice;

using D3DVALUE = float;
// Colour as 0x00RRGGBB.
using D3DCOLOR = std::uint32_t;

struct D3DVECTOR
{
    D3DVALUE x, y, z;
};

// One vertex as a mesh group stores it. The colour is not used by the software device.
struct D3DRMVERTEX
{
    D3DVECTOR position;
    D3DVECTOR normal;
    D3DVALUE tu, tv;
    D3DCOLOR color;
};

// Frame transforms are 4 x 4 matrices applied to row vectors: p' = p * M.
using D3DRMMATRIX4D = D3DVALUE[4][4];

// Render quality: shade mode, lighting and fill mode combined.
using D3DRMRENDERQUALITY = std::uint32_t;
constexpr std::uint32_t D3DRMSHADE_FLAT = 0x0;
constexpr std::uint32_t D3DRMSHADE_GOURAUD = 0x1;
constexpr std::uint32_t D3DRMSHADE_MASK = 0x7;
constexpr std::uint32_t D3DRMLIGHT_OFF = 0x0;
constexpr std::uint32_t D3DRMLIGHT_ON = 0x8;
constexpr std::uint32_t D3DRMLIGHT_MASK = 0x38;
constexpr std::uint32_t D3DRMFILL_POINTS = 0x0;
constexpr std::uint32_t D3DRMFILL_WIREFRAME = 0x40;
constexpr std::uint32_t D3DRMFILL_SOLID = 0x80;
constexpr std::uint32_t D3DRMFILL_MASK = 0x1C0;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_WIREFRAME = D3DRMFILL_WIREFRAME | D3DRMLIGHT_ON | D3DRMSHADE_FLAT;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_UNLITFLAT = D3DRMFILL_SOLID | D3DRMLIGHT_OFF | D3DRMSHADE_FLAT;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_FLAT = D3DRMFILL_SOLID | D3DRMLIGHT_ON | D3DRMSHADE_FLAT;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_GOURAUD = D3DRMFILL_SOLID | D3DRMLIGHT_ON | D3DRMSHADE_GOURAUD;

enum D3DRMLIGHTTYPE
{
    D3DRMLIGHT_AMBIENT,
    D3DRMLIGHT_POINT,
    D3DRMLIGHT_SPOT,
    D3DRMLIGHT_DIRECTIONAL,
    D3DRMLIGHT_PARALLELPOINT
};

enum D3DRMCOMBINETYPE
{
    D3DRMCOMBINE_REPLACE,
    D3DRMCOMBINE_BEFORE,
    D3DRMCOMBINE_AFTER
};

enum D3DRMZBUFFERMODE
{
    D3DRMZBUFFER_FROMPARENT,
    D3DRMZBUFFER_ENABLE,
    D3DRMZBUFFER_DISABLE
};

// Index of a group inside a mesh, as AddGroup returns it.
using D3DRMGROUPINDEX = std::int32_t;

// Surface description and its flags.
struct DDPIXELFORMAT
{
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    std::uint32_t dwRGBBitCount;
    std::uint32_t dwRBitMask;
    std::uint32_t dwGBitMask;
    std::uint32_t dwBBitMask;
};

struct DDSCAPS
{
    std::uint32_t dwCaps;
};

struct DDSURFACEDESC
{
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    std::uint32_t dwHeight;
    std::uint32_t dwWidth;
    std::int32_t lPitch;
    void* lpSurface;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

constexpr std::uint32_t DDSD_CAPS = 0x1;
constexpr std::uint32_t DDSD_HEIGHT = 0x2;
constexpr std::uint32_t DDSD_WIDTH = 0x4;
constexpr std::uint32_t DDSD_PITCH = 0x8;
constexpr std::uint32_t DDSD_LPSURFACE = 0x800;
constexpr std::uint32_t DDSD_PIXELFORMAT = 0x1000;

constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr std::uint32_t DDSCAPS_TEXTURE = 0x1000;

constexpr std::uint32_t DDPF_RGB = 0x40;

constexpr std::uint32_t DDSCL_NORMAL = 0x8;

struct RMRECT
{
    std::int32_t left, top, right, bottom;
};

// Answers of a device enumeration callback.
constexpr RMRESULT D3DENUMRET_CANCEL = 0;
constexpr RMRESULT D3DENUMRET_OK = 1;

// Where a device's finished picture goes: the windowing layer implements this for its window,
// tests implement it over memory. Pixels are 0x00RRGGBB, rows top to bottom, no padding.
class cRMPresenter
{
public:
    virtual ~cRMPresenter() = default;
    virtual void Present(const std::uint32_t* XRGB, int Width, int Height) = 0;
};

// The window a clipper is bound to, as this layer sees it.
using RMWINDOW = cRMPresenter*;
