#include "view/exit_sequence.h"

#include <cstdlib>

#include "view/platform.h"

[[noreturn]] void exit_sequence(Platform& platform) {
    platform.clear_window();
    platform.end_process();
    std::abort();  // a platform whose end_process came back is broken; stop anyway
}
