// Pictures per second of the software device at 480 x 480: a textured, lit sphere of about
// 500 or 2000 triangles filling most of the view, cleared, rendered and presented each time, with
// vertices shared between faces or, as the Direct3D renderer lays them out, three to each face.
#include "platform/rm/D3DRM.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
class cNullPresenter : public cRMPresenter
{
public:
    void Present(const std::uint32_t* XRGB, int Width, int Height) override { benchmark::DoNotOptimize(XRGB[0]); }
};

// A sphere of radius 1 with Rings x Segments x 2 triangles, wound clockwise seen from outside.
void BuildSphere(int Rings, int Segments, std::vector<D3DRMVERTEX>& Vertices, std::vector<unsigned>& Faces)
{
    const float PI = 3.14159265f;
    for (int r = 0; r <= Rings; ++r)
        for (int s = 0; s <= Segments; ++s)
        {
            const float Theta = PI * r / Rings, Phi = 2 * PI * s / Segments;
            const D3DVECTOR P = {std::sin(Theta) * std::cos(Phi), std::cos(Theta), std::sin(Theta) * std::sin(Phi)};
            Vertices.push_back({P, P, static_cast<float>(s) / Segments, static_cast<float>(r) / Rings, 0});
        }
    for (int r = 0; r < Rings; ++r)
        for (int s = 0; s < Segments; ++s)
        {
            const unsigned A = r * (Segments + 1) + s, B = A + 1, C = A + Segments + 1, D = C + 1;
            Faces.insert(Faces.end(), {A, B, C, B, D, C});
        }
}

// Three records of its own for each face, all with the normal of the face's first vertex and
// texture coordinates in whole 256ths; faces then run 0, 1, 2, ...
void SeparateFaces(std::vector<D3DRMVERTEX>& Vertices, std::vector<unsigned>& Faces)
{
    auto Steps = [](float Value) { return std::min(std::floor(Value * 256.0f), 255.0f) / 256.0f; };
    std::vector<D3DRMVERTEX> Separate;
    for (std::size_t First = 0; First < Faces.size(); First += 3)
        for (std::size_t k = 0; k < 3; ++k)
        {
            D3DRMVERTEX V = Vertices[Faces[First + k]];
            V.normal = Vertices[Faces[First]].normal;
            V.tu = Steps(V.tu);
            V.tv = Steps(V.tv);
            Separate.push_back(V);
        }
    Vertices = std::move(Separate);
    for (std::size_t i = 0; i < Faces.size(); ++i)
        Faces[i] = static_cast<unsigned>(i);
}

void DrawPictures(benchmark::State& State, bool Separate)
{
    const int Rings = static_cast<int>(State.range(0)), Segments = static_cast<int>(State.range(1));
    cNullPresenter Presenter;
    IDirectDraw* pDirectDraw = nullptr;
    IDirect3DRM* pRoot1 = nullptr;
    IDirect3DRM2* pRoot = nullptr;
    IDirectDrawClipper* pClipper = nullptr;
    IDirect3DRMDevice2* pDevice = nullptr;
    IDirect3DRMFrame2 *pScene = nullptr, *pCamera = nullptr, *pLightFrame = nullptr;
    IDirect3DRMViewport* pViewport = nullptr;
    IDirect3DRMMesh* pMesh = nullptr;
    IDirect3DRMLight *pAmbient = nullptr, *pSun = nullptr;
    IDirectDrawSurface* pSurface = nullptr;
    IDirect3DRMTexture2* pTexture = nullptr;

    DirectDrawCreate(nullptr, &pDirectDraw, nullptr);
    Direct3DRMCreate(&pRoot1);
    pRoot1->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&pRoot));
    DirectDrawCreateClipper(0, &pClipper, nullptr);
    pClipper->SetHWnd(0, &Presenter);
    pRoot->CreateFrame(nullptr, &pScene);
    pRoot->CreateFrame(pScene, &pCamera);
    pRoot->CreateFrame(pScene, &pLightFrame);
    pRoot->CreateDeviceFromClipper(pClipper, nullptr, 480, 480, &pDevice);
    pDevice->SetQuality(D3DRMRENDER_GOURAUD);
    pRoot->CreateViewport(pDevice, pCamera, 0, 0, 480, 480, &pViewport);
    pViewport->SetBack(5000.0f);
    pCamera->SetPosition(pScene, 0, 0, -3);
    pRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.8f, 0.8f, 0.8f, &pAmbient);
    pRoot->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.4f, 0.4f, 0.4f, &pSun);
    pScene->AddLight(pAmbient);
    pLightFrame->AddLight(pSun);
    pLightFrame->SetOrientation(pScene, 0, 0, 1, 0, 1, 0);

    DDSURFACEDESC Desc = {};
    Desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    Desc.dwWidth = Desc.dwHeight = 256;
    Desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    pDirectDraw->CreateSurface(&Desc, &pSurface, nullptr);
    pSurface->Lock(nullptr, &Desc, 0, nullptr);
    auto* p = static_cast<std::uint8_t*>(Desc.lpSurface);
    for (int i = 0; i < 256 * 256 * 3; ++i)
        p[i] = static_cast<std::uint8_t>(i * 7);
    pSurface->Unlock(nullptr);
    pRoot->CreateTextureFromSurface(pSurface, &pTexture);

    std::vector<D3DRMVERTEX> Vertices;
    std::vector<unsigned> Faces;
    BuildSphere(Rings, Segments, Vertices, Faces);
    if (Separate)
        SeparateFaces(Vertices, Faces);
    pRoot->CreateMesh(&pMesh);
    D3DRMGROUPINDEX Group = -1;
    pMesh->AddGroup(static_cast<unsigned>(Vertices.size()), static_cast<unsigned>(Faces.size() / 3), 3, Faces.data(),
                    &Group);
    pMesh->SetVertices(Group, 0, static_cast<unsigned>(Vertices.size()), Vertices.data());
    pMesh->SetGroupTexture(Group, pTexture);
    pMesh->SetGroupQuality(Group, D3DRMRENDER_FLAT);
    pScene->AddVisual(pMesh);

    for (auto _ : State)
    {
        pViewport->Clear();
        pViewport->Render(pScene);
        pDevice->Update();
    }
    State.counters["triangles"] = static_cast<double>(Faces.size() / 3);
    State.counters["pictures_per_second"] = benchmark::Counter(static_cast<double>(State.iterations()),
                                                               benchmark::Counter::kIsRate);

    for (IRMUnknown* pObject : std::vector<IRMUnknown*>{pMesh, pTexture, pSurface, pSun, pAmbient, pViewport, pDevice,
                                                         pLightFrame, pCamera, pScene, pClipper, pRoot, pRoot1,
                                                         pDirectDraw})
        pObject->Release();
}

void BM_SoftwareDevicePicture(benchmark::State& State)
{
    DrawPictures(State, false);
}

void BM_SoftwareDevicePictureSeparateFaces(benchmark::State& State)
{
    DrawPictures(State, true);
}
}

// Rings x segments x 2: 500 and 2000 triangles, about half of them facing the camera.
BENCHMARK(BM_SoftwareDevicePicture)->Args({10, 25})->Args({20, 50})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoftwareDevicePictureSeparateFaces)->Args({20, 50})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
