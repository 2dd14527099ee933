// Renderer benchmarks on the offscreen context: preparing a model's display lists (time and
// the memory they hold), and drawing one picture for the all-polygons and a type filter, with
// texture objects and, for comparison, with texture lists that re-specify the image each call.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "bench/common/BenchModels.h"
#include "model/ZentorMesh.h"
#include "load/ModelLoad.h"
#include "platform/offscreen/OffscreenGL.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/View.h"
#include "render/ViewState.h"

namespace
{
std::unique_ptr<cOffscreenGL> TheGL;
std::string ContentRoot;

// Resident memory of this process in MiB.
double ResidentMiB()
{
    long Pages = 0, Resident = 0;
    if (std::FILE* pFile = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(pFile, "%ld %ld", &Pages, &Resident) != 2)
            Resident = 0;
        std::fclose(pFile);
    }
    return Resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void LoadModel(int Frames, int Tris)
{
    ReleaseModel();
    const std::string& Script = BenchModelScript(ContentRoot, Frames, Tris);
    TheModel = new cZentorMesh(Script.c_str(), true);
}

// Texture lists as a re-specifying design would compile them: the whole image copied into
// each list and uploaded again whenever a frame list calls it.
void RespecifyingTextureLists()
{
    for (int TextureNum = 0; TextureNum < MAX_TEXTURES; ++TextureNum)
    {
        const std::uint8_t* pPixels = TheModel->GetTexture(TextureNum);
        glNewList(TEXTURE_LIST_BASE + TextureNum, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        if (pPixels)
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pPixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glEndList();
    }
}

void BM_GLBuildModel(benchmark::State& State)
{
    const int Frames = static_cast<int>(State.range(0));
    const int Tris = static_cast<int>(State.range(1));
    LoadModel(Frames, Tris);
    for (auto _ : State)
    {
        State.PauseTiming();
        // Start from no frames, as after the load flow's release.
        for (cGLFrame*& pFrame : GLFrames)
        {
            delete pFrame;
            pFrame = nullptr;
        }
        glFinish();
        State.ResumeTiming();
        GLBuildModel("bench");
        glFinish();
    }
    // Resident memory with the model's lists in place (process-wide; the whole-process peak
    // is measured by process_bench.sh).
    State.counters["rss_MiB"] = ResidentMiB();
    ReleaseModel();
}

void DrawBench(benchmark::State& State, bool bRespecify)
{
    const int Frames = static_cast<int>(State.range(0));
    const int Tris = static_cast<int>(State.range(1));
    View.PolygonFilter = static_cast<ePolygonFilter>(State.range(2));
    LoadModel(Frames, Tris);
    GLBuildModel("bench");
    if (bRespecify)
        RespecifyingTextureLists();
    ResizeView(480, 480);
    View.CurrentFrame = View.SequenceStart = 0;
    View.SequenceLength = Frames < MAX_FRAMES ? Frames : MAX_FRAMES;
    View.LoopAnimation = true;
    for (auto _ : State)
    {
        GLDrawFrame();
        glFinish();
    }
    View.LoopAnimation = false;
    View.PolygonFilter = ePolygonFilter::All;
    ReleaseModel();
}

void BM_Draw(benchmark::State& State)
{
    DrawBench(State, false);
}

void BM_DrawRespecifyingTextures(benchmark::State& State)
{
    DrawBench(State, true);
}

void Sizes(benchmark::internal::Benchmark* pBench)
{
    pBench->Args({50, 500})->Args({200, 2000})->Args({1000, 4000});
}

void DrawSizes(benchmark::internal::Benchmark* pBench)
{
    for (int Filter : {0, 3})
        pBench->Args({50, 500, Filter})->Args({200, 2000, Filter})->Args({1000, 4000, Filter});
}
}

BENCHMARK(BM_GLBuildModel)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Draw)->Apply(DrawSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawRespecifyingTextures)->Apply(DrawSizes)->Unit(benchmark::kMillisecond);

int main(int Argc, char** Argv)
{
    char Template[] = "/tmp/tessaly-bench-XXXXXX";
    if (!mkdtemp(Template))
        return 1;
    ContentRoot = Template;
    TheGL = std::make_unique<cOffscreenGL>(480, 480);
    GLInitState();
    GLInitTexturing();
    std::printf("GL renderer: %s\n", TheGL->GetRendererString().c_str());
    benchmark::Initialize(&Argc, Argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseModel();
    TheGL.reset();
    std::filesystem::remove_all(ContentRoot);
    return 0;
}
