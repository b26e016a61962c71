#pragma once
// The pointer handlers of the drawing area. Coordinates are in its own units:
// X 0..14.88279 across, Y 0..29.84375 down its inner area.

#include "core/animation_state.h"

// Toggles mouse-drive mode: switching it on saves n, m and mm, switching it
// off puts them back. The delay count k is left as it is.
void click(AnimationState& s);

// Outside mouse-drive mode the pointer sets the pace, k = X x 70 x Y. In it,
// k becomes 80000 and the move becomes a step: forward when the pointer went
// down or stayed level since the last move in the mode, back when it went up.
void mouse_move(AnimationState& s, float x, float y);
