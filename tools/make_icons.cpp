// Build step: writes the themed icons from frame record 1.
//
//   make_icons RECORD OUTPUT_DIR SIZE...    writes OUTPUT_DIR/quilmorant-SIZE.png
//
// The PNG is written here with stored (uncompressed) deflate blocks, so the
// build needs no image library.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/byte_files.h"
#include "tools/record_file.h"
#include "view/icon_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const Bytes& data, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(Bytes& png, const char* type, const Bytes& body) {
    put32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    put32(png, crc32(png, start));
}

// A zlib stream of stored blocks.
Bytes zlib_stored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        out.push_back(at + n == raw.size() ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(n));
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(~n));
        out.push_back(static_cast<std::uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(out, b << 16 | a);
    return out;
}

Bytes png_of(const std::vector<std::uint32_t>& argb, int size) {
    Bytes raw;  // each row: filter 0, then RGB
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);
        for (int x = 0; x < size; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y * size + x)];
            raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p)});
        }
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put32(header, static_cast<std::uint32_t>(size));
    put32(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib_stored(raw));
    chunk(png, "IEND", {});
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons RECORD OUTPUT_DIR SIZE...\n");
        return 2;
    }
    Picture frame;
    if (const std::string wrong = read_record_file(argv[1], frame); !wrong.empty()) {
        std::fprintf(stderr, "make_icons: %s\n", wrong.c_str());
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const std::string path = std::string(argv[2]) + "/quilmorant-" + argv[i] + ".png";
        if (!write_bytes(path, png_of(icon_image(frame, size), size))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
