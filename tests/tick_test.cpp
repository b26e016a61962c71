// The tick's arithmetic, case by case: each row starts from a state, applies
// one command (or none) before the first tick, and lists the slots the
// following ticks must show.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/tick.h"
#include "tests/fake_platform.h"
#include "view/form1.h"

namespace {

struct TickCase {
    std::string name;
    AnimationState start;
    std::vector<int> slots;  // what the next ticks show
    AnimationState end;      // n, m, mm after the last tick
};

AnimationState running_at(int l, std::int16_t n = 1, std::int16_t m = 0, std::int16_t mm = 0, std::int16_t hl = 0) {
    AnimationState s;
    s.l = static_cast<std::int16_t>(l);
    s.n = n;
    s.m = m;
    s.mm = mm;
    s.hl = hl;
    return s;
}

void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class TickTable : public testing::TestWithParam<TickCase> {};

TEST_P(TickTable, ShowsTheSlotsInOrder) {
    const TickCase& c = GetParam();
    AnimationState s = c.start;
    std::vector<int> shown;
    for (std::size_t i = 0; i < c.slots.size(); ++i) shown.push_back(advance_animation(s));
    EXPECT_EQ(shown, c.slots);
    EXPECT_EQ(s.n, c.end.n);
    EXPECT_EQ(s.m, c.end.m);
    EXPECT_EQ(s.mm, c.end.mm);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TickTable,
    testing::Values(
        TickCase{"start_up_running_wraps_17_to_0", running_at(15), {16, 17, 0, 1}, running_at(0, 1)},
        TickCase{"run_backward_goes_back_twice_then_once", running_at(5, -1), {3, 2, 1, 0, 17, 16},
                 running_at(0, 1, 1, 0)},
        TickCase{"run_forward_goes_forward_twice_then_once", running_at(5, 3), {7, 8, 9}, running_at(0, 1, 0, 1)},
        TickCase{"run_forward_wraps_from_16", running_at(16, 3), {0, 1}, running_at(0, 1, 0, 1)},
        TickCase{"step_back_from_start_up_running_moves_one", running_at(5, -2), {4, 4, 4}, running_at(0, 0)},
        TickCase{"step_forward_from_start_up_running_moves_one", running_at(5, 2), {6, 6, 6}, running_at(0, 0)},
        TickCase{"step_forward_stops_a_forward_run", running_at(8, 2, 0, 1), {8, 8}, running_at(0, 0)},
        TickCase{"step_back_stops_a_forward_run", running_at(8, -2, 0, 1), {8, 8}, running_at(0, 0)},
        TickCase{"step_back_stops_a_backward_run_at_0", running_at(0, -2, 1, 0), {0, 0}, running_at(0, 0)},
        TickCase{"step_forward_stops_a_backward_run", running_at(3, 2, 1, 0), {3, 3}, running_at(0, 0)},
        TickCase{"step_back_from_still_wraps_0_to_17", running_at(0, -2), {17, 17}, running_at(0, 0)},
        TickCase{"step_forward_from_still_wraps_17_to_0", running_at(17, 2), {0, 0}, running_at(0, 0)},
        TickCase{"still_stays", running_at(9, 0), {9, 9, 9}, running_at(0, 0)},
        TickCase{"lift_1_offsets_the_slot", running_at(17, 1, 0, 0, 1), {18, 19}, running_at(0, 1)},
        TickCase{"lift_2_run_backward", running_at(1, -1, 0, 0, 2), {53, 52}, running_at(0, 1, 1, 0)}),
    [](const testing::TestParamInfo<TickCase>& info) { return info.param.name; });

TEST(Tick, ShowsTheFrameOfItsSlotOnEveryTickEvenWhenStill) {
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    for (int slot = 0; slot < frame_count; ++slot)
        form.frames[static_cast<std::size_t>(slot)] = &holders.picture(slot + 1);
    form.state = running_at(4, 0, 0, 0, 2);
    tick(form);
    tick(form);
    EXPECT_EQ(platform.shown_slots(holders), (std::vector<int>{40, 40}));
}

TEST(Tick, ASlotOutsideTheTableIsFatalAndShowsNothing) {
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    form.state = running_at(0, 0, 0, 0, 3);
    try {
        tick(form);
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "frame slot 54 is outside 0..53 (hl 3, l 0)");
    }
    EXPECT_TRUE(platform.calls.empty());
}

}  // namespace
