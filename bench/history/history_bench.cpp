// One undo step is a copy of the whole configuration. This counts the bytes
// a copy takes (the object and the heap text of every string longer than the
// strings' inline buffer) with every name 24 characters long, and times
// recording one step.
#include <benchmark/benchmark.h>

#include "model/config_history.h"

namespace kvtk {
namespace {

std::size_t HeapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t SnapshotBytes(const Configuration& c) {
    std::size_t bytes = sizeof(Configuration);
    for (const auto& input : c.Inputs) bytes += HeapBytes(input.Name);
    for (const auto& group : c.Groups) bytes += HeapBytes(group.Name);
    for (const auto& entry : c.AddressTable)
        bytes += HeapBytes(entry.Name) + HeapBytes(entry.Identity.Model) +
                 HeapBytes(entry.Identity.Version) + HeapBytes(entry.Strange);
    const PanelConfig& p = c.Panel;
    bytes += p.EnergizeList.capacity() * sizeof(std::string);
    for (const auto& text : p.EnergizeList) bytes += HeapBytes(text);
    for (const std::string* text :
         {&p.DeviceName, &p.Address, &p.NumInputs, &p.NumRelays, &p.OnTimeAfterFlash,
          &p.FlashOffTime, &p.RelayRefresh, &p.RelayEnergize, &p.UnitsAt0V, &p.UnitsAt5V})
        bytes += HeapBytes(*text);
    return bytes;
}

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
    int n = 0;
    for (auto _ : state) {
        config.Inputs[1].Name = (++n % 2) ? "odd name, long enough to be on the heap"
                                          : "even name, long enough to be on the heap";
        history.Record(config, "Edit of Input 1 name");
    }
    const double step = static_cast<double>(SnapshotBytes(config));
    state.counters["bytes_per_step"] = step;
    state.counters["bytes_for_100_steps"] = step * ConfigHistory::kDefaultLimit;
    state.counters["steps_kept"] = static_cast<double>(history.UndoCount());
}
BENCHMARK(BM_RecordOneStep)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace
}  // namespace kvtk

BENCHMARK_MAIN();
