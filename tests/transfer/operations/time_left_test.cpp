#include "transfer/operations/time_left.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

using Clock = std::chrono::steady_clock;

// The time left is the commands still to send at the rate so far; a step
// that carries its commands counts them, any other step counts itself.
TEST(TimeLeftEstimate, RemainingUnitsAtTheMeasuredRate) {
    const struct {
        const char* name;
        int atMs;  // when the step is done, from the start
        OperationStep step;
        const char* text;
        int percent;
    } cases[] = {
        {"nothing measured yet", 0, {OperationKind::Read, "", 1, 10, 0, 0}, "Step 1 of 10", 10},
        {"steps as units",
         2000,
         {OperationKind::Read, "", 4, 10, 0, 0},
         "Step 4 of 10, about 3 s left",
         40},
        {"commands as units",
         3000,
         {OperationKind::Write, "", 2, 100, 30, 40},
         "Step 2 of 100, about 1 s left",
         75},
        {"minutes",
         6000,
         {OperationKind::Read, "", 2, 100, 0, 0},
         "Step 2 of 100, about 4 min 54 s left",
         2},
        {"total not known", 1000, {OperationKind::Read, "", 3, 0, 0, 0}, "Step 3", 0},
        {"past the total",
         1000,
         {OperationKind::Write, "", 9, 9, 12, 10},
         "Step 9 of 9, about 0 s left",
         100},
    };
    for (const auto& c : cases) {
        Clock::time_point now{};
        TimeLeftEstimate estimate([&now] { return now; });
        estimate.Started({c.step.Kind, c.step.Of});
        now += std::chrono::milliseconds(c.atMs);
        estimate.StepDone(c.step);
        EXPECT_EQ(estimate.Text(), c.text) << c.name;
        EXPECT_EQ(estimate.Percent(), c.percent) << c.name;
    }
}

}  // namespace
}  // namespace kvtk
