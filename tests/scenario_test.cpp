// Whole-program scenarios on the fake platform: start-up, then each row is
// one tick — the slot it must show — and the input that arrives in the pump
// after it. The real handlers, routing, tick and pause run; only the screen
// and the queue are fake.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/start_up.h"
#include "tests/fake_platform.h"
#include "view/form1.h"

namespace {

struct Step {
    int shows;                        // the slot this tick shows
    std::vector<WindowEvent> then{};  // what the pump after it delivers
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

// Ticks 1..l of start-up running, no input: they show 1, 2, ..., l.
std::vector<Step> run_up_to(int l) {
    std::vector<Step> steps;
    for (int slot = 1; slot <= l; ++slot) steps.push_back({slot});
    return steps;
}

Scenario scenario(std::string name, std::vector<Step> head, std::vector<Step> tail) {
    head.back().then = tail.front().then;  // the first input arrives after the run-up's last tick
    tail.erase(tail.begin());
    head.insert(head.end(), tail.begin(), tail.end());
    return {std::move(name), std::move(head)};
}

// A row that only carries input for the pump after the run-up.
Step input(std::vector<WindowEvent> events) { return {-1, std::move(events)}; }

void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }

class Scenarios : public testing::TestWithParam<Scenario> {};

TEST_P(Scenarios, ShowTheirSlots) {
    const Scenario& sc = GetParam();
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    platform.pumps.resize(53);
    for (const Step& step : sc.steps) platform.pumps.push_back(step.then);
    EXPECT_THROW(start_up(form), ScriptEnded);

    std::vector<int> shown = platform.shown_slots(holders);
    ASSERT_GE(shown.size(), sc.steps.size() + 1);
    shown.erase(shown.begin());  // frame 0, shown while loading
    shown.resize(sc.steps.size());
    std::vector<int> expected;
    for (const Step& step : sc.steps) expected.push_back(step.shows);
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Playback, Scenarios,
    testing::Values(
        Scenario{"no_input_cycles_lift_0",
                 {{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {10}, {11}, {12}, {13}, {14}, {15}, {16}, {17},
                  {0}, {1}}},
        scenario("minus_at_5_runs_backward", run_up_to(5), {input({key('-')}), {3}, {2}, {1}, {0}, {17}}),
        scenario("slash_from_start_up_running_steps_back_and_stays", run_up_to(5),
                 {input({key('/')}), {4}, {4}, {4}}),
        scenario("star_from_start_up_running_steps_forward_and_stays", run_up_to(5),
                 {input({key('*')}), {6}, {6}}),
        scenario("plus_then_star_stops_the_run", run_up_to(5),
                 {input({key('+')}), {7}, {8, {key('*')}}, {8}, {8}}),
        scenario("comma_and_period_act_as_plus_and_star", run_up_to(5),
                 {input({key(',')}), {7}, {8, {key('.')}}, {8}, {8}}),
        scenario("slash_stops_a_backward_run_at_0", run_up_to(2), {input({key('-')}), {0, {key('/')}}, {0}, {0}}),
        scenario("minus_then_star_between_ticks_acts_as_star", run_up_to(5),
                 {input({key('-'), key('*')}), {6}, {6}}),
        scenario("stepping_from_still", run_up_to(3),
                 {input({key('*')}), {4, {key('*')}}, {5, {key('/')}}, {4, {key('/')}}, {3}}),
        scenario("space_bounces_the_lift", run_up_to(3),
                 {input({key('*')}), {4, {key(' ')}}, {22, {key(' ')}}, {40, {key(' ')}}, {22, {key(' ')}}, {4}}),
        scenario("lift_change_while_running_shows_at_the_next_phase", run_up_to(5),
                 {input({key(' ')}), {24}, {25}}),
        scenario("letters_and_digits_do_nothing", run_up_to(3),
                 {input({key('a'), key('Z'), key('1'), key('9'), key('=')}), {4}, {5}}),
        scenario("mouse_drive_stops_steps_and_click_resumes", run_up_to(2),
                 {input({key('+')}), {4}, {5, {click_event()}}, {6, {move(5, 1)}}, {6, {move(5, 2)}},
                  {7, {move(5, 3)}}, {8, {click_event()}}, {9}, {10}}),
        scenario("mouse_drive_down_up_and_sideways", run_up_to(3),
                 {input({key('*')}), {4, {click_event(), move(5, 10)}}, {5, {move(5, 8)}}, {4, {move(9, 8)}},
                  {5}}),
        scenario("several_moves_between_ticks_make_one_step_the_last_way", run_up_to(3),
                 {input({key('*')}), {4, {click_event(), move(5, 5), move(5, 6), move(5, 4)}}, {3}, {3}}),
        scenario("keys_still_work_in_mouse_drive_mode", run_up_to(3),
                 {input({key('*')}), {4, {click_event(), key('-')}}, {2}, {1}}),
        scenario("pointer_moves_outside_mouse_drive_change_only_the_pace", run_up_to(3),
                 {input({move(10, 10), move(0, 0), move(-3, 40)}), {4}, {5}})),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

TEST(ScenarioPace, PointerMovesSetThePauseAndMouseDriveFixesIt) {
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    platform.pumps.resize(53);
    platform.pumps.push_back({move(10, 10)});
    platform.pumps.push_back({move(0, 5)});
    platform.pumps.push_back({click_event(), move(0, 5)});
    platform.pumps.push_back({});
    EXPECT_THROW(start_up(form), ScriptEnded);
    std::vector<std::int64_t> waits;
    for (const auto& call : platform.calls)
        if (call.kind == FakePlatform::Call::Kind::wait) waits.push_back(call.waited.count());
    EXPECT_EQ(waits, (std::vector<std::int64_t>{1000001, 7001, 1, 80001, 80001}));
}

}  // namespace
