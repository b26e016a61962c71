#pragma once
// The geometry and look of the window's client area and of the drawing area
// Picture1 docked at its top, in window pixels. Plain arithmetic and a pixel
// buffer, so that where a frame sits, the border and the pointer units are
// tested without a display.

#include <cstdint>
#include <span>

#include "frames/picture.h"

namespace drawing_area {

// Client area of the window: 2295 x 5280 twips at 15 twips a pixel.
inline constexpr int client_width = 153;
inline constexpr int client_height = 352;

// Picture1 spans the client width and is taller than the client area, so
// only its upper part is ever on screen. Its sunken border is 2 pixels wide.
inline constexpr int area_height = 768;
inline constexpr int border = 2;
inline constexpr int inner_width = client_width - 2 * border;  // 149
inline constexpr int inner_height = area_height - 2 * border;  // 764

// The area's own units across its inner area.
inline constexpr double units_wide = 14.88279;
inline constexpr double units_high = 29.84375;

// Colours, 0xAARRGGBB.
inline constexpr std::uint32_t face = 0xFFD4D0C8;       // window and area background
inline constexpr std::uint32_t shadow = 0xFF808080;     // outer edge, top and left
inline constexpr std::uint32_t highlight = 0xFFFFFFFF;  // outer edge, right
inline constexpr std::uint32_t dark_shadow = 0xFF404040;  // inner edge, top and left
inline constexpr std::uint32_t light = 0xFFD4D0C8;        // inner edge, right
inline constexpr std::uint32_t black = 0xFF000000;
inline constexpr std::uint32_t white = 0xFFFFFFFF;

// A window pixel in the area's units: x = (px - 2) x 14.88279 / 149 and
// y = (py - 2) x 29.84375 / 764, rounded once to single precision. Pixels
// outside the inner area give values outside its range, negative included.
struct Units {
    float x;
    float y;
};
Units units_at(int px, int py);

// Whether window pixel (px, py) lies in the inner area, where the pointer
// belongs to the drawing area. The 2-pixel border does not.
bool in_inner_area(int px, int py);

// The client area as shown: `pixels` holds client_height rows of
// `pitch` pixels each (pitch >= client_width). Paints the background, the
// border and, when there is one, `picture` at the inner top-left corner,
// clipped to the inner area.
void paint_client_area(std::span<std::uint32_t> pixels, int pitch, const Picture* picture);

// Repaints only the frame's part of a client area that paint_client_area
// has painted before: what changes from one shown frame to the next.
// `painted` is the frame the area shows now, or nullptr to paint it all.
void paint_frame(std::span<std::uint32_t> pixels, int pitch, const Picture& picture, const Picture* painted);

// Rows of the client area that the drawing area does not cover, the only part
// where the window's own drawing surface shows: [first, client_height).
inline constexpr int first_uncovered_row = area_height < client_height ? area_height : client_height;

}  // namespace drawing_area
