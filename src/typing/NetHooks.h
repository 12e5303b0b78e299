// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the keystroke judge needs from a running net battle. The battle fills
// these when it starts; the judge calls them only while NetMode is set, and
// skips any that are empty.

#include <QString>

#include <functional>

struct NetHooks {
    // The battle's own attack points, MyAP.
    std::function<int()> myAP;
    // Stores MyAP; the judge hands over a value already held within 0..200.
    std::function<void(int)> setMyAP;
    // Reports MyAP to the opponent, written as a decimal integer.
    std::function<void(const QString &)> sendState;
    // Redraws the battle's gauges.
    std::function<void()> draw;
};
