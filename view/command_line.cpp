#include "view/command_line.h"

#ifndef QUILMORANT_VERSION
#error "the build defines QUILMORANT_VERSION"
#endif

namespace {

constexpr const char* usage = "usage: quilmorant [--help | --version]";

// What --help prints after the usage line.
constexpr const char* help_body =
    "\n"
    "Plays 54 line drawings of a cam mechanism driving a vertical stem, three\n"
    "lift settings of 18 phases each, in an endless loop.\n"
    "\n"
    "Keys:\n"
    "  -            run backward\n"
    "  + or ,       run forward\n"
    "  /            stop; when standing still, one phase back\n"
    "  * or .       stop; when standing still, one phase forward\n"
    "  space        next lift setting: 0, 1, 2, 1, 0, ...\n"
    "  Esc          quit\n"
    "\n"
    "Pointer, over the picture:\n"
    "  move         sets the pace: fastest at the top left, slower towards the lower right\n"
    "  click        mouse-drive mode on or off; in it every move steps one phase,\n"
    "               forward when the pointer goes down or sideways, back when it goes up;\n"
    "               leaving the mode resumes the motion from before it\n"
    "  double-click quit\n";

}  // namespace

CommandLine read_command_line(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {CommandLine::Action::animate, {}};
    const std::string& first = arguments[0];
    const bool option = first == "--help" || first == "--version";
    if (option && arguments.size() == 1)
        return {CommandLine::Action::print_and_succeed,
                first == "--help" ? std::string(usage) + "\n" + help_body
                                  : std::string("quilmorant ") + QUILMORANT_VERSION + "\n"};
    // Name the first argument that cannot stand where it is: after a valid
    // option, the one that follows it.
    const std::string& odd = option ? arguments[1] : first;
    return {CommandLine::Action::fail_with_usage, "quilmorant: unexpected argument '" + odd + "'; " + usage + "\n"};
}
