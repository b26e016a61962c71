#include "core/pause.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "view/event_routing.h"
#include "view/form1.h"

std::int64_t pause_passes(float k) {
    if (!(k >= 0)) return 0;
    // A pointer far outside the area can make k astronomically large; such a
    // pause is simply longer than anyone will wait, and must not overflow.
    constexpr double longest = 1e15;  // about 31 years of passes
    return static_cast<std::int64_t>(std::min(std::floor(static_cast<double>(k)) + 1, longest));
}

void Delay(Form1& form) {
    // The count is taken before the wait; no handler runs until the pump.
    form.platform.wait(std::chrono::microseconds(pause_passes(form.state.k)));
    pump_events(form);
}
