// libFuzzer target for the frame record decoder: every input is either a
// whole, valid record that decodes to a picture, or refused with a reason.
// The sanitizers catch any read outside the input.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "frames/record_decoder.h"
#include "frames/record_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Picture picture;
    const std::string wrong = decode_record({data, size}, picture);
    if (wrong.empty() && size != record_format::record_size) std::abort();  // accepted a record of the wrong size
    if (!wrong.empty() && wrong.size() > 200) std::abort();                 // a reason is a few words
    return 0;
}
