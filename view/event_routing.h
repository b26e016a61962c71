#pragma once
// Which handler each window event reaches. The handlers of the drawing area
// Picture1 run here and only here: inside a pump made by start-up or by the
// pause.

struct Form1;
struct WindowEvent;

// Hands one event to its handler; for Esc, a double-click or a close request
// that is the exit sequence, which does not return.
void route_event(Form1& form, const WindowEvent& event);

// The event pump: routes every pending event, oldest first, then returns.
void pump_events(Form1& form);
