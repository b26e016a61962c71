// Start-up through the fake platform: the loading order, what handlers that
// run during loading leave behind, the exits, and a bad record.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/fatal_error.h"
#include "core/start_up.h"
#include "tests/fake_platform.h"
#include "view/form1.h"

namespace {

using Kind = FakePlatform::Call::Kind;

struct Harness {
    FakePlatform platform;
    ImageHolders holders{stored_records()};
    Form1 form{platform, holders};

    // Pumps 1..53 are the loading pumps; then one pump per pause.
    void loading_pump(int number, std::vector<WindowEvent> events) {
        platform.pumps.resize(53);
        platform.pumps[static_cast<std::size_t>(number - 1)] = std::move(events);
    }
    void then_pauses(int count) {
        platform.pumps.resize(53);
        for (int i = 0; i < count; ++i) platform.pumps.emplace_back();
    }
    template <typename Ending>
    void run() {
        EXPECT_THROW(start_up(form), Ending);
    }
};

TEST(StartUp, ShowsFrame0FirstThenLoadsWithAPumpAfterEachFrame) {
    Harness h;
    h.then_pauses(2);
    h.run<ScriptEnded>();
    const auto& calls = h.platform.calls;
    ASSERT_GE(calls.size(), 1U + 53 + 3);
    EXPECT_EQ(calls[0].kind, Kind::show);
    EXPECT_EQ(h.holders.number_of(*calls[0].picture), 1);
    for (std::size_t i = 1; i <= 53; ++i) EXPECT_EQ(calls[i].kind, Kind::pump) << "call " << i;
    // Every slot refers to its own holder's picture: slot s to Image s+1.
    for (int slot = 0; slot < frame_count; ++slot)
        EXPECT_EQ(h.holders.number_of(*h.form.frames[static_cast<std::size_t>(slot)]), slot + 1);
    // Then the loop: tick, wait at the start-up pace, pump.
    EXPECT_EQ(calls[54].kind, Kind::show);
    EXPECT_EQ(calls[55].kind, Kind::wait);
    EXPECT_EQ(calls[55].waited, std::chrono::microseconds(1000001));
    EXPECT_EQ(calls[56].kind, Kind::pump);
    EXPECT_EQ(h.platform.shown_slots(h.holders), (std::vector<int>{0, 1, 2, 3}));
}

TEST(StartUp, SetsTheStartingFourAndKeepsWhatLoadingLeftInTheRest) {
    Harness h;
    // During loading: a run command, a lift change, a pace, and a click that
    // turns mouse-drive mode on and saves the motion.
    h.loading_pump(5, {key('-'), key(' ')});
    h.loading_pump(9, {move(10, 10)});
    h.loading_pump(30, {click_event(), move(1, 3)});
    h.run<ScriptEnded>();
    const AnimationState& s = h.form.state;
    EXPECT_EQ(s.n, 1);
    EXPECT_EQ(s.k, 1000000);
    EXPECT_EQ(s.hl, 0);
    EXPECT_EQ(s.updo, 1);
    EXPECT_EQ(s.nm, 1) << "the click during loading leaves mouse-drive mode on";
    EXPECT_EQ(s.n1, -1) << "and its saved copy of the command";
    EXPECT_EQ(s.yyy, 3);
    EXPECT_EQ(s.m, 0);
}

TEST(StartUp, EscDuringLoadingEndsBeforeTheLoop) {
    Harness h;
    h.loading_pump(12, {esc(), key('*')});
    h.run<ProcessEnded>();
    const auto& calls = h.platform.calls;
    ASSERT_EQ(calls.size(), 1U + 12 + 2);
    EXPECT_EQ(calls[13].kind, Kind::clear);
    EXPECT_EQ(calls[14].kind, Kind::end);
    EXPECT_EQ(h.form.state.n, 0) << "nothing after Esc ran";
    EXPECT_EQ(h.platform.shown_slots(h.holders), std::vector<int>{0});
}

TEST(StartUp, DoubleClickAndCloseRequestEndTheProgramToo) {
    for (const WindowEvent ending : {dbl_click_event(), close_event()}) {
        Harness h;
        h.then_pauses(3);
        h.platform.pumps[54] = {click_event(), ending, key('-')};
        h.run<ProcessEnded>();
        const auto& calls = h.platform.calls;
        EXPECT_EQ(calls[calls.size() - 2].kind, Kind::clear);
        EXPECT_EQ(calls.back().kind, Kind::end);
        EXPECT_EQ(h.form.state.nm, 1) << "the click before it ran";
        EXPECT_EQ(h.form.state.n, 1) << "the key after it did not";
    }
}

TEST(StartUp, ABadRecordStopsStartUpNamingItsHolder) {
    std::vector<StoredRecord> records(stored_records().begin(), stored_records().end());
    std::array<std::uint8_t, 7070> broken{};
    for (StoredRecord& record : records)
        if (record.holder == "Image12") {
            std::copy(record.bytes.begin(), record.bytes.end(), broken.begin());
            broken[4] = 0x58;  // stated length 7000
            broken[5] = 0x1B;
            record.bytes = broken;
        }
    FakePlatform platform;
    ImageHolders holders(records);
    Form1 form{platform, holders};
    platform.pumps.resize(53);
    try {
        start_up(form);
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "Image12: bitmap length 7000, expected 7062");
    }
    EXPECT_EQ(platform.calls.size(), 1U + 10) << "frame 0 and the ten pumps before holder 12";
}

TEST(StartUp, AMissingHolderIsNamed) {
    std::vector<StoredRecord> records;
    for (const StoredRecord& record : stored_records())
        if (record.holder != "Image54") records.push_back(record);
    FakePlatform platform;
    ImageHolders holders(records);
    Form1 form{platform, holders};
    platform.pumps.resize(53);
    EXPECT_THROW(
        {
            try {
                start_up(form);
            } catch (const FatalError& e) {
                EXPECT_STREQ(e.what(), "Image54: no stored record");
                throw;
            }
        },
        FatalError);
}

}  // namespace
