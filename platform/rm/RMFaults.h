// Failures a test can inject into chosen operations of the retained-mode layer, and the count
// of the layer's objects alive, so tests reach a caller's error paths and see what it releases.
#pragma once

#include "platform/rm/RMTypes.h"

#include <cstddef>

// Operations of the layer that a test can make fail.
enum eRMFault
{
    RMFAULT_DIRECTDRAW_CREATE,   // DirectDrawCreate
    RMFAULT_CREATE_ROOT,         // Direct3DRMCreate
    RMFAULT_CREATE_CLIPPER,      // DirectDrawCreateClipper
    RMFAULT_ENUM_DEVICES,        // IDirect3D2::EnumDevices: reports Skip devices, then returns Code
    RMFAULT_CREATE_SURFACE,      // IDirectDraw::CreateSurface
    RMFAULT_LOCK_SURFACE,        // IDirectDrawSurface::Lock
    RMFAULT_CREATE_MESH,         // IDirect3DRM2::CreateMesh
    RMFAULT_CREATE_MATERIAL,     // IDirect3DRM2::CreateMaterial
    RMFAULT_CREATE_DEVICE,       // IDirect3DRM2::CreateDeviceFromClipper
    RMFAULT_SET_ZBUFFER_MODE,    // IDirect3DRMFrame2::SetZbufferMode
    RMFAULT_COUNT
};

// From now on, the operation succeeds Skip more times, then fails with Code (a failure code of
// the layer's result table) Times times (-1: every call after that). For RMFAULT_ENUM_DEVICES,
// Skip is the number of devices each enumeration reports before it stops with Code.
// Only calls that would otherwise succeed are counted. A Code that is not a failure, or Times
// 0, leaves the operation working (a call must never report success without doing its work);
// an unknown Fault is ignored; a negative Skip counts as 0 and any negative Times as -1.
void RMInjectFault(eRMFault Fault, RMRESULT Code, int Skip = 0, int Times = -1);
// Every operation works again.
void RMClearFaults();
// Objects of the layer alive now (every object with a reference count), so a test can check
// that nothing outlives a release.
int RMLiveObjectCount();

// For the layer's operations: counts one call that would succeed and returns the failure code
// it must end with instead, or D3DRM_OK when it goes on as usual.
RMRESULT RMFaultCheck(eRMFault Fault);
// For the device enumeration: counts one enumeration; when it must fail, lowers Count to the
// devices it reports first and returns the code to end with, otherwise returns D3DRM_OK.
RMRESULT RMFaultCheckEnumeration(std::size_t& Count);
