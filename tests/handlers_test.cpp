// The key and pointer handlers on plain state.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "input/keyboard.h"
#include "input/pointer.h"

namespace {

bool same_state(const AnimationState& a, const AnimationState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

AnimationState busy_state() {
    AnimationState s;
    s.l = 7;
    s.hl = 1;
    s.updo = -1;
    s.n = 1;
    s.m = 1;
    s.k = 1234.5F;
    s.nm = 1;
    s.yyy = 3.25F;
    return s;
}

struct KeyCase {
    char key;
    std::int16_t n;
};

TEST(KeyPress, CommandKeysWriteOnlyN) {
    const KeyCase cases[] = {{'-', -1}, {'+', 3}, {',', 3}, {'/', -2}, {'*', 2}, {'.', 2}};
    for (const KeyCase& c : cases) {
        AnimationState s = busy_state();
        EXPECT_EQ(key_press(s, c.key), KeyOutcome::handled);
        AnimationState expected = busy_state();
        expected.n = c.n;
        EXPECT_TRUE(same_state(s, expected)) << "key '" << c.key << "'";
    }
}

TEST(KeyPress, EscAsksForTheExitAndTouchesNothing) {
    AnimationState s = busy_state();
    EXPECT_EQ(key_press(s, 27), KeyOutcome::end_program);
    EXPECT_TRUE(same_state(s, busy_state()));
}

TEST(KeyPress, EveryOtherCharacterDoesNothing) {
    for (int code = 0; code <= 255; ++code) {
        if (std::strchr("-+,/*. ", code) != nullptr && code != 0) continue;
        if (code == 27) continue;
        AnimationState s = busy_state();
        EXPECT_EQ(key_press(s, static_cast<std::int16_t>(code)), KeyOutcome::handled);
        EXPECT_TRUE(same_state(s, busy_state())) << "code " << code;
    }
}

TEST(KeyPress, SpaceBouncesTheLiftBetween0And2) {
    AnimationState s;
    s.hl = 0;
    s.updo = 1;
    std::vector<int> lifts, directions;
    for (int press = 0; press < 8; ++press) {
        key_press(s, ' ');
        lifts.push_back(s.hl);
        directions.push_back(s.updo);
    }
    EXPECT_EQ(lifts, (std::vector<int>{1, 2, 1, 0, 1, 2, 1, 0}));
    EXPECT_EQ(directions, (std::vector<int>{1, -1, -1, 1, 1, -1, -1, 1}));
    EXPECT_EQ(s.l, 0) << "the phase is not touched";
}

TEST(KeyPress, TwoCommandsBetweenTicksLeaveTheLastOne) {
    AnimationState s;
    key_press(s, '-');
    key_press(s, '-');
    EXPECT_EQ(s.n, -1);
    key_press(s, '*');
    EXPECT_EQ(s.n, 2);
}

TEST(Click, TwoClicksPutBackTheMotionIncludingAPendingCommand) {
    AnimationState s;
    s.n = 3;  // "+" pressed, not yet consumed
    s.mm = 0;
    s.m = 1;
    s.k = 42;
    click(s);
    EXPECT_EQ(s.nm, 1);
    EXPECT_EQ(s.k, 42) << "a click leaves the pace alone";
    // What mouse-drive mode does in between is undone by the second click.
    mouse_move(s, 1, 5);
    mouse_move(s, 1, 2);
    s.m = 0;
    click(s);
    EXPECT_EQ(s.nm, 0);
    EXPECT_EQ(s.n, 3);
    EXPECT_EQ(s.m, 1);
    EXPECT_EQ(s.mm, 0);
    EXPECT_EQ(s.k, 80000) << "k is not restored";
}

TEST(MouseMove, OutsideMouseDriveTheProductSetsThePace) {
    struct PaceCase {
        float x, y, k;
    };
    const PaceCase cases[] = {
        {0, 13.5F, 0},
        {10, 10, 7000},
        {14.78F, 13.63F, static_cast<float>(14.78F * 70.0 * 13.63F)},
        {-0.2F, 3, static_cast<float>(-0.2F * 70.0 * 3)},  // a captured move left of the area
    };
    for (const PaceCase& c : cases) {
        AnimationState s;
        s.n = 1;
        mouse_move(s, c.x, c.y);
        EXPECT_EQ(s.k, c.k) << c.x << ", " << c.y;
        EXPECT_EQ(s.n, 1);
        EXPECT_EQ(s.yyy, 0) << "yyy belongs to mouse-drive mode";
    }
}

TEST(MouseMove, ThePaceIsRoundedOnceFromTheFullProduct) {
    // Rounding X x 70 to single before multiplying by Y gives another value.
    const float x = 0.05F, y = 15 * 0.07F;
    AnimationState s;
    mouse_move(s, x, y);
    EXPECT_EQ(s.k, static_cast<float>(static_cast<double>(x) * 70.0 * y));
    EXPECT_NE(s.k, static_cast<float>(x * 70.0F) * y);
}

TEST(MouseMove, InMouseDriveEachMoveIsAStepByItsDirection) {
    struct DriveCase {
        float y;
        std::int16_t n;
    };
    // Starting from yyy 0: down, level, up, sideways (level), up, down.
    const DriveCase moves[] = {{4, 2}, {4, 2}, {3.5F, -2}, {3.5F, 2}, {0, -2}, {0.01F, 2}};
    AnimationState s;
    s.nm = 1;
    for (const DriveCase& move : moves) {
        mouse_move(s, 7, move.y);
        EXPECT_EQ(s.n, move.n) << "y " << move.y;
        EXPECT_EQ(s.k, 80000);
        EXPECT_EQ(s.yyy, move.y);
        EXPECT_EQ(s.nm, 1);
    }
}

}  // namespace
