// SPDX-License-Identifier: GPL-3.0-or-later
// How long a key takes to reach the screen, seen from outside the program:
// the X server is told a key went down and up (XTEST), as a keyboard would,
// and the time runs until the window's first change that shows it (DAMAGE:
// the moment the program's paint reaches the window). Both go through the
// same server for the game and for a bare window, so the two compare.
//
// A running clock repaints its own labels on its own; first the window is
// watched with no key for a while, and changes within the rows it repainted
// then are not taken for a key's.
//
// Usage: bench_key_to_screen WINDOW KEYS [presses]
//   WINDOW  the window's id (as xdotool prints it), focused already
//   KEYS    the keys to press in turn: lowercase letters, "-" and spaces
// Prints the median, 90th percentile and worst time in milliseconds.

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Rows of the window a clock repaints by itself.
struct Rows {
    int top = 0;
    int bottom = -1;
    bool Holds(int y, int height) const { return bottom >= top && y >= top && y + height <= bottom; }
    void Add(int y, int height)
    {
        if (bottom < top) {
            top = y;
            bottom = y + height;
        } else {
            top = std::min(top, y);
            bottom = std::max(bottom, y + height);
        }
    }
};

class Screen {
public:
    explicit Screen(xcb_connection_t *connection) : connection_(connection) {}

    bool Open(xcb_window_t window)
    {
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(connection_, &xcb_damage_id);
        const xcb_query_extension_reply_t *test = xcb_get_extension_data(connection_, &xcb_test_id);
        if (!damage || !damage->present || !test || !test->present) {
            std::fprintf(stderr, "bench_key_to_screen: the X server lacks DAMAGE or XTEST\n");
            return false;
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
        const xcb_damage_damage_t id = xcb_generate_id(connection_);
        const xcb_void_cookie_t made =
            xcb_damage_create_checked(connection_, id, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        if (xcb_generic_error_t *error = xcb_request_check(connection_, made)) {
            std::fprintf(stderr, "bench_key_to_screen: cannot watch window 0x%x (error %d)\n", window,
                         error->error_code);
            free(error);
            return false;
        }
        return true;
    }

    // The keycode whose first symbol is the Latin-1 character c, or 0.
    xcb_keycode_t KeyFor(char c)
    {
        const xcb_setup_t *setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&free)> map(
            xcb_get_keyboard_mapping_reply(
                connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr),
            &free);
        if (!map)
            return 0;
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(map.get());
        for (int i = 0; i < count; ++i) {
            if (symbols[i * map->keysyms_per_keycode] == static_cast<unsigned char>(c))
                return static_cast<xcb_keycode_t>(setup->min_keycode + i);
        }
        return 0;
    }

    void Press(xcb_keycode_t key)
    {
        xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(connection_);
    }

    // Calls seen with the y and height of each change of the window until it
    // answers true or until the deadline; true when it did.
    template <typename Seen>
    bool Watch(Clock::time_point deadline, Seen seen)
    {
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
                bool done = false;
                if ((event->response_type & 0x7F) == damageEvent_) {
                    const auto *notify = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                    done = seen(notify->area.y, notify->area.height);
                }
                free(event);
                if (done)
                    return true;
            }
            if (xcb_connection_has_error(connection_))
                return false;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left));
        }
    }

private:
    xcb_connection_t *connection_;
    uint8_t damageEvent_ = 0;
};

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_key_to_screen WINDOW KEYS [presses]\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const std::string keys = argv[2];
    const int presses = argc > 3 ? std::atoi(argv[3]) : 60;
    if (window == 0 || keys.empty() || presses < 1) {
        std::fprintf(stderr, "bench_key_to_screen: give a window id, keys and a number of presses\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "bench_key_to_screen: cannot connect to the display\n");
        return 1;
    }
    Screen screen(connection);
    if (!screen.Open(window))
        return 1;
    std::vector<xcb_keycode_t> codes;
    for (const char c : keys) {
        const xcb_keycode_t code = screen.KeyFor(c);
        if (code == 0) {
            std::fprintf(stderr, "bench_key_to_screen: no key types \"%c\"\n", c);
            return 2;
        }
        codes.push_back(code);
    }

    // The whole window is told changed once the watch starts; then what
    // changes with no key: the clock's rows.
    screen.Watch(Clock::now() + std::chrono::milliseconds(200), [](int, int) { return false; });
    Rows clock;
    screen.Watch(Clock::now() + std::chrono::milliseconds(1500), [&clock](int y, int height) {
        clock.Add(y, height);
        return false;
    });

    std::vector<double> times;
    int unseen = 0;
    for (int i = 0; i < presses; ++i) {
        // A pause of a varying length, so keys fall anywhere between frames;
        // whatever changed meanwhile is passed over.
        screen.Watch(Clock::now() + std::chrono::milliseconds(120 + (i * 37) % 60), [](int, int) { return false; });
        const Clock::time_point sent = Clock::now();
        screen.Press(codes[static_cast<size_t>(i) % codes.size()]);
        Clock::time_point shown;
        const bool seen = screen.Watch(sent + std::chrono::milliseconds(500), [&clock, &shown](int y, int height) {
            if (clock.Holds(y, height))
                return false;
            shown = Clock::now();
            return true;
        });
        if (seen)
            times.push_back(std::chrono::duration<double, std::milli>(shown - sent).count());
        else
            ++unseen;
    }
    xcb_disconnect(connection);
    if (times.empty()) {
        std::fprintf(stderr, "bench_key_to_screen: no key reached the screen\n");
        return 1;
    }
    std::printf("median %.3f ms, 90th percentile %.3f ms, worst %.3f ms (%zu keys, %d not seen in 500 ms)\n",
                Percentile(times, 0.5), Percentile(times, 0.9), Percentile(times, 1.0), times.size(), unseen);
    return unseen == 0 ? 0 : 1;
}
