// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private X server for the end-to-end tests, driven with xdotool. Xvfb
// picks a free display itself and reports it, so runs side by side never
// guess the same one; it counts as started once a client gets through.
//
// It never resets: an X server that resets when its last client leaves
// drops every client still in its connection handshake, so a program
// starting while an xdotool poll ends would fail with "could not connect to
// display".

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class XvfbDisplay {
public:
    XvfbDisplay() = default;
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;
    // Asks the X server to stop, so that it removes its lock and socket.
    ~XvfbDisplay();

    // What the tests need and this machine lacks ("Xvfb", "xdotool"); empty when both are there.
    static QString Missing();

    bool Start(int timeoutMs = 120000);
    // ":N"
    QString Name() const { return name_; }
    // The environment with DISPLAY naming this display.
    QProcessEnvironment Environment(QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) const;

    // xdotool's output, trimmed.
    QString XdoTool(const QStringList &arguments) const;
    bool XdoToolSucceeds(const QStringList &arguments) const;

private:
    bool RunXdoTool(QProcess &tool, const QStringList &arguments) const;

    QProcess server_;
    QString name_;
};
