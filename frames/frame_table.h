#pragma once
// The frame table: 54 slots, slot = 18 x lift + phase, each referring to the
// picture of one image holder (slot s to holder Image s+1).

#include <array>

#include "frames/picture.h"

inline constexpr int phase_count = 18;
inline constexpr int lift_count = 3;
inline constexpr int frame_count = phase_count * lift_count;  // 54

using FrameTable = std::array<const Picture*, frame_count>;
