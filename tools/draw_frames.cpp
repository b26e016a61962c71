// Draws the 54 frames of the cam mechanism and writes them as frame records.
//
//   draw_frames OUTPUT_DIR      writes OUTPUT_DIR/Image1.rec ... Image54.rec
//
// Holder Image j shows slot j - 1: lift (j - 1) / 18, phase (j - 1) % 18.
// The drawing comes from a small model of the mechanism: a cam turning
// counter-clockwise 20 degrees a phase pushes an intermediate roller down; a
// control piece pivoting at the left holds the roller's link, and its angle,
// one per lift, sets how much of that push reaches the follower roller and
// the stem below it. Rendering is 1-bit with antialiasing off, so the same
// cairo gives the same bytes every time.

#include <cairo.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "frames/record_format.h"
#include "tools/byte_files.h"

namespace {

namespace rf = record_format;

constexpr double pi = std::numbers::pi;
double radians(double degrees) { return degrees * pi / 180.0; }

// Wraps an angle in degrees into (-180, 180].
double wrap(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a <= -180.0) a += 360.0;
    if (a > 180.0) a -= 360.0;
    return a;
}

// ---- The model ------------------------------------------------------------

struct Point {
    double x, y;
};

constexpr Point shaft{68, 56};
constexpr double shaft_radius = 7;
constexpr double cam_base_radius = 22;
constexpr double cam_lobe_height = 16;
constexpr double intermediate_radius = 9;
constexpr double follower_radius = 8;
constexpr double follower_rest_y = 170;
constexpr double stem_x = 100;
constexpr double stem_half_width = 4;
constexpr double stem_rest_bottom = 300;
constexpr Point control_pivot{24, 124};
constexpr double control_length = 28;
constexpr std::array<double, 3> control_angle = {40, 22, 4};  // degrees above horizontal, per lift
constexpr std::array<double, 3> stem_travel = {18, 10, 4};    // pixels, per lift

// How far the lobe lifts the cam surface at angle `alpha` (degrees) from its
// nose: a steep rise on the leading side, a longer fall behind it, so that in
// the smallest lift the two phases around the top round to the same depth.
double lobe(double alpha) {
    if (alpha > 0 && alpha <= 80) return 1 - (alpha / 80) * (alpha / 80);
    if (alpha <= 0 && alpha >= -85) {
        const double c = std::cos(radians(90 * alpha / 85));
        return c * c;
    }
    return 0;
}

// The nose points right at phase 0 and turns counter-clockwise as drawn.
double nose_angle(int phase) { return 10 + 20.0 * phase; }

double cam_radius(double angle, int phase) {
    return cam_base_radius + cam_lobe_height * lobe(wrap(angle - nose_angle(phase)));
}

Point cam_point(double angle, int phase) {
    const double r = cam_radius(angle, phase);
    return {shaft.x + r * std::cos(radians(angle)), shaft.y - r * std::sin(radians(angle))};
}

// The intermediate roller rides on the cam, straight below the shaft: its
// centre is as high as it can be without cutting into the cam outline.
double intermediate_y(int phase) {
    double lowest = shaft.y + cam_base_radius + intermediate_radius;
    for (int i = 0; i < 3600; ++i) {
        const Point p = cam_point(i / 10.0, phase);
        const double dx = p.x - shaft.x;
        if (std::abs(dx) > intermediate_radius) continue;
        lowest = std::max(lowest, p.y + std::sqrt(intermediate_radius * intermediate_radius - dx * dx));
    }
    return lowest;
}

// How far the stem is pushed down, in whole pixels.
int stem_depth(int lift, int phase) {
    const double push = lobe(wrap(-90 - nose_angle(phase)));
    return static_cast<int>(std::lround(stem_travel[static_cast<std::size_t>(lift)] * push));
}

// ---- Drawing ----------------------------------------------------------------

// On the 1-bit surface ink is an opaque pixel; "white" paints transparency.
void fill_white_then_outline(cairo_t* cr) {
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill_preserve(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_stroke(cr);
}

void circle(cairo_t* cr, Point c, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * pi);
}

// A bar of width w with round ends from a to b.
void bar(cairo_t* cr, Point a, Point b, double w) {
    const double angle = std::atan2(b.y - a.y, b.x - a.x);
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.x, b.y, w / 2, angle - pi / 2, angle + pi / 2);
    cairo_arc(cr, a.x, a.y, w / 2, angle + pi / 2, angle + 3 * pi / 2);
    cairo_close_path(cr);
}

void hatch(cairo_t* cr, double x0, double y0, double x1, double y1, double step) {
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr);
    for (double x = x0 - (y1 - y0); x < x1; x += step) {
        cairo_move_to(cr, x, y1);
        cairo_line_to(cr, x + (y1 - y0), y0);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void draw_frame(cairo_t* cr, int lift, int phase) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);

    // Dashed reference line at the left.
    const double dashes[] = {6, 4};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_move_to(cr, 6.5, 12);
    cairo_line_to(cr, 6.5, 332);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    const int depth = stem_depth(lift, phase);
    const Point follower{stem_x + 0.5, follower_rest_y + depth + 0.5};
    const Point intermediate{shaft.x + 0.5, intermediate_y(phase) + 0.5};
    const double beta = radians(control_angle[static_cast<std::size_t>(lift)]);
    const Point pivot{control_pivot.x + 0.5, control_pivot.y + 0.5};
    const Point control_end{pivot.x + control_length * std::cos(beta), pivot.y - control_length * std::sin(beta)};

    // Guide block at the right of the stem, fixed, hatched.
    cairo_rectangle(cr, stem_x + stem_half_width + 1.5, 226.5, 18, 36);
    cairo_stroke(cr);
    hatch(cr, stem_x + stem_half_width + 2, 227, stem_x + stem_half_width + 20, 263, 5);
    // Rest mark for the stem's lower end.
    cairo_move_to(cr, stem_x + 9, stem_rest_bottom + 0.5);
    cairo_line_to(cr, stem_x + 16, stem_rest_bottom + 0.5);
    cairo_stroke(cr);

    // The stem, moving with the follower roller on its top.
    cairo_rectangle(cr, stem_x - stem_half_width + 0.5, follower.y, 2 * stem_half_width,
                    stem_rest_bottom + depth - follower.y + 0.5);
    fill_white_then_outline(cr);
    circle(cr, follower, follower_radius);
    fill_white_then_outline(cr);
    circle(cr, follower, 1.5);
    cairo_fill(cr);

    // Swing arm from the intermediate roller down to a pad on the follower.
    const Point pad{follower.x, follower.y - follower_radius - 2};
    bar(cr, intermediate, pad, 6);
    fill_white_then_outline(cr);
    cairo_rectangle(cr, pad.x - 8, pad.y - 1, 16, 3);
    fill_white_then_outline(cr);

    // Ground under the control piece's pivot.
    cairo_move_to(cr, pivot.x - 10, pivot.y + 8);
    cairo_line_to(cr, pivot.x + 10, pivot.y + 8);
    cairo_stroke(cr);
    hatch(cr, pivot.x - 10, pivot.y + 8, pivot.x + 10, pivot.y + 13, 4);

    // Control piece: a lever on its pivot, at this lift's angle, and the link
    // from its end to the intermediate roller.
    bar(cr, pivot, control_end, 9);
    fill_white_then_outline(cr);
    bar(cr, control_end, intermediate, 5);
    fill_white_then_outline(cr);
    circle(cr, pivot, 3);
    fill_white_then_outline(cr);
    circle(cr, control_end, 2);
    cairo_fill(cr);

    // Intermediate roller.
    circle(cr, intermediate, intermediate_radius);
    fill_white_then_outline(cr);
    circle(cr, intermediate, 1.5);
    cairo_fill(cr);

    // The cam lobe around its shaft, with a key mark on the shaft.
    for (int i = 0; i < 720; ++i) {
        const Point p = cam_point(i / 2.0, phase);
        if (i == 0)
            cairo_move_to(cr, p.x + 0.5, p.y + 0.5);
        else
            cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
    }
    cairo_close_path(cr);
    fill_white_then_outline(cr);
    const Point centre{shaft.x + 0.5, shaft.y + 0.5};
    circle(cr, centre, shaft_radius);
    cairo_stroke(cr);
    const double key = radians(nose_angle(phase));
    cairo_move_to(cr, centre.x, centre.y);
    cairo_line_to(cr, centre.x + shaft_radius * std::cos(key), centre.y - shaft_radius * std::sin(key));
    cairo_stroke(cr);

    // The single dot near the lower left corner.
    cairo_rectangle(cr, 2, 343, 1, 1);
    cairo_fill(cr);
}

// ---- The record --------------------------------------------------------------

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool inked(const unsigned char* data, int stride, int x, int y) {
    // A1 packs pixels into 32-bit words in the machine's own bit order.
    std::uint32_t word;
    std::memcpy(&word, data + y * stride + (x / 32) * 4, 4);
    const int bit = std::endian::native == std::endian::little ? x % 32 : 31 - x % 32;
    return ((word >> bit) & 1U) != 0;
}

std::vector<std::uint8_t> record_of(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);

    std::vector<std::uint8_t> out(std::begin(rf::magic), std::end(rf::magic));
    put32(out, rf::bitmap_size);
    out.push_back('B');
    out.push_back('M');
    put32(out, rf::bitmap_size);
    put32(out, 0);  // reserved
    put32(out, rf::pixel_offset);
    put32(out, rf::info_header_size);
    put32(out, static_cast<std::uint32_t>(rf::width));
    put32(out, static_cast<std::uint32_t>(rf::height));
    put16(out, rf::planes);
    put16(out, rf::bits_per_pixel);
    put32(out, rf::compression_none);
    put32(out, rf::image_size);
    put32(out, 0);  // horizontal resolution
    put32(out, 0);  // vertical resolution
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    out.insert(out.end(), std::begin(rf::colour_table), std::end(rf::colour_table));
    for (int y = rf::height - 1; y >= 0; --y) {  // bottom row first
        std::uint8_t row[rf::row_bytes] = {};
        for (int x = 0; x < rf::width; ++x)
            if (!inked(data, stride, x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));  // 1 is white
        out.insert(out.end(), std::begin(row), std::end(row));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_frames OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (int holder = 1; holder <= 54; ++holder) {
        const int slot = holder - 1;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A1, rf::width, rf::height);
        cairo_t* cr = cairo_create(surface);
        draw_frame(cr, slot / 18, slot % 18);
        const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
        cairo_destroy(cr);
        std::vector<std::uint8_t> record;
        if (drawn) record = record_of(surface);
        cairo_surface_destroy(surface);
        const std::filesystem::path path = dir / ("Image" + std::to_string(holder) + ".rec");
        if (!drawn || record.size() != rf::record_size) {
            std::fprintf(stderr, "draw_frames: Image%d: drawing failed\n", holder);
            return 1;
        }
        if (!write_bytes(path, record)) {
            std::fprintf(stderr, "draw_frames: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
