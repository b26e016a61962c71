#include "core/start_up.h"

#include "core/pause.h"
#include "core/tick.h"
#include "view/event_routing.h"
#include "view/form1.h"

[[noreturn]] void start_up(Form1& form) {
    // Frame 0 is on screen before any event is pumped; the window then stays
    // responsive while the rest load, one pump after each.
    form.frames[0] = &form.holders.picture(1);
    form.platform.show_picture(*form.frames[0]);
    for (int slot = 1; slot < frame_count; ++slot) {
        form.frames[static_cast<std::size_t>(slot)] = &form.holders.picture(slot + 1);
        pump_events(form);
    }

    // Only these four: whatever the handlers wrote to the other fields during
    // loading (a click's mouse-drive mode, say) stays.
    form.state.n = command::forward_step;
    form.state.k = 1000000;
    form.state.hl = 0;
    form.state.updo = 1;

    for (;;) {
        tick(form);
        Delay(form);
    }
}
