#pragma once
// Reads one stored frame record and decodes its bitmap.
//
// Called at start-up for each image holder, and by the build step that
// compiles the records in, so that a bad record is refused in both places
// with the same words.

#include <cstdint>
#include <span>
#include <string>

#include "frames/picture.h"

// Checks every header field the decoding relies on and, when all hold,
// decodes the pixels into `out`. Returns the first thing wrong, in a few
// words ("bitmap length 7000, expected 7062"), or an empty string when `out`
// holds the picture. Never reads outside `record`.
std::string decode_record(std::span<const std::uint8_t> record, Picture& out);
