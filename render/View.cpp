// The model's placement in front of the eye, shared by both renderers.
#include "render/View.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/FrameGeometry.h"
#include "render/RenderHooks.h"
#include "render/Renderer.h"

cModelPlacement Placement;

namespace
{
// The z bounds count in whole units: the fraction is dropped before the distances are taken.
double WholeDepth(float Z)
{
    return std::fabs(std::trunc(static_cast<double>(Z)));
}
}  // namespace

double BaseViewDistance()
{
    return WholeDepth(Placement.ModelBounds.MaxZ) + 100.0;
}

double FarPlaneDistance()
{
    // A hundred times the model's depth, but at least twice as far as the model's origin: a
    // model under a unit or two deep would otherwise lie beyond the plane, or the plane would
    // fall before the near one and flatten every depth.
    const double ZMin = WholeDepth(Placement.ModelBounds.MinZ);
    const double ZMax = WholeDepth(Placement.ModelBounds.MaxZ);
    return std::max((ZMin + ZMax) * 100.0, 2.0 * (ZMax + 100.0));
}

void ResizeView(int Width, int Height)
{
    View.ClientWidth = Width;
    View.ClientHeight = Height;
    ActiveRenderer().Resize(Width, Height);
}

int FinishModelBuild(const cFrameGeometry* pFrameZero, const char* pszScript)
{
    if (pFrameZero)
    {
        cModelBounds& Bounds = Placement.ModelBounds;
        pFrameZero->GetBounds(Bounds.MinX, Bounds.MaxX, Bounds.MinY, Bounds.MaxY, Bounds.MinZ,
                              Bounds.MaxZ);
        return 0;
    }
    const std::string Text = std::string("The file ") + (pszScript ? pszScript : "") +
                             " does not contain any mesh information.";
    ShowRendererMessage(Text.c_str(), "Error");
    return 1;
}

void ResetModelPlacement()
{
    Placement = cModelPlacement{};
}
