// Where the model stands in front of the eye, for both renderers: frame 0's bounds, the
// distance they give, the far plane, the one resize handler, and the end of every model build.
#pragma once

class cFrameGeometry;

// Bounding box of frame 0 of the model last prepared by either renderer; all zero before any.
struct cModelBounds
{
    float MinX, MaxX, MinY, MaxY, MinZ, MaxZ;
};

struct cModelPlacement
{
    cModelBounds ModelBounds{};
    // Distance of the model's origin in front of the eye before the user's offset. ResizeView
    // sets it: |trunc(MaxZ)| + 100 for OpenGL, its negative for Direct3D.
    float ViewDistance = 0.0f;
};
extern cModelPlacement Placement;

// |trunc(MaxZ)| + 100 for the model in ModelBounds: how far in front of the eye its origin
// stands, whatever sign the active renderer gives the distance.
double BaseViewDistance();
// Distance from the eye of the far clipping plane for the model in ModelBounds: a hundred
// times its depth in whole units, and at least twice the model's distance. Both renderers
// use it.
double FarPlaneDistance();
// Records the client size in View.ClientWidth and View.ClientHeight, then the active renderer sets its
// projection and ViewDistance for it.
void ResizeView(int Width, int Height);
// The end of building a model, in either renderer: frame 0's bounds into ModelBounds and 0;
// without a frame 0 the user is told "The file <pszScript> does not contain any mesh
// information." and 1 comes back, the bounds left as they were.
int FinishModelBuild(const cFrameGeometry* pFrameZero, const char* pszScript);
// Placement back to zero, as at program start (ResetViewState calls it).
void ResetModelPlacement();
