// The entry point: opens the window and hands it to start-up, which runs
// until the exit sequence ends the process.

#include <cstdio>

#include "core/fatal_error.h"
#include "core/start_up.h"
#include "frames/image_holders.h"
#include "frames/stored_records.h"
#include "view/form1.h"
#include "view/sdl_platform.h"

int main() {
    try {
        SdlPlatform platform;
        ImageHolders holders(stored_records());
        Form1 form{platform, holders};
        start_up(form);
    } catch (const FatalError& e) {
        std::fprintf(stderr, "quilmorant: %s\n", e.what());
        return 1;
    }
}
