#pragma once
// The command line: nothing, --help or --version. Anything else is an error.

#include <string>
#include <vector>

struct CommandLine {
    enum class Action { animate, print_and_succeed, fail_with_usage };
    Action action;
    std::string text;  // what to print: on stdout to succeed, on stderr to fail
};

CommandLine read_command_line(const std::vector<std::string>& arguments);
