// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows beside the main one close with Esc, as a dialog does.

class QKeyEvent;
class QWidget;

// Closes the window for an Esc press; whether it did.
bool CloseOnEscape(QWidget &window, const QKeyEvent &event);
