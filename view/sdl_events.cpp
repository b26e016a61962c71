#include "view/sdl_events.h"

#include "view/drawing_area.h"

namespace da = drawing_area;

namespace {

// The code points of a UTF-8 string; a malformed sequence ends it.
std::vector<char32_t> code_points(const char* text) {
    std::vector<char32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        const int extra = *p < 0x80 ? 0 : (*p >> 5) == 6 ? 1 : (*p >> 4) == 14 ? 2 : (*p >> 3) == 30 ? 3 : -1;
        if (extra < 0) return out;
        char32_t c = extra == 0 ? *p : *p & (0x3F >> extra);
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) return out;  // also stops at the terminating zero
            c = c << 6 | (p[i] & 0x3F);
        }
        out.push_back(c);
        p += extra + 1;
    }
    return out;
}

}  // namespace

SdlEvents::Effect SdlEvents::translate(const SDL_Event& ev, std::vector<WindowEvent>& out) {
    switch (ev.type) {
        case SDL_QUIT:
            out.push_back({WindowEvent::Kind::close_request});
            break;
        case SDL_WINDOWEVENT:
            if (ev.window.event == SDL_WINDOWEVENT_CLOSE) out.push_back({WindowEvent::Kind::close_request});
            if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) return Effect::repaint;
            break;
        case SDL_KEYDOWN:
            // Esc types no text; it comes from the key itself.
            if (ev.key.keysym.sym == SDLK_ESCAPE) out.push_back({WindowEvent::Kind::key_press, 27});
            break;
        case SDL_TEXTINPUT:
            for (char32_t c : code_points(ev.text.text))
                if (c >= 1 && c <= 255) out.push_back({WindowEvent::Kind::key_press, static_cast<std::int16_t>(c)});
            break;
        case SDL_MOUSEMOTION:
            if (da::in_inner_area(ev.motion.x, ev.motion.y) || (buttons_pressed_over_area_ & ev.motion.state) != 0) {
                const da::Units at = da::units_at(ev.motion.x, ev.motion.y);
                out.push_back({WindowEvent::Kind::mouse_move, 0, at.x, at.y});
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (!da::in_inner_area(ev.button.x, ev.button.y)) break;
            buttons_pressed_over_area_ |= SDL_BUTTON(ev.button.button);
            if (ev.button.button != SDL_BUTTON_LEFT) break;
            // The second press of a double-click is the DblClick, not a Click.
            left_press_over_area_ = ev.button.clicks < 2;
            if (ev.button.clicks >= 2) out.push_back({WindowEvent::Kind::dbl_click});
            break;
        case SDL_MOUSEBUTTONUP:
            buttons_pressed_over_area_ &= ~SDL_BUTTON(ev.button.button);
            if (ev.button.button != SDL_BUTTON_LEFT) break;
            if (left_press_over_area_ && da::in_inner_area(ev.button.x, ev.button.y))
                out.push_back({WindowEvent::Kind::click});
            left_press_over_area_ = false;
            break;
        default:
            break;
    }
    return Effect::none;
}
