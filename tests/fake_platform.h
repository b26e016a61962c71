#pragma once
// An in-memory platform: records what the program asks of it, and hands each
// event pump the next batch of a script. The program's endless loop ends in a
// test either through the exit sequence (ProcessEnded) or when the script
// runs out (ScriptEnded).

#include <chrono>
#include <deque>
#include <vector>

#include "frames/image_holders.h"
#include "frames/stored_records.h"
#include "view/platform.h"

struct ProcessEnded {};
struct ScriptEnded {};

class FakePlatform final : public Platform {
public:
    struct Call {
        enum class Kind { show, wait, pump, clear, end } kind;
        const Picture* picture = nullptr;
        std::chrono::microseconds waited{};
    };

    std::vector<Call> calls;
    std::deque<std::vector<WindowEvent>> pumps;  // what each pump hands over, in turn

    void show_picture(const Picture& picture) override { calls.push_back({Call::Kind::show, &picture}); }
    void wait(std::chrono::microseconds duration) override { calls.push_back({Call::Kind::wait, nullptr, duration}); }
    std::span<const WindowEvent> pending_events() override {
        if (pumps.empty()) throw ScriptEnded{};
        handed_ = std::move(pumps.front());
        pumps.pop_front();
        calls.push_back({Call::Kind::pump});
        return handed_;
    }
    void clear_window() override { calls.push_back({Call::Kind::clear}); }
    [[noreturn]] void end_process() override {
        calls.push_back({Call::Kind::end});
        throw ProcessEnded{};
    }

    // The slots shown, in order (holder number - 1).
    std::vector<int> shown_slots(const ImageHolders& holders) const {
        std::vector<int> slots;
        for (const Call& call : calls)
            if (call.kind == Call::Kind::show) slots.push_back(holders.number_of(*call.picture) - 1);
        return slots;
    }

private:
    std::vector<WindowEvent> handed_;
};

// Events as the platform delivers them.
inline WindowEvent key(char c) { return {WindowEvent::Kind::key_press, static_cast<std::int16_t>(c)}; }
inline WindowEvent esc() { return {WindowEvent::Kind::key_press, 27}; }
inline WindowEvent click_event() { return {WindowEvent::Kind::click}; }
inline WindowEvent dbl_click_event() { return {WindowEvent::Kind::dbl_click}; }
inline WindowEvent close_event() { return {WindowEvent::Kind::close_request}; }
inline WindowEvent move(float x, float y) { return {WindowEvent::Kind::mouse_move, 0, x, y}; }
