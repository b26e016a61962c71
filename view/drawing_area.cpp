#include "view/drawing_area.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace drawing_area {

Units units_at(int px, int py) {
    return {static_cast<float>((px - border) * units_wide / inner_width),
            static_cast<float>((py - border) * units_high / inner_height)};
}

bool in_inner_area(int px, int py) {
    return px >= border && px < border + inner_width && py >= border && py < border + inner_height &&
           py < client_height;
}

namespace {

// The classic sunken edge, two lines deep. Its bottom lies below the client
// area and is never painted.
void paint_border(std::span<std::uint32_t> pixels, int pitch) {
    auto at = [&](int x, int y) -> std::uint32_t& { return pixels[static_cast<std::size_t>(y * pitch + x)]; };
    const int right = client_width - 1;
    for (int x = 0; x < right; ++x) at(x, 0) = shadow;
    for (int y = 0; y < client_height; ++y) at(0, y) = shadow;
    for (int y = 0; y < client_height; ++y) at(right, y) = highlight;
    for (int x = 1; x < right - 1; ++x) at(x, 1) = dark_shadow;
    for (int y = 1; y < client_height; ++y) at(1, y) = dark_shadow;
    for (int y = 1; y < client_height; ++y) at(right - 1, y) = light;
}

}  // namespace

void paint_client_area(std::span<std::uint32_t> pixels, int pitch, const Picture* picture) {
    std::fill(pixels.begin(), pixels.end(), face);
    paint_border(pixels, pitch);
    if (picture != nullptr) paint_frame(pixels, pitch, *picture, nullptr);
}

void paint_frame(std::span<std::uint32_t> pixels, int pitch, const Picture& picture, const Picture* painted) {
    // Eight pixels a byte from a table, and only the bytes that differ from
    // the frame already painted: at full speed this runs thousands of times
    // a second, and one phase differs from the next in a small part.
    static const auto expanded = [] {
        std::array<std::array<std::uint32_t, 8>, 256> table{};
        for (int byte = 0; byte < 256; ++byte)
            for (int bit = 0; bit < 8; ++bit) table[byte][bit] = (byte >> (7 - bit)) & 1 ? white : black;
        return table;
    }();
    constexpr int shown_width = std::min(Picture::width, inner_width);
    constexpr int shown_height = std::min({Picture::height, inner_height, client_height - border});
    constexpr int shown_bytes = (shown_width + 7) / 8;
    for (int y = 0; y < shown_height; ++y) {
        std::uint32_t* row = &pixels[static_cast<std::size_t>((y + border) * pitch + border)];
        const std::size_t first = static_cast<std::size_t>(y * Picture::row_bytes);
        if (painted != nullptr && std::memcmp(&picture.bits[first], &painted->bits[first], shown_bytes) == 0) continue;
        for (int b = 0; b < shown_bytes; ++b) {
            const std::uint8_t byte = picture.bits[first + static_cast<std::size_t>(b)];
            if (painted != nullptr && painted->bits[first + static_cast<std::size_t>(b)] == byte) continue;
            const int x = 8 * b;
            std::copy_n(expanded[byte].begin(), std::min(8, shown_width - x), row + x);
        }
    }
}

}  // namespace drawing_area
