// Draws a frame tree through a camera: transforms, lighting, culling, clipping to the view
// volume and projection, handing the primitives to the rasterizer.
#pragma once

#include "platform/rm/D3DRM.h"
#include "platform/rm/RMMath.h"
#include "platform/rm/Rasterizer.h"

class cRMFrame;

struct cRMView
{
    cMatrix WorldToCamera;
    cVec3 CameraPosition;           // in world space, for highlights
    float Front, Back;              // clipping distances along the camera's z
    float FieldX, FieldY;           // half width and half height of the view at distance 1
    float CenterX, CenterY;         // screen position of the view axis
    float PixelsPerUnit;            // screen scale at distance 1
    D3DRMRENDERQUALITY DeviceQuality;
    bool Mono;                      // lights by brightness only
    cRasterTarget Target;
};

void RMRenderTree(cRMFrame& Scene, const cRMView& View);
