#pragma once
// The tick: one step of the animation. Called only by the main loop, once per
// pass, between two pauses.

#include "core/animation_state.h"

struct Form1;

// Applies the pending command and the run flags to the phase and returns the
// frame slot to show, 18 x hl + l. Plain arithmetic on the state; shows
// nothing.
int advance_animation(AnimationState& s);

// advance_animation, then shows frames[slot] in the drawing area, on every
// tick, also when the slot did not change. A slot outside 0..53 is a
// FatalError.
void tick(Form1& form);
