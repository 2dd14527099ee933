// bench_model: builds the model from a generated script and decodes every triangle of every
// frame, as a renderer does at load time, for three mesh sizes. Reports time, the bytes of the
// mesh arrays and the peak heap use of one load (all allocations, counted by the shared heap counter).
#include <fcntl.h>
#include <unistd.h>


#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/common/HeapCount.h"
#include "model/ZentorMesh.h"
#include "tools/zgen/ZentorGen.h"

namespace
{

// Content for one size, written once under the system's temporary directory.
std::string ScriptFor(int NumFrames, int NumTris)
{
    const std::filesystem::path Root = std::filesystem::temp_directory_path() /
        ("tessaly-bench-model-" + std::to_string(getpid()) + "-" + std::to_string(NumFrames) + "x" +
         std::to_string(NumTris));
    cGenParams Params;
    Params.Name = "Bench";
    Params.NumFrames = NumFrames;
    Params.NumTris = NumTris;
    Params.NumVertices = NumTris / 2 + 2;
    Params.NumTextures = 2;
    Params.NumSequences = 4;
    return WriteModel(Root.string(), Params).ScriptPath;
}

// The diagnostic lines each load prints would swamp the report.
class cQuietStdout
{
public:
    cQuietStdout() : mSaved(dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        const int Null = open("/dev/null", O_WRONLY);
        dup2(Null, STDOUT_FILENO);
        close(Null);
    }
    ~cQuietStdout()
    {
        std::fflush(stdout);
        dup2(mSaved, STDOUT_FILENO);
        close(mSaved);
    }

private:
    int mSaved;
};

void BM_LoadAndDecode(benchmark::State& State)
{
    const int NumFrames = static_cast<int>(State.range(0));
    const int NumTris = static_cast<int>(State.range(1));
    const std::string Script = ScriptFor(NumFrames, NumTris);
    double ModelBytes = 0;
    long long PeakGrowth = 0;
    {
        cQuietStdout Quiet;
        for (auto _ : State)
        {
            const long long Before = HeapBytes.load();
            PeakHeapBytes = Before;
            cZentorMesh Model(Script.c_str(), true);
            float Sum = 0;
            for (int f = 0; f < Model.GetAnivHeader()->NumFrames; ++f)
                for (int t = 0; t < Model.GetDataHeader()->NumPolys; ++t)
                    Sum += Model.GetTriangle(f, t)->X[0];
            benchmark::DoNotOptimize(Sum);
            ModelBytes = 16.0 * Model.GetDataHeader()->NumPolys +
                         4.0 * Model.GetDataHeader()->NumVertices * Model.GetAnivHeader()->NumFrames;
            PeakGrowth = PeakHeapBytes.load() - Before;
        }
    }
    std::filesystem::remove_all(std::filesystem::path(Script).parent_path().parent_path().parent_path());
    State.counters["mesh_bytes"] = ModelBytes;
    State.counters["peak_heap_bytes"] = static_cast<double>(PeakGrowth);
    State.counters["triangles"] =
        benchmark::Counter(double(NumFrames) * NumTris, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_LoadAndDecode)->Args({50, 500})->Args({200, 2000})->Args({1000, 4000})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
