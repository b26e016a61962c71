#pragma once
// The keyboard handler of the drawing area: one call per typed character.

#include <cstdint>

#include "core/animation_state.h"

enum class KeyOutcome { handled, end_program };

// Esc (27) asks for the exit sequence; "-", "+", ",", "/", "*" and "." write
// a command into n; space changes the lift; anything else does nothing. The
// next tick acts on what this wrote.
KeyOutcome key_press(AnimationState& s, std::int16_t code);
