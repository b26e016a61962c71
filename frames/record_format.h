#pragma once
// The layout of a stored frame record: an 8-byte header ("lt", two zero
// bytes, the bitmap's length) followed by a 1-bit 150 x 350 Windows bitmap.
// The decoder checks against these values and the frame generator writes
// them, so both read them from here.

#include <cstddef>
#include <cstdint>

namespace record_format {

inline constexpr std::uint8_t magic[4] = {0x6C, 0x74, 0x00, 0x00};
inline constexpr std::size_t header_size = 8;

inline constexpr std::uint32_t bitmap_size = 7062;
inline constexpr std::size_t record_size = header_size + bitmap_size;  // 7070

// Offsets inside the bitmap.
inline constexpr std::size_t file_header_size = 14;
inline constexpr std::uint32_t info_header_size = 40;
inline constexpr std::size_t colour_table_offset = file_header_size + info_header_size;  // 54
inline constexpr std::uint32_t pixel_offset = 62;
inline constexpr std::int32_t width = 150;
inline constexpr std::int32_t height = 350;  // positive: bottom row stored first
inline constexpr std::uint16_t planes = 1;
inline constexpr std::uint16_t bits_per_pixel = 1;
inline constexpr std::uint32_t compression_none = 0;
inline constexpr std::uint32_t row_bytes = 20;
inline constexpr std::uint32_t image_size = row_bytes * height;  // 7000

// Colour table entries, blue, green, red, reserved: 0 is black, 1 is white.
inline constexpr std::uint8_t colour_table[8] = {0, 0, 0, 0, 255, 255, 255, 0};

}  // namespace record_format
