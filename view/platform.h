#pragma once
// What the program asks of its windowing platform. The animation core and the
// handlers reach the screen, the event queue and the end of the process only
// through this interface: view/sdl_platform.cpp is the real one, and the tests
// have an in-memory fake. Nothing here names SDL.

#include <chrono>
#include <cstdint>
#include <span>

#include "frames/picture.h"

// One input event, already in the program's own terms: which handler it is
// for and what that handler is given.
struct WindowEvent {
    enum class Kind : std::uint8_t {
        key_press,      // a typed character, `code` its ANSI code; Esc is 27
        click,          // the left button pressed and released over the drawing area
        dbl_click,      // the second press of a double-click over the drawing area
        mouse_move,     // the pointer moved; `x`, `y` in the drawing area's units
        close_request,  // the window manager or a signal asked the program to quit
    };
    Kind kind;
    std::int16_t code = 0;
    float x = 0;
    float y = 0;
};

// True for the events whose handling ends the program: Esc, a double-click,
// a close request.
constexpr bool ends_program(const WindowEvent& e) {
    return (e.kind == WindowEvent::Kind::key_press && e.code == 27) || e.kind == WindowEvent::Kind::dbl_click ||
           e.kind == WindowEvent::Kind::close_request;
}

class Platform {
public:
    virtual ~Platform() = default;

    // Start-up and the tick: `picture` fills the drawing area, at its inner
    // top-left corner, 1:1 and clipped, and is on screen when this returns.
    // Showing the picture that is already shown may skip the redraw.
    virtual void show_picture(const Picture& picture) = 0;

    // The pause: waits `duration`, then returns. Events that arrive are kept,
    // in order, for the next pending_events(); the wait ends early only when
    // one of them ends the program (ends_program).
    virtual void wait(std::chrono::microseconds duration) = 0;

    // The event pump: every event pending now, oldest first, taken off the
    // queue. The span stays valid until the next call.
    virtual std::span<const WindowEvent> pending_events() = 0;

    // The exit sequence: clears the window's own drawing surface (the drawing
    // area is not affected), then ends the process with status 0 at once.
    virtual void clear_window() = 0;
    [[noreturn]] virtual void end_process() = 0;
};
