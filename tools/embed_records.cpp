// Build step: compiles the frame records of frames/data/ into the program.
//
//   embed_records OUTPUT.cpp RECORD...
//
// Each record is checked with the program's own decoder first, so that a bad
// one stops the build with the same words start-up would use
// ("Image12: bitmap length 7000, expected 7062"). A record's holder is the
// stem of its file name.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "frames/record_decoder.h"
#include "tools/byte_files.h"

namespace {

struct Input {
    std::string holder;
    std::vector<std::uint8_t> bytes;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: embed_records OUTPUT.cpp RECORD...\n");
        return 2;
    }
    std::vector<Input> inputs;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        Input input{path.stem().string(), {}};
        if (!read_bytes(path, input.bytes)) {
            std::fprintf(stderr, "embed_records: %s: cannot read %s\n", input.holder.c_str(), argv[i]);
            return 1;
        }
        Picture picture;
        if (const std::string wrong = decode_record(input.bytes, picture); !wrong.empty()) {
            std::fprintf(stderr, "embed_records: %s: %s\n", input.holder.c_str(), wrong.c_str());
            return 1;
        }
        inputs.push_back(std::move(input));
    }
    // By name, as a directory lists them: the program finds holders by name.
    std::sort(inputs.begin(), inputs.end(), [](const Input& a, const Input& b) { return a.holder < b.holder; });

    std::string out = "// Written by tools/embed_records from frames/data/; not to be edited.\n"
                      "#include \"frames/stored_records.h\"\n\nnamespace {\n";
    for (const Input& input : inputs) {
        out += "const std::uint8_t " + input.holder + "[] = {";
        for (std::size_t i = 0; i < input.bytes.size(); ++i) {
            out += (i % 24 == 0 ? "\n" : "");
            out += std::to_string(input.bytes[i]) + ",";
        }
        out += "\n};\n";
    }
    out += "const StoredRecord table[] = {\n";
    for (const Input& input : inputs) out += "    {\"" + input.holder + "\", " + input.holder + "},\n";
    out += "};\n}  // namespace\n\nstd::span<const StoredRecord> stored_records() { return table; }\n";

    if (!write_bytes(argv[1], out)) {
        std::fprintf(stderr, "embed_records: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
