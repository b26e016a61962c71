#pragma once
// Where the animation stands. The tick advances it; the key and pointer
// handlers only write it, and the next tick acts on what they wrote. Every
// field starts at 0, and the 0 matters: each one takes part in arithmetic
// before it is first written.

#include <cstdint>

struct AnimationState {
    std::int16_t l = 0;     // phase within the lift group, 0..17
    std::int16_t hl = 0;    // lift group, 0..2
    std::int16_t updo = 0;  // direction of the next lift change, +1 or -1
    std::int16_t n = 0;     // pending command, or the forward step while running (see below)
    std::int16_t m = 0;     // backward-run flag
    std::int16_t mm = 0;    // forward-run flag
    float k = 0;            // delay count: each pause lasts floor(k) + 1 passes
    std::int16_t nm = 0;    // mouse-drive mode, 0 off, 1 on
    std::int16_t n1 = 0;    // n, m and mm as they were when mouse-drive mode went on
    std::int16_t m1 = 0;
    std::int16_t mm1 = 0;
    float yyy = 0;          // pointer Y at the last move in mouse-drive mode
};

// The values of n.
namespace command {
inline constexpr std::int16_t run_backward = -1;
inline constexpr std::int16_t run_forward = 3;
inline constexpr std::int16_t step_back = -2;
inline constexpr std::int16_t step_forward = 2;
inline constexpr std::int16_t forward_step = 1;  // what a consumed run command leaves
inline constexpr std::int16_t still = 0;         // what a consumed step command leaves
}  // namespace command
