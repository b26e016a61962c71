#pragma once
// One decoded frame: 150 x 350 pixels, one bit each, kept packed so that a
// frame costs 7000 bytes and is expanded only when it is shown.

#include <array>
#include <cstddef>
#include <cstdint>

struct Picture {
    static constexpr int width = 150;
    static constexpr int height = 350;
    static constexpr int row_bytes = 20;  // 150 bits padded to a 4-byte boundary

    // Rows top first; within a row the most significant bit is the left-most
    // pixel. A set bit is white, a clear bit black.
    std::array<std::uint8_t, row_bytes * height> bits{};

    bool is_white(int x, int y) const {
        const std::uint8_t byte = bits[static_cast<std::size_t>(y * row_bytes + x / 8)];
        return ((byte >> (7 - x % 8)) & 1U) != 0;
    }
};
