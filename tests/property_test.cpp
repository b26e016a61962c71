// Random input against the real handlers and the tick: a million events,
// and after every tick the state stays inside the ranges the tick's
// arithmetic depends on. A failure names its seed and the shortest event
// sequence that still shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/tick.h"
#include "input/keyboard.h"
#include "input/pointer.h"

namespace {

struct Input {
    enum class Kind { key, click, move, tick } kind;
    std::int16_t code = 0;
    float x = 0, y = 0;
};

std::string describe(const Input& in) {
    std::ostringstream out;
    switch (in.kind) {
        case Input::Kind::key: out << "key " << in.code; break;
        case Input::Kind::click: out << "click"; break;
        case Input::Kind::move: out << "move " << in.x << "," << in.y; break;
        case Input::Kind::tick: out << "tick"; break;
    }
    return out.str();
}

std::vector<Input> random_inputs(std::uint32_t seed, std::size_t count) {
    std::mt19937 rng(seed);
    const char table[] = {'-', '+', ',', '/', '*', '.', ' '};
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> any_code(0, 255);
    std::uniform_real_distribution<float> inside_x(0, 14.88279F), inside_y(0, 13.64F);
    std::uniform_real_distribution<float> far(-5000, 5000);
    std::vector<Input> inputs;
    inputs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int r = pick(rng);
        if (r < 30) {
            inputs.push_back({Input::Kind::tick});
        } else if (r < 55) {
            inputs.push_back({Input::Kind::key, static_cast<std::int16_t>(table[pick(rng) % 7])});
        } else if (r < 62) {
            // Any character but Esc, which ends the program.
            std::int16_t code = static_cast<std::int16_t>(any_code(rng));
            if (code == 27) code = 28;
            inputs.push_back({Input::Kind::key, code});
        } else if (r < 70) {
            inputs.push_back({Input::Kind::click});
        } else if (r < 92) {
            inputs.push_back({Input::Kind::move, 0, inside_x(rng), inside_y(rng)});
        } else {
            inputs.push_back({Input::Kind::move, 0, far(rng), far(rng)});
        }
    }
    return inputs;
}

// What is wrong after a tick, if anything.
std::optional<std::string> broken(const AnimationState& s, int slot) {
    if (s.l < 0 || s.l > 17) return "l " + std::to_string(s.l);
    if (slot < 0 || slot > 53) return "slot " + std::to_string(slot);
    if (s.m == 1 && s.mm == 1) return std::string("m and mm both 1");
    if (s.m < 0 || s.m > 1 || s.mm < 0 || s.mm > 1) return "m " + std::to_string(s.m) + ", mm " + std::to_string(s.mm);
    if (s.hl < 0 || s.hl > 2) return "hl " + std::to_string(s.hl);
    if (s.updo != 1 && s.updo != -1) return "updo " + std::to_string(s.updo);
    if (s.nm < 0 || s.nm > 1) return "nm " + std::to_string(s.nm);
    return std::nullopt;
}

// Runs from the state start-up leaves; returns the first breakage.
std::optional<std::string> first_breakage(const std::vector<Input>& inputs) {
    AnimationState s;
    s.n = 1;
    s.k = 1000000;
    s.updo = 1;
    for (const Input& in : inputs) {
        switch (in.kind) {
            case Input::Kind::key: key_press(s, in.code); break;
            case Input::Kind::click: click(s); break;
            case Input::Kind::move: mouse_move(s, in.x, in.y); break;
            case Input::Kind::tick:
                const int slot = advance_animation(s);
                if (auto wrong = broken(s, slot)) return wrong;
                break;
        }
    }
    return std::nullopt;
}

// Removes ever smaller chunks while the sequence still fails.
template <typename Fails>
std::vector<Input> shrink(std::vector<Input> inputs, Fails fails) {
    for (std::size_t chunk = std::max<std::size_t>(inputs.size() / 2, 1);; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= inputs.size();) {
            std::vector<Input> shorter(inputs.begin(), inputs.begin() + static_cast<std::ptrdiff_t>(at));
            shorter.insert(shorter.end(), inputs.begin() + static_cast<std::ptrdiff_t>(at + chunk), inputs.end());
            if (fails(shorter))
                inputs = std::move(shorter);
            else
                at += chunk;
        }
        if (chunk == 1) return inputs;
    }
}

std::uint32_t seed_from_environment() {
    if (const char* text = std::getenv("QUILMORANT_SEED")) return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
    return std::random_device{}();
}

TEST(RandomInput, AMillionEventsKeepTheStateInRange) {
    const std::uint32_t seed = seed_from_environment();
    const std::vector<Input> inputs = random_inputs(seed, 1'000'000);
    if (const auto wrong = first_breakage(inputs)) {
        std::string shortest;
        for (const Input& in : shrink(inputs, [](const auto& seq) { return first_breakage(seq).has_value(); }))
            shortest += "\n  " + describe(in);
        FAIL() << "seed " << seed << " (QUILMORANT_SEED=" << seed << " repeats it): " << *wrong
               << "; shortest sequence:" << shortest;
    }
}

// The shrinker itself: in a long run of noise with two spaces hidden in it,
// "the lift ends at 2" fails only because of those two, and the shrinker must
// find exactly them.
TEST(RandomInput, ShrinkingFindsTheEventsThatMatter) {
    std::vector<Input> inputs = random_inputs(7, 5000);
    std::erase_if(inputs, [](const Input& in) { return in.kind == Input::Kind::key && in.code == ' '; });
    inputs.insert(inputs.begin() + 1234, {Input::Kind::key, ' '});
    inputs.insert(inputs.begin() + 3456, {Input::Kind::key, ' '});
    const auto lift_ends_at_2 = [](const std::vector<Input>& seq) {
        AnimationState s;
        s.updo = 1;
        for (const Input& in : seq)
            if (in.kind == Input::Kind::key) key_press(s, in.code);
        return s.hl == 2;
    };
    ASSERT_TRUE(lift_ends_at_2(inputs));
    const std::vector<Input> shortest = shrink(inputs, lift_ends_at_2);
    ASSERT_EQ(shortest.size(), 2U);
    EXPECT_EQ(describe(shortest[0]), "key 32");
    EXPECT_EQ(describe(shortest[1]), "key 32");
}

}  // namespace
