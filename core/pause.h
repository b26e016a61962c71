#pragma once
// The pause that ends every tick.

#include <cstdint>

struct Form1;

// How many passes a pause with delay count k lasts: floor(k) + 1 for k >= 0,
// none for k < 0 (or not a number). One pass is one microsecond.
std::int64_t pause_passes(float k);

// Waits pause_passes(k) microseconds, k as it stands now, then runs the event
// pump once. Called by the main loop after every tick.
void Delay(Form1& form);
