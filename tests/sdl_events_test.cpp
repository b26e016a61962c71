// SDL's events in the program's terms, from made-up events: no display.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "view/drawing_area.h"
#include "view/sdl_events.h"

namespace {

using Kind = WindowEvent::Kind;

SDL_Event text(const char* typed) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, typed, sizeof e.text.text - 1);
    return e;
}
SDL_Event key_down(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    return e;
}
SDL_Event motion(int x, int y, std::uint32_t buttons = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = buttons;
    return e;
}
SDL_Event button(bool down, int x, int y, std::uint8_t which = SDL_BUTTON_LEFT, std::uint8_t clicks = 1) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = which;
    e.button.x = x;
    e.button.y = y;
    e.button.clicks = clicks;
    return e;
}
SDL_Event window_event(std::uint8_t what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    return e;
}

// The events a sequence of SDL events becomes, written compactly.
std::string translated(const std::vector<SDL_Event>& sequence) {
    SdlEvents events;
    std::vector<WindowEvent> out;
    for (const SDL_Event& e : sequence) events.translate(e, out);
    std::string words;
    for (const WindowEvent& w : out) {
        if (!words.empty()) words += ' ';
        switch (w.kind) {
            case Kind::key_press: words += "key" + std::to_string(w.code); break;
            case Kind::click: words += "click"; break;
            case Kind::dbl_click: words += "dblclick"; break;
            case Kind::close_request: words += "close"; break;
            case Kind::mouse_move: words += "move"; break;
        }
    }
    return words;
}

TEST(SdlEvents, TypedTextBecomesItsCharacterCodes) {
    EXPECT_EQ(translated({text("+")}), "key43");
    EXPECT_EQ(translated({text("*/")}), "key42 key47");
    EXPECT_EQ(translated({text("\xC3\xA9")}), "key233") << "é is ANSI 233";
    EXPECT_EQ(translated({text("\xE2\x82\xAC")}), "") << "the euro sign has no code in 1..255";
    EXPECT_EQ(translated({text("a\xFF" "b")}), "key97") << "malformed UTF-8 ends the text";
    EXPECT_EQ(translated({text("\xC3")}), "") << "a sequence cut short";
}

TEST(SdlEvents, EscComesFromTheKeyOtherKeysOnlyAsText) {
    EXPECT_EQ(translated({key_down(SDLK_ESCAPE)}), "key27");
    EXPECT_EQ(translated({key_down(SDLK_a), key_down(SDLK_KP_PLUS), key_down(SDLK_RETURN)}), "");
}

TEST(SdlEvents, CloseRequestsAndExposes) {
    EXPECT_EQ(translated({SDL_Event{SDL_QUIT}}), "close");
    EXPECT_EQ(translated({window_event(SDL_WINDOWEVENT_CLOSE)}), "close");
    SdlEvents events;
    std::vector<WindowEvent> out;
    EXPECT_EQ(events.translate(window_event(SDL_WINDOWEVENT_EXPOSED), out), SdlEvents::Effect::repaint);
    EXPECT_TRUE(out.empty());
}

TEST(SdlEvents, MovesCountOverTheInnerAreaInItsUnits) {
    SdlEvents events;
    std::vector<WindowEvent> out;
    events.translate(motion(12, 78), out);
    ASSERT_EQ(out.size(), 1U);
    EXPECT_EQ(out[0].x, drawing_area::units_at(12, 78).x);
    EXPECT_EQ(out[0].y, drawing_area::units_at(12, 78).y);
    EXPECT_EQ(translated({motion(1, 100), motion(151, 100), motion(100, 0)}), "") << "the border is not the area";
}

TEST(SdlEvents, APressOverTheAreaKeepsThePointerUntilReleased) {
    EXPECT_EQ(translated({button(true, 50, 50, SDL_BUTTON_RIGHT), motion(-20, 400, SDL_BUTTON_RMASK),
                          motion(0, 5, SDL_BUTTON_RMASK), button(false, -20, 400, SDL_BUTTON_RIGHT),
                          motion(0, 5)}),
              "move move");
    EXPECT_EQ(translated({button(true, 1, 50, SDL_BUTTON_RIGHT), motion(0, 5, SDL_BUTTON_RMASK)}), "")
        << "a press on the border does not";
    SdlEvents events;
    std::vector<WindowEvent> out;
    events.translate(button(true, 50, 50), out);
    events.translate(motion(-30, -40, SDL_BUTTON_LMASK), out);
    ASSERT_EQ(out.size(), 1U);
    EXPECT_LT(out[0].x, 0);
    EXPECT_LT(out[0].y, 0);
}

TEST(SdlEvents, AClickIsALeftPressAndReleaseOverTheArea) {
    EXPECT_EQ(translated({button(true, 50, 50), button(false, 60, 70)}), "click");
    EXPECT_EQ(translated({button(true, 50, 50), button(false, 152, 70)}), "") << "released on the border";
    EXPECT_EQ(translated({button(true, 0, 50), button(false, 50, 50)}), "") << "pressed on the border";
    EXPECT_EQ(translated({button(true, 50, 50, SDL_BUTTON_RIGHT), button(false, 50, 50, SDL_BUTTON_RIGHT)}), "");
}

TEST(SdlEvents, ADoubleClickIsOneClickThenDblClick) {
    EXPECT_EQ(translated({button(true, 50, 50), button(false, 50, 50), button(true, 50, 50, SDL_BUTTON_LEFT, 2),
                          button(false, 50, 50, SDL_BUTTON_LEFT, 2)}),
              "click dblclick");
}

}  // namespace
