// Draws a frame tree through a camera: transforms, lighting, culling, clipping to the view
// volume and projection, handing the primitives to the rasterizer.
#include "platform/rm/RMRender.h"

#include "platform/rm/RMFrame.h"
#include "platform/rm/RMLighting.h"
#include "platform/rm/RMMesh.h"
#include "platform/rm/RMTexture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
struct cDirectional
{
    cVec3 Direction;  // the way the light travels, unit length
    cVec3 Color;
};

struct cLights
{
    cVec3 Ambient;
    std::vector<cDirectional> Directional;
};

// A vertex in camera space with its texture coordinates and colour.
struct cClipVertex
{
    cVec3 P;
    float U, V;
    cVec3 Color;
};

const int MAX_CLIP_VERTICES = 16;
const unsigned CHUNK_VERTICES = 96;

cVec3 LightColor(const cRMLight& Light, bool Mono)
{
    if (!Mono)
        return {Light.mRed, Light.mGreen, Light.mBlue};
    const float Grey = (Light.mRed + Light.mGreen + Light.mBlue) / 3.0f;
    return {Grey, Grey, Grey};
}

void CollectLights(const cRMFrame& Frame, const cMatrix& World, bool Mono, cLights& Lights)
{
    for (IDirect3DRMLight* pInterface : Frame.GetLights())
    {
        const cRMLight* pLight = dynamic_cast<const cRMLight*>(pInterface);
        if (!pLight)
            continue;
        const cVec3 Color = LightColor(*pLight, Mono);
        if (pLight->GetTypeValue() == D3DRMLIGHT_AMBIENT)
            Lights.Ambient = Lights.Ambient + Color;
        else if (pLight->GetTypeValue() == D3DRMLIGHT_DIRECTIONAL)
            Lights.Directional.push_back({Normalize(TransformVector({0, 0, 1}, World)), Color});
    }
    for (const cRMFrame* pChild : Frame.GetChildren())
        CollectLights(*pChild, Multiply(pChild->GetLocal(), World), Mono, Lights);
}

cVec3 ClampColor(cVec3 C)
{
    return {Clamp01(C.X), Clamp01(C.Y), Clamp01(C.Z)};
}

// Colour of a vertex: emissive + colour x (ambient + diffuse) + highlights.
cVec3 LightVertex(const cVec3& Position, const cVec3& Normal, const cVec3& Base, const cRMMaterial* pMaterial,
                  const cLights& Lights, const cRMView& View)
{
    cVec3 Diffuse = Lights.Ambient;
    cVec3 Specular;
    const bool Shiny = pMaterial && (pMaterial->mSpecular[0] > 0 || pMaterial->mSpecular[1] > 0 || pMaterial->mSpecular[2] > 0);
    const cVec3 ToEye = Normalize(View.CameraPosition - Position);
    for (const cDirectional& Light : Lights.Directional)
    {
        const cVec3 ToLight = Light.Direction * -1.0f;
        const float Facing = Dot(Normal, ToLight);
        if (Facing <= 0)
            continue;
        Diffuse = Diffuse + Light.Color * Facing;
        if (Shiny)
        {
            const float Highlight = std::pow(std::max(0.0f, Dot(Normal, Normalize(ToLight + ToEye))), pMaterial->mPower);
            Specular = Specular + Light.Color * Highlight;
        }
    }
    cVec3 Color = {Base.X * Diffuse.X, Base.Y * Diffuse.Y, Base.Z * Diffuse.Z};
    if (pMaterial)
    {
        Color = Color + cVec3{pMaterial->mEmissive[0], pMaterial->mEmissive[1], pMaterial->mEmissive[2]};
        Color = Color + cVec3{pMaterial->mSpecular[0] * Specular.X, pMaterial->mSpecular[1] * Specular.Y,
                              pMaterial->mSpecular[2] * Specular.Z};
    }
    return ClampColor(Color);
}

// Signed distances to the six planes of the view volume; inside is positive.
float PlaneDistance(int Plane, const cVec3& P, const cRMView& View)
{
    switch (Plane)
    {
    case 0: return P.Z - View.Front;
    case 1: return View.Back - P.Z;
    case 2: return P.Z * View.FieldX + P.X;
    case 3: return P.Z * View.FieldX - P.X;
    case 4: return P.Z * View.FieldY + P.Y;
    default: return P.Z * View.FieldY - P.Y;
    }
}

cClipVertex Lerp(const cClipVertex& A, const cClipVertex& B, float T)
{
    return {A.P + (B.P - A.P) * T, A.U + (B.U - A.U) * T, A.V + (B.V - A.V) * T, A.Color + (B.Color - A.Color) * T};
}

// Cuts the polygon down to the view volume; returns the new vertex count.
int ClipPolygon(cClipVertex* pPolygon, int Count, const cRMView& View)
{
    cClipVertex Scratch[MAX_CLIP_VERTICES];
    for (int Plane = 0; Plane < 6 && Count > 0; ++Plane)
    {
        int Out = 0;
        for (int i = 0; i < Count; ++i)
        {
            const cClipVertex& A = pPolygon[i];
            const cClipVertex& B = pPolygon[(i + 1) % Count];
            const float DA = PlaneDistance(Plane, A.P, View), DB = PlaneDistance(Plane, B.P, View);
            // The room check only matters for rounding at near-zero distances.
            if (DA >= 0 && Out < MAX_CLIP_VERTICES)
                Scratch[Out++] = A;
            if ((DA >= 0) != (DB >= 0) && Out < MAX_CLIP_VERTICES)
                Scratch[Out++] = Lerp(A, B, DA / (DA - DB));
        }
        std::copy(Scratch, Scratch + Out, pPolygon);
        Count = Out;
    }
    return Count;
}

// Cuts a segment to the view volume; false when nothing is left.
bool ClipSegment(cClipVertex& A, cClipVertex& B, const cRMView& View)
{
    float T0 = 0, T1 = 1;
    for (int Plane = 0; Plane < 6; ++Plane)
    {
        const float DA = PlaneDistance(Plane, A.P, View), DB = PlaneDistance(Plane, B.P, View);
        if (DA < 0 && DB < 0)
            return false;
        if (DA < 0)
            T0 = std::max(T0, DA / (DA - DB));
        else if (DB < 0)
            T1 = std::min(T1, DA / (DA - DB));
    }
    if (T0 > T1)
        return false;
    const cClipVertex NewA = Lerp(A, B, T0), NewB = Lerp(A, B, T1);
    A = NewA;
    B = NewB;
    return true;
}

cRasterVertex Project(const cClipVertex& V, const cRMView& View)
{
    const float InvZ = 1.0f / V.P.Z;
    return {View.CenterX + V.P.X * InvZ * View.PixelsPerUnit,
            View.CenterY - V.P.Y * InvZ * View.PixelsPerUnit,
            InvZ,
            V.U * InvZ,
            V.V * InvZ,
            V.Color.X * InvZ,
            V.Color.Y * InvZ,
            V.Color.Z * InvZ};
}

// Normals follow the inverse transpose of the transform, so scaled or mirrored space keeps them
// perpendicular.
cVec3 TransformNormal(const cVec3& N, const cMatrix& Inverse)
{
    return Normalize({N.X * Inverse.M[0][0] + N.Y * Inverse.M[0][1] + N.Z * Inverse.M[0][2],
                      N.X * Inverse.M[1][0] + N.Y * Inverse.M[1][1] + N.Z * Inverse.M[1][2],
                      N.X * Inverse.M[2][0] + N.Y * Inverse.M[2][1] + N.Z * Inverse.M[2][2]});
}

bool IsFinite(const cVec3& P)
{
    return std::isfinite(P.X) && std::isfinite(P.Y) && std::isfinite(P.Z);
}

void DrawFace(const cClipVertex* pFace, int Count, std::uint32_t Fill, const cRasterState& State, const cRMView& View)
{
    // Positions that are not numbers cannot be clipped or placed on the screen.
    for (int i = 0; i < Count; ++i)
        if (!IsFinite(pFace[i].P))
            return;
    // Clockwise on screen faces the camera: the face normal then points back toward the eye.
    const cVec3 Normal = Cross(pFace[1].P - pFace[0].P, pFace[2].P - pFace[0].P);
    if (Dot(Normal, pFace[0].P) >= 0)
        return;
    if (Fill == D3DRMFILL_SOLID)
    {
        cClipVertex Polygon[MAX_CLIP_VERTICES];
        std::copy(pFace, pFace + Count, Polygon);
        const int Clipped = ClipPolygon(Polygon, Count, View);
        if (Clipped < 3)
            return;
        const cRasterVertex First = Project(Polygon[0], View);
        cRasterVertex Previous = Project(Polygon[1], View);
        for (int i = 2; i < Clipped; ++i)
        {
            const cRasterVertex Next = Project(Polygon[i], View);
            RasterTriangle(View.Target, State, First, Previous, Next);
            Previous = Next;
        }
    }
    else if (Fill == D3DRMFILL_WIREFRAME)
    {
        for (int i = 0; i < Count; ++i)
        {
            cClipVertex A = pFace[i], B = pFace[(i + 1) % Count];
            if (ClipSegment(A, B, View))
                RasterLine(View.Target, State, Project(A, View), Project(B, View));
        }
    }
    else
    {
        for (int i = 0; i < Count; ++i)
            if (PlaneDistance(0, pFace[i].P, View) >= 0 && PlaneDistance(1, pFace[i].P, View) >= 0)
                RasterPoint(View.Target, State, Project(pFace[i], View));
    }
}

void DrawMesh(cRMMesh& Mesh, const cMatrix& World, bool DepthTest, const cLights& Lights, const cRMView& View)
{
    const D3DVECTOR S = Mesh.GetScale();
    const cMatrix ToCamera = Multiply(World, View.WorldToCamera);
    const cMatrix WorldInverse = Inverse(World);
    std::vector<cClipVertex> Vertices;
    for (const cRMMesh::cGroup& Group : Mesh.GetGroups())
    {
        const std::uint32_t Fill = std::min(Group.Quality & D3DRMFILL_MASK, View.DeviceQuality & D3DRMFILL_MASK);
        const bool Gouraud = (Group.Quality & D3DRMSHADE_MASK) != D3DRMSHADE_FLAT &&
                             (View.DeviceQuality & D3DRMSHADE_MASK) != D3DRMSHADE_FLAT;
        const bool Lit = (Group.Quality & D3DRMLIGHT_MASK) == D3DRMLIGHT_ON &&
                         (View.DeviceQuality & D3DRMLIGHT_MASK) == D3DRMLIGHT_ON;
        const cRMMaterial* pMaterial = dynamic_cast<const cRMMaterial*>(Group.Material.Get());
        cRMTexture* pTexture = dynamic_cast<cRMTexture*>(Group.Texture.Get());
        const cRasterState State = {pTexture ? pTexture->GetTexels() : nullptr, Gouraud, DepthTest};
        const cVec3 Base = {Group.Red, Group.Green, Group.Blue};

        // Records are read a few at a time so no copy of the whole group is made.
        const cRMGroupData& Data = Group.Data;
        Vertices.resize(Data.GetVertexCount());
        D3DRMVERTEX Chunk[CHUNK_VERTICES];
        for (unsigned First = 0; First < Data.GetVertexCount(); First += CHUNK_VERTICES)
        {
            const unsigned Count = std::min(CHUNK_VERTICES, Data.GetVertexCount() - First);
            Data.Read(First, Count, Chunk);
            for (unsigned k = 0; k < Count; ++k)
            {
                const D3DRMVERTEX& In = Chunk[k];
                const cVec3 Position = {In.position.x * S.x, In.position.y * S.y, In.position.z * S.z};
                cClipVertex& Out = Vertices[First + k];
                Out.P = TransformPoint(Position, ToCamera);
                Out.U = In.tu;
                Out.V = In.tv;
                Out.Color = Base;
                if (Lit)
                {
                    const cVec3 Normal = TransformNormal(
                        Normalize({In.normal.x / S.x, In.normal.y / S.y, In.normal.z / S.z}), WorldInverse);
                    Out.Color = LightVertex(TransformPoint(Position, World), Normal, Base, pMaterial, Lights, View);
                }
            }
        }
        cClipVertex Face[3];
        unsigned Indices[3];
        for (unsigned f = 0; f < Data.GetFaceCount(); ++f)
        {
            Data.GetFace(f, Indices);
            for (std::size_t k = 0; k < 3; ++k)
                Face[k] = Vertices[Indices[k]];
            if (!Gouraud)
                Face[1].Color = Face[2].Color = Face[0].Color;
            DrawFace(Face, 3, Fill, State, View);
        }
    }
}

void DrawTree(cRMFrame& Frame, const cMatrix& World, const cLights& Lights, const cRMView& View)
{
    const bool DepthTest = Frame.IsZbufferEnabled();
    for (IDirect3DRMVisual* pVisual : Frame.GetVisuals())
        if (cRMMesh* pMesh = dynamic_cast<cRMMesh*>(pVisual))
            DrawMesh(*pMesh, World, DepthTest, Lights, View);
    for (cRMFrame* pChild : Frame.GetChildren())
        DrawTree(*pChild, Multiply(pChild->GetLocal(), World), Lights, View);
}
}

void RMRenderTree(cRMFrame& Scene, const cRMView& View)
{
    const cMatrix World = Scene.GetWorld();
    cLights Lights;
    CollectLights(Scene, World, View.Mono, Lights);
    DrawTree(Scene, World, Lights, View);
}
