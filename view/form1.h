#pragma once
// The program's one window, Form1: it owns the animation state and the frame
// table for the life of the process, and reaches the screen and the event
// queue through its platform.

#include "core/animation_state.h"
#include "frames/frame_table.h"
#include "frames/image_holders.h"
#include "view/platform.h"

struct Form1 {
    Platform& platform;
    ImageHolders& holders;
    AnimationState state{};
    FrameTable frames{};
};
