// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first text drawn waits for the system's font configuration to be read
// (its files parsed, the caches of every installed font loaded) and for Qt's
// font database to list those fonts. Both are made once per process, by
// whichever thread comes first, so another core can make them while the
// application connects to the display and builds its first windows.

#include <future>
#include <thread>

namespace platform {

class FontWarmUp {
public:
    // Starts reading the font configuration: before the application exists.
    FontWarmUp();
    // The application exists: the thread goes on to fill Qt's font database.
    void ApplicationMade();
    // Waits for the thread; done before the application ends.
    void Wait();
    ~FontWarmUp();

    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    // Once only: whether the thread goes on to Qt's font database.
    void Tell(bool made);

    std::promise<bool> application_;
    bool told_ = false;
    std::thread thread_;
};

} // namespace platform
