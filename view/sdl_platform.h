#pragma once
// The platform on SDL2: the window Form1 with its drawing area, its event
// queue and the end of the process. Everything SDL is behind this header.

#include <memory>

#include "view/platform.h"

class SdlPlatform final : public Platform {
public:
    // Opens and shows the window, with the face colour and the border but no
    // frame yet, its icon cut from `icon_frame`. Throws FatalError naming the
    // SDL call that failed.
    explicit SdlPlatform(const Picture& icon_frame);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    void show_picture(const Picture& picture) override;
    void wait(std::chrono::microseconds duration) override;
    std::span<const WindowEvent> pending_events() override;
    void clear_window() override;
    [[noreturn]] void end_process() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};
