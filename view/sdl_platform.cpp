#include "view/sdl_platform.h"

#include <SDL.h>
#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "view/drawing_area.h"
#include "view/icon_image.h"
#include "view/sdl_events.h"
#include "view/x11_window.h"

namespace da = drawing_area;

namespace {

constexpr const char* caption = "Quilmorant In 3Lifts SpaceBar+-/*mouse,. ESC";

[[noreturn]] void fail(const std::string& call) { throw FatalError(call + " failed: " + SDL_GetError()); }

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC

void sleep_until(Clock::time_point when) {
    const auto since_epoch = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch());
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(since_epoch.count() / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(since_epoch.count() % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
    }
}

void set_icon(SDL_Window* window, const Picture& frame) {
    constexpr int size = 64;
    std::vector<std::uint32_t> pixels = icon_image(frame, size);
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) fail("SDL_CreateRGBSurfaceWithFormatFrom");
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

}  // namespace

struct SdlPlatform::State {
    SDL_Window* window = nullptr;
    // Where the client area is painted: straight into the window surface when
    // it stores 32-bit xRGB pixels, as on any 24-bit X display; otherwise
    // into `canvas`, which each present converts onto the window surface.
    SDL_Surface* surface = nullptr;
    SDL_Surface* canvas = nullptr;
    const Picture* shown = nullptr;

    std::vector<WindowEvent> pending;  // arrived, not yet handed to the pump
    std::vector<WindowEvent> handed;   // what the last pump was given

    SdlEvents events;

    void open_surface() {
        SDL_Surface* window_surface = SDL_GetWindowSurface(window);
        if (window_surface == nullptr) fail("SDL_GetWindowSurface");
        const auto format = window_surface->format->format;
        if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
            surface = window_surface;
        } else {
            canvas = SDL_CreateRGBSurfaceWithFormat(0, da::client_width, da::client_height, 32,
                                                    SDL_PIXELFORMAT_ARGB8888);
            if (canvas == nullptr) fail("SDL_CreateRGBSurfaceWithFormat");
            surface = canvas;
        }
        da::paint_client_area(pixels(), pitch(), nullptr);
    }

    // Makes `surface` current before it is painted or shown. SDL replaces the
    // window surface if the window's size ever changes (a window manager may
    // ignore the fixed size); the new one starts blank, so the whole client
    // area is painted on it again.
    void refresh_surface() {
        if (canvas != nullptr) return;
        SDL_Surface* window_surface = SDL_GetWindowSurface(window);
        if (window_surface == nullptr) fail("SDL_GetWindowSurface");
        if (window_surface == surface) return;
        surface = window_surface;
        da::paint_client_area(pixels(), pitch(), shown);
    }

    std::span<std::uint32_t> pixels() const {
        return {static_cast<std::uint32_t*>(surface->pixels), static_cast<std::size_t>(pitch() * da::client_height)};
    }
    int pitch() const { return surface->pitch / 4; }

    // Shows what is painted; `surface` must be current (refresh_surface).
    void present() {
        if (canvas != nullptr) {
            SDL_Surface* window_surface = SDL_GetWindowSurface(window);
            if (window_surface == nullptr) fail("SDL_GetWindowSurface");
            if (SDL_BlitSurface(canvas, nullptr, window_surface, nullptr) != 0) fail("SDL_BlitSurface");
        }
        if (SDL_UpdateWindowSurface(window) != 0) fail("SDL_UpdateWindowSurface");
    }

    // Takes one SDL event into `pending`, repainting on an expose. Returns
    // true when what it queued ends the program.
    bool take(const SDL_Event& ev) {
        const std::size_t before = pending.size();
        if (events.translate(ev, pending) == SdlEvents::Effect::repaint) {
            refresh_surface();
            present();
        }
        for (std::size_t i = before; i < pending.size(); ++i)
            if (ends_program(pending[i])) return true;
        return false;
    }
};

SdlPlatform::SdlPlatform(const Picture& icon_frame) : state_(std::make_unique<State>()) {
    prctl(PR_SET_TIMERSLACK, 1UL);  // pauses end within microseconds of their deadline
    // A 153 x 352 two-colour picture needs no OpenGL: show it through the
    // window surface, which on X11 is a plain shared-memory image.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    // A button pressed over the area keeps the pointer's moves coming, also
    // outside the window.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    // Only a desktop display will do, never SDL's invisible off-screen one.
    // (SDL_VIDEODRIVER in the environment still overrides this.)
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        const std::string x11_error = SDL_GetError();
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
        if (std::getenv("WAYLAND_DISPLAY") == nullptr || SDL_Init(SDL_INIT_VIDEO) != 0)
            throw FatalError("cannot open the display: SDL_Init(SDL_INIT_VIDEO) failed: " + x11_error);
    }

    State& s = *state_;
    s.window = SDL_CreateWindow(caption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, da::client_width,
                                da::client_height, SDL_WINDOW_HIDDEN);
    if (s.window == nullptr) fail("SDL_CreateWindow");
    ask_for_fixed_frame(s.window);
    set_icon(s.window, icon_frame);
    end_on_lost_display(s.window);

    s.open_surface();

    SDL_ShowWindow(s.window);
    SDL_RaiseWindow(s.window);  // the drawing area takes the keyboard focus at start
    SDL_StartTextInput();
    s.present();
}

SdlPlatform::~SdlPlatform() {
    if (state_->canvas != nullptr) SDL_FreeSurface(state_->canvas);
    if (state_->window != nullptr) SDL_DestroyWindow(state_->window);
    SDL_Quit();
}

void SdlPlatform::show_picture(const Picture& picture) {
    if (&picture == state_->shown) return;  // nothing on screen would change
    state_->refresh_surface();
    da::paint_frame(state_->pixels(), state_->pitch(), picture, state_->shown);
    state_->shown = &picture;
    state_->present();
}

void SdlPlatform::wait(std::chrono::microseconds duration) {
    using namespace std::chrono_literals;
    const auto deadline = Clock::now() + duration;
    // Sleep on the event queue while the deadline is far, then on the clock,
    // and spin only through the last 30 microseconds, so that a long pause
    // costs almost no processor time and still ends on time. (The timer slack
    // is cut to 1 ns at start-up, so a clock sleep overshoots by far less.)
    constexpr auto spin_tail = 30us;
    for (;;) {
        const auto remaining = deadline - Clock::now();
        if (remaining <= 0s) return;
        // SDL's wait counts whole milliseconds and may overrun by one; the
        // clock finishes the last two.
        if (remaining > 3ms) {
            const auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(remaining - 2ms);
            SDL_Event ev;
            if (SDL_WaitEventTimeout(&ev, static_cast<int>(std::min<std::int64_t>(timeout.count(), 1'000'000))) &&
                state_->take(ev))
                return;
        } else if (remaining > spin_tail) {
            sleep_until(deadline - spin_tail);
        }
    }
}

std::span<const WindowEvent> SdlPlatform::pending_events() {
    SDL_PumpEvents();
    SDL_Event ev;
    while (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) state_->take(ev);
    state_->handed.clear();
    state_->handed.swap(state_->pending);
    return state_->handed;
}

void SdlPlatform::clear_window() {
    // The window's own surface shows only where the drawing area does not
    // cover the client area; docked and taller than it, the area covers all.
    state_->refresh_surface();
    const auto pixels = state_->pixels();
    const int pitch = state_->pitch();
    for (int y = da::first_uncovered_row; y < da::client_height; ++y)
        std::fill_n(pixels.begin() + y * pitch, da::client_width, da::face);
}

[[noreturn]] void SdlPlatform::end_process() {
    // At once, without SDL's teardown: the X server frees the window when the
    // connection closes, and tearing down from inside a pump can make SDL
    // wake a window it has already destroyed (a BadWindow error, status 1).
    std::_Exit(0);
}
