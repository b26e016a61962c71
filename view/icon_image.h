#pragma once
// The program's icon: the cam and its rollers, cut square from a frame and
// scaled with nearest-neighbour sampling so the line art stays hard-edged.
// Used for the window icon at run time and by the build for the themed PNGs.

#include <cstdint>
#include <vector>

#include "frames/picture.h"

// size x size pixels, 0xAARRGGBB, rows top first.
std::vector<std::uint32_t> icon_image(const Picture& frame, int size);
