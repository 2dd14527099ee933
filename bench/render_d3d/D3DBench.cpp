// Direct3D renderer benchmarks on the software device: building a model's textures and
// per-frame meshes (time, and the memory the build needs at its peak and keeps), and drawing
// one 480 x 480 picture through the device into an in-memory window.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "bench/common/BenchModels.h"
#include "bench/common/HeapCount.h"
#include "model/ZentorMesh.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "load/ModelLoad.h"
#include "render/Renderer.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DRenderer.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DViewer.h"

namespace
{
std::string ContentRoot;
cHeadlessWindowSystem* TheSystem = nullptr;

constexpr double MIB = 1024.0 * 1024.0;

// Peak resident memory of the process since the last ResetPeakResident, in MiB.
double PeakResidentMiB()
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmHWM:", 0) == 0)
            return std::atof(Line.c_str() + 6) / 1024.0;
    return 0;
}

// Lowers the peak resident mark to the memory resident now.
void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void LoadModel(int Frames, int Tris)
{
    ReleaseModel();
    const std::string& Script = BenchModelScript(ContentRoot, Frames, Tris);
    // The import's diagnostic lines would swamp the report.
    std::fflush(stdout);
    const int Saved = dup(STDOUT_FILENO);
    const int Null = open("/dev/null", O_WRONLY);
    dup2(Null, STDOUT_FILENO);
    close(Null);
    TheModel = new cZentorMesh(Script.c_str(), false);
    std::fflush(stdout);
    dup2(Saved, STDOUT_FILENO);
    close(Saved);
}

void BM_D3DBuildModel(benchmark::State& State)
{
    LoadModel(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)));
    long long PeakGrowth = 0, Kept = 0;
    double PeakResident = 0;
    for (auto _ : State)
    {
        State.PauseTiming();
        // Start from no frames, as after the load flow's release.
        for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
            D3DReleaseFrame(Frame);
        malloc_trim(0);
        const long long Before = HeapBytes.load();
        PeakHeapBytes = Before;
        ResetPeakResident();
        State.ResumeTiming();
        D3DBuildModel("bench");
        State.PauseTiming();
        PeakGrowth = PeakHeapBytes.load() - Before;
        Kept = HeapBytes.load() - Before;
        PeakResident = PeakResidentMiB();
        State.ResumeTiming();
    }
    // The build's own heap: its peak above what the model held before, and what the frames
    // and textures keep afterwards; and the whole process's peak resident memory.
    State.counters["peak_heap_MiB"] = static_cast<double>(PeakGrowth) / MIB;
    State.counters["kept_heap_MiB"] = static_cast<double>(Kept) / MIB;
    State.counters["peak_rss_MiB"] = PeakResident;
    ReleaseModel();
}

void BM_D3DDraw(benchmark::State& State)
{
    const int Frames = static_cast<int>(State.range(0));
    View.PolygonFilter = static_cast<ePolygonFilter>(State.range(2));
    LoadModel(Frames, static_cast<int>(State.range(1)));
    D3DBuildModel("bench");
    ResizeView(480, 480);
    View.CurrentFrame = View.SequenceStart = 0;
    View.SequenceLength = Frames;
    View.LoopAnimation = true;
    const int PresentsBefore = TheSystem->mPresentCount;
    for (auto _ : State)
        D3DDrawFrame();
    if (TheSystem->mPresentCount - PresentsBefore != static_cast<int>(State.iterations()))
        State.SkipWithError("a picture was not presented");
    View.LoopAnimation = false;
    View.PolygonFilter = ePolygonFilter::All;
    ReleaseModel();
}

std::intptr_t QuietWindowProc(HWindow, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}
}  // namespace

BENCHMARK(BM_D3DBuildModel)
    ->Args({50, 500})
    ->Args({200, 2000})
    ->Args({1000, 4000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_D3DDraw)->Args({50, 2000, 0})->Args({50, 2000, 3})->Unit(benchmark::kMillisecond);

int main(int Argc, char** Argv)
{
    char Template[] = "/tmp/tessaly-bench-d3d-XXXXXX";
    if (!mkdtemp(Template))
        return 1;
    ContentRoot = Template;

    // A main window whose client area is 480 x 480, the viewer on it, and the first device
    // chosen in its chooser.
    RegisterD3DRenderer();
    SelectRenderer(eRenderMode::Direct3D);
    auto pSystem = std::make_unique<cHeadlessWindowSystem>();
    TheSystem = pSystem.get();
    tMainWindowDesc Desc;
    Desc.pInstance = &AppResources();
    Desc.Proc = QuietWindowProc;
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.Width = Desc.Height = 480;
    int Width = 0, Height = 0;
    {
        // The window's frame takes room from its outer size; a scratch window measures it.
        cHeadlessWindowSystem Scratch;
        Scratch.GetClientSize(Scratch.CreateMainWindow(Desc), Width, Height);
    }
    Desc.Width += 480 - Width;
    Desc.Height += 480 - Height;
    const HWindow Window = TheSystem->CreateMainWindow(Desc);
    TheD3DViewer = new cD3DViewer(*TheSystem, Window, &AppResources());
    TheSystem->mDialogScripts.push_back({{WM_COMMAND, IDOK, 0}});
    if (!TheD3DViewer->ChooseDevice())
        return 1;
    TheD3DViewer->AttachToWindow();
    std::printf("device: %s\n", TheD3DViewer->GetDeviceName(TheD3DViewer->GetDeviceIndex()));

    benchmark::Initialize(&Argc, Argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseModel();
    delete TheD3DViewer;
    TheD3DViewer = nullptr;
    TheSystem->DestroyWindow(Window);
    pSystem.reset();
    std::filesystem::remove_all(ContentRoot);
    return 0;
}
