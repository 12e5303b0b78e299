// SPDX-License-Identifier: GPL-3.0-or-later
#include "XvfbDisplay.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

XvfbDisplay::~XvfbDisplay()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}

QString XvfbDisplay::Missing()
{
    QStringList missing;
    for (const char *tool : {"Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(QLatin1String(", "));
}

bool XvfbDisplay::Start(int timeoutMs)
{
    server_.start(QStandardPaths::findExecutable("Xvfb"),
                  {"-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server_.waitForStarted(30000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!server_.canReadLine() && server_.state() == QProcess::Running && waited.elapsed() < timeoutMs)
        server_.waitForReadyRead(500);
    const QByteArray number = server_.readLine().trimmed();
    if (number.isEmpty())
        return false;
    name_ = ":" + QString::fromLatin1(number);
    while (server_.state() == QProcess::Running && waited.elapsed() < timeoutMs) {
        if (XdoToolSucceeds({"getdisplaygeometry"}))
            return true;
        QThread::msleep(100);
    }
    return false;
}

QProcessEnvironment XvfbDisplay::Environment(QProcessEnvironment env) const
{
    env.insert("DISPLAY", name_);
    return env;
}

QString XvfbDisplay::XdoTool(const QStringList &arguments) const
{
    QProcess tool;
    RunXdoTool(tool, arguments);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool XvfbDisplay::XdoToolSucceeds(const QStringList &arguments) const
{
    QProcess tool;
    return RunXdoTool(tool, arguments) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool XvfbDisplay::RunXdoTool(QProcess &tool, const QStringList &arguments) const
{
    tool.setProcessEnvironment(Environment());
    tool.start(QStandardPaths::findExecutable("xdotool"), arguments);
    return tool.waitForFinished(60000);
}
