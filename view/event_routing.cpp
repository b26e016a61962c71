#include "view/event_routing.h"

#include "input/keyboard.h"
#include "input/pointer.h"
#include "view/exit_sequence.h"
#include "view/form1.h"

void route_event(Form1& form, const WindowEvent& event) {
    switch (event.kind) {
        case WindowEvent::Kind::key_press:
            if (key_press(form.state, event.code) == KeyOutcome::end_program) exit_sequence(form.platform);
            return;
        case WindowEvent::Kind::click:
            click(form.state);
            return;
        case WindowEvent::Kind::mouse_move:
            mouse_move(form.state, event.x, event.y);
            return;
        case WindowEvent::Kind::dbl_click:
        case WindowEvent::Kind::close_request:
            exit_sequence(form.platform);
    }
}

void pump_events(Form1& form) {
    for (const WindowEvent& event : form.platform.pending_events()) route_event(form, event);
}
