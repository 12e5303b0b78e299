// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first label made waits for the desktop's message bus (Qt's
// accessibility bridge connects to it), and the first text drawn for the
// system's font configuration to be read (its files parsed, the caches of
// every installed font loaded) and for Qt's font database to list those
// fonts. Each is made once per process, by whichever thread comes first, so
// another core can make them while the application connects to the display
// and builds its first windows.

#include <future>
#include <thread>

namespace platform {

class StartWarmUp {
public:
    // Starts reading the font configuration: before the application exists.
    StartWarmUp();
    // The application exists: the thread goes on to connect to the bus and
    // to fill Qt's font database.
    void ApplicationMade();
    // Waits for the thread; done before the application ends.
    void Wait();
    ~StartWarmUp();

    StartWarmUp(const StartWarmUp &) = delete;
    StartWarmUp &operator=(const StartWarmUp &) = delete;

private:
    // Once only: whether the thread goes on to the bus and Qt's font database.
    void Tell(bool made);

    std::promise<bool> application_;
    bool told_ = false;
    std::thread thread_;
};

} // namespace platform
