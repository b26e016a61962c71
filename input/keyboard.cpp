#include "input/keyboard.h"

namespace {

void change_lift(AnimationState& s) {
    // Bounces 0, 1, 2, 1, 0, ...: the direction turns at the ends only.
    s.hl = static_cast<std::int16_t>(s.hl + s.updo);
    if (s.hl > 1) s.updo = -1;
    if (s.hl < 1) s.updo = 1;
}

}  // namespace

KeyOutcome key_press(AnimationState& s, std::int16_t code) {
    if (code == 27) return KeyOutcome::end_program;
    // Every other key is matched as its character, so the keypad's "+" and
    // the main keyboard's act alike (the platform types both as '+').
    switch (code) {
        case '-':
            s.n = command::run_backward;
            break;
        case '+':
        case ',':
            s.n = command::run_forward;
            break;
        case '/':
            s.n = command::step_back;
            break;
        case '*':
        case '.':
            s.n = command::step_forward;
            break;
        case ' ':
            change_lift(s);
            break;
        default:
            break;
    }
    return KeyOutcome::handled;
}
