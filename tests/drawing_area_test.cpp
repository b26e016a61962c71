// Where things are in the client area: the pointer units, the border, and
// where a frame lands.

#include <gtest/gtest.h>

#include <vector>

#include "frames/image_holders.h"
#include "frames/stored_records.h"
#include "view/drawing_area.h"

namespace da = drawing_area;

namespace {

TEST(PointerUnits, InnerCornersAndTheLowestVisibleRow) {
    EXPECT_EQ(da::units_at(2, 2).x, 0);
    EXPECT_EQ(da::units_at(2, 2).y, 0);
    EXPECT_FLOAT_EQ(da::units_at(151, 766).x, 14.88279F) << "the inner width's far edge";
    EXPECT_FLOAT_EQ(da::units_at(151, 766).y, 29.84375F);
    EXPECT_NEAR(da::units_at(150, 351).x, 14.78, 0.005) << "the right-most visible inner column";
    EXPECT_NEAR(da::units_at(2, 351).y, 13.63, 0.005) << "inner row 349, the lowest on screen";
    EXPECT_FLOAT_EQ(da::units_at(0, 0).x, -2 * 14.88279F / 149) << "captured moves left of the area go negative";
    EXPECT_FLOAT_EQ(da::units_at(12, 78).x, static_cast<float>(10 * 14.88279 / 149));
    EXPECT_FLOAT_EQ(da::units_at(12, 78).y, static_cast<float>(76 * 29.84375 / 764));
}

TEST(PointerUnits, TheBorderIsNotTheArea) {
    struct Where {
        int px, py;
        bool inside;
    };
    const Where cases[] = {{2, 2, true},    {150, 351, true}, {1, 100, false}, {100, 1, false},
                           {151, 100, false}, {152, 0, false}, {0, 351, false}, {75, 352, false},
                           {-5, 40, false}};
    for (const Where& w : cases) EXPECT_EQ(da::in_inner_area(w.px, w.py), w.inside) << w.px << ", " << w.py;
}

struct Canvas {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(160 * da::client_height);
    static constexpr int pitch = 160;  // wider than the client area, as a surface may be
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * pitch + x)]; }
};

TEST(ClientArea, BeforeAFrameTheFaceColourAndTheSunkenBorder) {
    Canvas c;
    da::paint_client_area(c.pixels, Canvas::pitch, nullptr);
    EXPECT_EQ(c.at(0, 0), da::shadow);
    EXPECT_EQ(c.at(151, 0), da::shadow);
    EXPECT_EQ(c.at(152, 0), da::highlight);
    EXPECT_EQ(c.at(0, 351), da::shadow);
    EXPECT_EQ(c.at(152, 351), da::highlight);
    EXPECT_EQ(c.at(1, 1), da::dark_shadow);
    EXPECT_EQ(c.at(150, 1), da::dark_shadow);
    EXPECT_EQ(c.at(151, 1), da::light);
    EXPECT_EQ(c.at(1, 351), da::dark_shadow);
    EXPECT_EQ(c.at(151, 351), da::light);
    EXPECT_EQ(c.at(2, 2), da::face);
    EXPECT_EQ(c.at(150, 351), da::face);
}

TEST(ClientArea, AFrameSitsAtTheInnerCornerOneToOneWithItsLastColumnClipped) {
    ImageHolders holders(stored_records());
    const Picture& frame = holders.picture(1);
    Canvas c;
    da::paint_client_area(c.pixels, Canvas::pitch, &frame);
    int mismatches = 0;
    for (int y = 0; y < 350; ++y)
        for (int x = 0; x < 149; ++x)
            mismatches += c.at(x + 2, y + 2) != (frame.is_white(x, y) ? da::white : da::black);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(c.at(4, 345), da::black) << "the frame's dot at (2, 343)";
    for (int y = 2; y < 352; ++y) EXPECT_EQ(c.at(151, y), da::light) << "column 149 of the frame is not shown";
    EXPECT_EQ(c.at(153, 10), da::face) << "nothing painted past the client width";
}

TEST(ClientArea, RepaintingOnlyWhatChangedGivesTheSameAsPaintingAfresh) {
    ImageHolders holders(stored_records());
    // Neighbouring phases, a lift change, and a jump back across the table.
    const int sequence[] = {1, 2, 3, 21, 54, 1, 14, 13};
    Canvas incremental;
    da::paint_client_area(incremental.pixels, Canvas::pitch, nullptr);
    const Picture* painted = nullptr;
    for (int holder : sequence) {
        const Picture& frame = holders.picture(holder);
        da::paint_frame(incremental.pixels, Canvas::pitch, frame, painted);
        painted = &frame;
        Canvas fresh;
        da::paint_client_area(fresh.pixels, Canvas::pitch, &frame);
        EXPECT_EQ(incremental.pixels, fresh.pixels) << "after Image" << holder;
    }
}

}  // namespace
