// bench_export: loads a generated model and writes it as binary glTF, as tessaly-export does,
// for 200 x 2000 and 1000 x 4000 (frames x triangles). Reports time, the peak heap use of one
// export (operator new only, counted by the shared heap counter) and the size of the file.
#include <unistd.h>

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/common/BenchModels.h"
#include "bench/common/HeapCount.h"
#include "model/ImportOutput.h"
#include "model/ZentorMesh.h"
#include "export/ModelExport.h"

namespace
{
void DropLine(const char*) {}

void BM_ExportGlb(benchmark::State& State)
{
    const std::filesystem::path Root = std::filesystem::temp_directory_path() /
                                       ("tessaly-bench-export-" + std::to_string(getpid()));
    const std::string Script = BenchModelScript(Root.string(), static_cast<int>(State.range(0)),
                                                static_cast<int>(State.range(1)));
    const std::string Output = (Root / "out.glb").string();
    SetImportOutput(DropLine);
    long long PeakGrowth = 0;
    for (auto _ : State)
    {
        const long long Before = HeapBytes.load();
        PeakHeapBytes = Before;
        cZentorMesh Model(Script.c_str(), true);
        ExportModel(Model, Output, cExportSettings());
        PeakGrowth = PeakHeapBytes.load() - Before;
    }
    SetImportOutput(nullptr);
    State.counters["peak_heap_MiB"] = static_cast<double>(PeakGrowth) / (1024.0 * 1024.0);
    State.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(Output)) / (1024.0 * 1024.0);
    std::filesystem::remove(Output);
}
}

BENCHMARK(BM_ExportGlb)->Args({200, 2000})->Args({1000, 4000})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
