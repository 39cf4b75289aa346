// Times SaveFileAtomically of a full configuration (every input and group
// named) over an existing file, in a folder of the system's temporary
// location or in the folder given by KVTK_BENCH_DIR (the disk that matters:
// a save's cost is mostly the syncs).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "files/config_writer.h"
#include "files/safe_save.h"

namespace kvtk {
namespace {

namespace fs = std::filesystem;

std::string FullFileText() {
    Configuration c;
    c.Panel.NumInputs = "120";
    for (auto& input : c.Inputs) input.Name = std::string(24, 'i');
    for (auto& group : c.Groups) group.Name = std::string(24, 'g');
    return ConfigFileText(c, {"12-06-26", "14:05:00", "benchmark"});
}

fs::path BenchFolder() {
    const char* chosen = std::getenv("KVTK_BENCH_DIR");
    fs::path folder = chosen ? fs::path(chosen) : fs::temp_directory_path() / "kvtk-save-bench";
    fs::create_directories(folder);
    return folder;
}

void BM_SaveWholeConfiguration(benchmark::State& state) {
    const std::string text = FullFileText();
    const fs::path target = BenchFolder() / "plan.kvx";
    for (auto _ : state) {
        const FileResult result = SaveFileAtomically(target.string(), text);
        if (!result.Ok()) state.SkipWithError(result.Message.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["file_bytes"] = static_cast<double>(text.size());
    fs::remove(target);
}
BENCHMARK(BM_SaveWholeConfiguration)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kvtk

BENCHMARK_MAIN();
