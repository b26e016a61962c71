#include "input/pointer.h"

void click(AnimationState& s) {
    if (s.nm == 0) {
        s.n1 = s.n;
        s.mm1 = s.mm;
        s.m1 = s.m;
    }
    s.nm = static_cast<std::int16_t>((s.nm + 1) % 2);
    if (s.nm == 0) {
        s.n = s.n1;
        s.mm = s.mm1;
        s.m = s.m1;
    }
}

void mouse_move(AnimationState& s, float x, float y) {
    // Both tests read the mode as it was on entry.
    const bool driving = s.nm != 0;
    if (!driving) {
        // The product is kept in double and rounded to single once, when stored.
        s.k = static_cast<float>(static_cast<double>(x) * 70.0 * static_cast<double>(y));
        return;
    }
    s.k = 80000;
    s.n = y >= s.yyy ? command::step_forward : command::step_back;
    s.yyy = y;
}
