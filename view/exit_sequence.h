#pragma once
// The way out, used by Esc, a double-click and a close request: clear the
// window, then end the process at once. Nothing runs after it.

class Platform;

[[noreturn]] void exit_sequence(Platform& platform);
