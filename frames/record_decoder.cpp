#include "frames/record_decoder.h"

#include <algorithm>
#include <cstdio>

#include "frames/record_format.h"

namespace {

namespace rf = record_format;

std::uint32_t u32_at(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t u16_at(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::int32_t i32_at(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(u32_at(b, at));
}

template <typename Value, typename Expected>
std::string mismatch(const char* field, Value got, Expected expected) {
    return std::string(field) + " " + std::to_string(got) + ", expected " + std::to_string(expected);
}

std::string hex_bytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%02X", byte);
        if (!text.empty()) text += ' ';
        text += two;
    }
    return text;
}

// The header fields of the bitmap, in file order. Only called on a span of
// exactly rf::bitmap_size bytes, so every offset below is inside it.
std::string check_bitmap_headers(std::span<const std::uint8_t> bmp) {
    if (bmp[0] != 'B' || bmp[1] != 'M') return "bitmap signature " + hex_bytes(bmp.first(2)) + ", expected \"BM\"";
    if (u32_at(bmp, 2) != rf::bitmap_size) return mismatch("bitmap file size", u32_at(bmp, 2), rf::bitmap_size);
    if (u32_at(bmp, 10) != rf::pixel_offset) return mismatch("pixel-data offset", u32_at(bmp, 10), rf::pixel_offset);
    if (u32_at(bmp, 14) != rf::info_header_size)
        return mismatch("information header size", u32_at(bmp, 14), rf::info_header_size);
    if (i32_at(bmp, 18) != rf::width) return mismatch("width", i32_at(bmp, 18), rf::width);
    if (i32_at(bmp, 22) != rf::height) return mismatch("height", i32_at(bmp, 22), rf::height);
    if (u16_at(bmp, 26) != rf::planes) return mismatch("planes", u16_at(bmp, 26), rf::planes);
    if (u16_at(bmp, 28) != rf::bits_per_pixel) return mismatch("bit depth", u16_at(bmp, 28), rf::bits_per_pixel);
    if (u32_at(bmp, 30) != rf::compression_none) return mismatch("compression", u32_at(bmp, 30), rf::compression_none);
    if (u32_at(bmp, 34) != rf::image_size) return mismatch("image size", u32_at(bmp, 34), rf::image_size);
    // Zero colours used means the full two-entry table for one bit a pixel.
    if (u32_at(bmp, 46) != 0) return mismatch("colours used", u32_at(bmp, 46), 0);
    const auto table = bmp.subspan(rf::colour_table_offset, sizeof rf::colour_table);
    if (!std::equal(table.begin(), table.end(), std::begin(rf::colour_table)))
        return "colour table " + hex_bytes(table) + ", expected black then white (" +
               hex_bytes(rf::colour_table) + ")";
    return {};
}

}  // namespace

std::string decode_record(std::span<const std::uint8_t> record, Picture& out) {
    if (record.size() < rf::header_size)
        return "record is " + std::to_string(record.size()) + " bytes, shorter than its " +
               std::to_string(rf::header_size) + "-byte header";
    if (!std::equal(std::begin(rf::magic), std::end(rf::magic), record.begin()))
        return "magic " + hex_bytes(record.first(4)) + ", expected " + hex_bytes(rf::magic);
    const std::uint32_t stated = u32_at(record, 4);
    if (stated != rf::bitmap_size) return mismatch("bitmap length", stated, rf::bitmap_size);
    const std::size_t present = record.size() - rf::header_size;
    if (present != stated)
        return "record holds " + std::to_string(present) + " bitmap bytes, its header states " +
               std::to_string(stated);

    const auto bmp = record.subspan(rf::header_size);
    if (std::string wrong = check_bitmap_headers(bmp); !wrong.empty()) return wrong;

    // Rows are stored bottom first; the picture keeps them top first.
    const auto pixels = bmp.subspan(rf::pixel_offset, rf::image_size);
    for (int stored = 0; stored < rf::height; ++stored) {
        const auto row = pixels.subspan(static_cast<std::size_t>(stored) * rf::row_bytes, rf::row_bytes);
        std::copy(row.begin(), row.end(),
                  out.bits.begin() + static_cast<std::ptrdiff_t>((rf::height - 1 - stored) * Picture::row_bytes));
    }
    return {};
}
