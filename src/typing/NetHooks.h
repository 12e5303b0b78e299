#pragma once
// What the keystroke judge needs from a running net battle. The net battle
// fills these when it starts; the judge calls them only while NetMode is set,
// and skips any that are empty.

#include <QString>

#include <functional>

struct NetHooks {
    // The battle's own attack points, MyAP.
    std::function<int()> myAP;
    // Stores MyAP; the judge hands over a value already held within 0..200.
    std::function<void(int)> setMyAP;
    // The speed of the battle's last pass, as shown in lblSpeed. When empty the
    // judge reads the number shown in lblSpeed.
    std::function<double()> shownSpeed;
    // frmNet's SendState, with MyAP written as a decimal integer.
    std::function<void(const QString &)> sendState;
    // frmNet's Draw.
    std::function<void()> draw;
};

NetHooks &netHooks();
