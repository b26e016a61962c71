// The entry point: reads the command line, opens the window and hands it to
// start-up, which runs until the exit sequence ends the process.

#include <cstdio>

#include "core/fatal_error.h"
#include "core/start_up.h"
#include "frames/image_holders.h"
#include "frames/stored_records.h"
#include "view/command_line.h"
#include "view/form1.h"
#include "view/sdl_platform.h"

int main(int argc, char** argv) {
    const CommandLine command = read_command_line({argv + 1, argv + argc});
    if (command.action == CommandLine::Action::print_and_succeed) {
        std::fputs(command.text.c_str(), stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::fail_with_usage) {
        std::fputs(command.text.c_str(), stderr);
        return 2;
    }
    try {
        ImageHolders holders(stored_records());
        SdlPlatform platform(holders.picture(1));
        Form1 form{platform, holders};
        start_up(form);
    } catch (const FatalError& e) {
        std::fprintf(stderr, "quilmorant: %s\n", e.what());
        return 1;
    }
}
