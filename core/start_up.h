#pragma once
// Start-up and the main loop: what the window does when it is first
// activated. Loads the frame table, sets the starting state, then ticks and
// pauses until an exit ends the process.

struct Form1;

[[noreturn]] void start_up(Form1& form);
