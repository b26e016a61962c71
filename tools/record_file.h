#pragma once
// A frame record read from a file and decoded, for the tools and the
// benchmarks.

#include <filesystem>
#include <string>
#include <vector>

#include "frames/record_decoder.h"
#include "tools/byte_files.h"

// Decodes the record at `path` into `picture`. Returns "" on success, else
// what went wrong: "cannot read PATH" or "PATH: <the decoder's reason>".
inline std::string read_record_file(const std::filesystem::path& path, Picture& picture) {
    std::vector<std::uint8_t> bytes;
    if (!read_bytes(path, bytes)) return "cannot read " + path.string();
    if (std::string wrong = decode_record(bytes, picture); !wrong.empty()) return path.string() + ": " + wrong;
    return {};
}
