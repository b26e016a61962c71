#include "view/icon_image.h"

namespace {

// The part of a frame that reads as the mechanism at a glance: the cam, the
// intermediate roller and the control piece.
constexpr int crop_left = 12;
constexpr int crop_top = 14;
constexpr int crop_size = 112;

}  // namespace

std::vector<std::uint32_t> icon_image(const Picture& frame, int size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int fx = crop_left + x * crop_size / size;
            const int fy = crop_top + y * crop_size / size;
            pixels[static_cast<std::size_t>(y * size + x)] = frame.is_white(fx, fy) ? 0xFFFFFFFF : 0xFF000000;
        }
    return pixels;
}
