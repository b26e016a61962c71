#pragma once
// A failure that ends the program: a bad frame record, a platform call that
// did not work, a frame slot out of range. The entry point prints what() on
// stderr and exits with status 1.

#include <stdexcept>

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
