#pragma once
// What SDL does not say for us on X11. Both do nothing on another video
// driver.

#include <SDL.h>

// Asks the window manager for a caption bar and a border, no buttons and no
// window menu, and only moving: the window cannot be closed, minimised,
// maximised or resized from its frame, and its first position is the window
// manager's choice. Call before the window is shown.
void ask_for_fixed_frame(SDL_Window* window);

// Makes a lost display connection end the program at once with a message and
// status 1 (Xlib's own handler names no program).
void end_on_lost_display(SDL_Window* window);
