// One undo step is a copy of the whole configuration. This counts the bytes
// it takes (the object and every name's heap text) with names long enough
// to leave the strings' inline buffer, and times recording one step.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "model/config_history.h"

namespace {
std::atomic<std::size_t> allocated{0};
}  // namespace

// Counts every allocation of this program (a measuring hook only).
void* operator new(std::size_t size) {
    allocated += size;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace kvtk {
namespace {

// Every input, group and address named, 24 characters each.
Configuration FullyNamed() {
    Configuration c;
    for (auto& input : c.Inputs) input.Name = std::string(24, 'i');
    for (auto& group : c.Groups) group.Name = std::string(24, 'g');
    for (auto& entry : c.AddressTable) entry.Name = std::string(24, 'a');
    return c;
}

void BM_RecordOneStep(benchmark::State& state) {
    Configuration config = FullyNamed();
    ConfigHistory history(config);
    std::size_t bytes = 0;
    int n = 0;
    for (auto _ : state) {
        config.Inputs[1].Name =
            (++n % 2) ? "odd name that is long enough" : "even name, also long enough";
        const std::size_t before = allocated;
        history.Record(config, "Edit of Input 1 name");
        bytes = allocated - before;
    }
    // Once the history is full, each step allocates one snapshot's heap part.
    state.counters["heap_bytes_per_step"] = static_cast<double>(bytes);
    state.counters["snapshot_object_bytes"] = static_cast<double>(sizeof(Configuration));
    state.counters["steps_kept"] = static_cast<double>(history.UndoCount());
}
BENCHMARK(BM_RecordOneStep)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace
}  // namespace kvtk

BENCHMARK_MAIN();
