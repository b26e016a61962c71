// The pause: how long it lasts for a delay count, and that it pumps once,
// after the wait.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/pause.h"
#include "tests/fake_platform.h"
#include "view/form1.h"

namespace {

using std::chrono::microseconds;

TEST(PausePasses, FloorPlusOneAndNoneWhenNegative) {
    struct PassCase {
        float k;
        std::int64_t passes;
    };
    const PassCase cases[] = {
        {-1, 0},         {-0.5F, 0},       {0, 1},       {0.99F, 1},
        {12.7F, 13},     {14100, 14101},   {80000, 80001}, {1000000, 1000001},
        {std::nanf(""), 0},
    };
    for (const PassCase& c : cases) EXPECT_EQ(pause_passes(c.k), c.passes) << "k " << c.k;
}

TEST(PausePasses, AnEnormousCountStaysFinite) {
    const std::int64_t passes = pause_passes(std::numeric_limits<float>::max());
    EXPECT_GT(passes, std::int64_t{1} << 40);
    EXPECT_EQ(pause_passes(std::numeric_limits<float>::infinity()), passes);
}

TEST(Delay, WaitsForTheCountAsItStoodThenPumpsOnce) {
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    form.state.k = 12.7F;
    platform.pumps.push_back({move(10, 10)});  // sets k to 7000 inside the pump
    Delay(form);
    ASSERT_EQ(platform.calls.size(), 2U);
    EXPECT_EQ(platform.calls[0].kind, FakePlatform::Call::Kind::wait);
    EXPECT_EQ(platform.calls[0].waited, microseconds(13));
    EXPECT_EQ(platform.calls[1].kind, FakePlatform::Call::Kind::pump);
    EXPECT_EQ(form.state.k, 7000);

    platform.pumps.push_back({});
    Delay(form);
    EXPECT_EQ(platform.calls[2].waited, microseconds(7001));
}

TEST(Delay, ANegativeCountStillPumps) {
    FakePlatform platform;
    ImageHolders holders(stored_records());
    Form1 form{platform, holders};
    form.state.k = -3;
    platform.pumps.push_back({key('/')});
    Delay(form);
    ASSERT_EQ(platform.calls.size(), 2U);
    EXPECT_EQ(platform.calls[0].waited, microseconds(0));
    EXPECT_EQ(form.state.n, -2);
}

}  // namespace
