#pragma once
// The one place where SDL's events become the program's own: which of them
// belong to the drawing area, which character a key typed, and which presses
// make a Click or a DblClick. Plain data in, plain data out, so it is tested
// with made-up SDL events and no display.

#include <SDL_events.h>

#include <cstdint>
#include <vector>

#include "view/platform.h"

class SdlEvents {
public:
    enum class Effect { none, repaint };

    // Appends to `out` what `event` means to the program (possibly nothing,
    // possibly several key presses for one piece of typed text). Returns
    // repaint when the window's content was lost and must be shown again.
    Effect translate(const SDL_Event& event, std::vector<WindowEvent>& out);

private:
    // A press over the inner area keeps the pointer there until every button
    // is up: its moves then count wherever they are.
    std::uint32_t buttons_pressed_over_area_ = 0;
    bool left_press_over_area_ = false;
};
