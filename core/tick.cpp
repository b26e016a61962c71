#include "core/tick.h"

#include <string>

#include "core/fatal_error.h"
#include "view/form1.h"

namespace {

// Reduces a phase sum modulo 18. The writers of the state keep every sum
// non-negative, so this is the ordinary remainder; if that ever broke, the
// slot check in tick() would catch the result.
std::int16_t phase(int sum) { return static_cast<std::int16_t>(sum % phase_count); }

}  // namespace

int advance_animation(AnimationState& s) {
    // Each test sees what the steps before it left: a step that rewrites n
    // changes what the later ones see.
    if (s.n == command::run_backward) {
        s.l = phase(s.l + 17);
        s.mm = 0;
        s.m = 1;
        s.n = command::forward_step;
    }
    if (s.n == command::run_forward) {
        s.l = phase(s.l + 1);
        s.m = 0;
        s.mm = 1;
        s.n = command::forward_step;
    }
    if (s.n == command::step_back) {
        s.l = phase(s.l + 17 + s.m + s.mm);
        s.mm = 0;
        s.m = 0;
        s.n = command::still;
    }
    if (s.n == command::step_forward) {
        s.l = phase(s.l + 1 - s.m - s.mm);
        s.mm = 0;
        s.m = 0;
        s.n = command::still;
    }
    if (s.m == 0 && s.n != 0) s.l = phase(s.l + s.n);
    if (s.m == 1) s.l = phase(s.l + 17);
    return phase_count * s.hl + s.l;
}

void tick(Form1& form) {
    const int slot = advance_animation(form.state);
    if (slot < 0 || slot >= frame_count)
        throw FatalError("frame slot " + std::to_string(slot) + " is outside 0..53 (hl " +
                         std::to_string(form.state.hl) + ", l " + std::to_string(form.state.l) + ")");
    form.platform.show_picture(*form.frames[static_cast<std::size_t>(slot)]);
}
