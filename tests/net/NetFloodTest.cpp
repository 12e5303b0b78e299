// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"

#include "FakePlatform.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetRecord.h"
#include "net/frmNet.h"
#include "settings/aplMain.h"
#include "util/Functions.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>

namespace {

// The memory the test program holds, in KiB.
long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Sends PNG as fast as the loopback takes it and never reads the answers.
class PngFlood : public QThread {
public:
    explicit PngFlood(quint16 port) : port_(port) {}

    std::atomic<bool> finish{false};
    std::atomic<qint64> sent{0};

protected:
    void run() override
    {
        QTcpSocket socket;
        socket.setReadBufferSize(4096);
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        socket.connectToHost(QHostAddress::LocalHost, port_);
        if (!socket.waitForConnected(3000))
            return;
        QByteArray chunk;
        while (chunk.size() < 65535)
            chunk += "PNG";
        while (!finish && socket.state() == QAbstractSocket::ConnectedState) {
            socket.write(chunk);
            socket.waitForBytesWritten(20);
            sent += chunk.size();
        }
    }

private:
    quint16 port_;
};

qint64 ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Sends from its own thread, so its work does not count against the window.
class FloodPeer : public QThread {
public:
    FloodPeer(quint16 port, int messages, int spreadMs) : port_(port), messages_(messages), spreadMs_(spreadMs) {}

    std::atomic<bool> connected{false};
    std::atomic<bool> flooded{false};
    std::atomic<bool> finish{false};
    std::atomic<int> sent{0};
    qint64 tookMs = 0;

protected:
    void run() override
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port_);
        if (!socket.waitForConnected(3000))
            return;
        connected = true;
        Write(socket, Functions::ToShiftJis(QStringLiteral("NAM 花子")));
        msleep(100);

        QRandomGenerator random(7);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < messages_; ++i) {
            QByteArray message;
            switch (i % 8) {
            case 0: message = "STT " + QByteArray::number(random.bounded(201)); break;
            // Final hits from the middle on: however many get through, one loss.
            case 1: message = "ATK " + QByteArray::number(i >= 5000 ? 0 : 150 + random.bounded(50)); break;
            case 2: message = Functions::ToShiftJis(QStringLiteral("MSG 洪水%1").arg(i)); break;
            case 3: message = "PNG"; break;
            case 4: {
                message.resize(1 + random.bounded(24));
                for (char &c : message)
                    c = static_cast<char>(random.bounded(256));
                break;
            }
            case 5: message = "SNG x"; break;
            case 6: message = "stt 5"; break;
            default: message = "STT 99999"; break;
            }
            Write(socket, message);
            ++sent;
            // Spread evenly over the second.
            const qint64 due = qint64(i + 1) * spreadMs_ / messages_;
            if (clock.elapsed() < due)
                msleep(static_cast<unsigned long>(due - clock.elapsed()));
        }
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(1000)) {
        }
        tookMs = clock.elapsed();
        // The last two arrive alone, after the window has read the flood.
        msleep(300);
        Write(socket, "STT 123");
        msleep(300);
        Write(socket, Functions::ToShiftJis(QStringLiteral("MSG おわり")));
        flooded = true;
        while (!finish) {
            socket.waitForReadyRead(20);
            socket.readAll();
        }
    }

private:
    static void Write(QTcpSocket &socket, const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
        socket.waitForReadyRead(0);
        socket.readAll();
    }

    quint16 port_;
    int messages_;
    int spreadMs_;
};

} // namespace

TEST(NetFlood, TenThousandMessagesInOneSecondNeitherCrashNorFreezeTheWindow)
{
    FakePlatform fake;
    NetLink link;
    NetBattle battle(link);
    frmNet net(link, battle, nullptr);
    net.setAttribute(Qt::WA_DeleteOnClose, false);
    link.SetPort(FreePort());
    net.show();
    aplMain::Kotehan = QStringLiteral("太郎");
    net.mnuServer_Click();

    FloodPeer peer(link.Port(), 10000, 1000);
    // Between two turns of the event loop: the wall time, and the processor
    // time this thread spent. Only the second is the window's own doing; on
    // a machine shared with other test programs the first also counts the
    // time the system gave to them.
    QElapsedTimer sinceLastTurn;
    qint64 longestGap = 0;
    qint64 lastCpu = ThreadCpuMs();
    qint64 longestBusy = 0;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        longestGap = qMax(longestGap, sinceLastTurn.restart());
        const qint64 cpu = ThreadCpuMs();
        longestBusy = qMax(longestBusy, cpu - lastCpu);
        lastCpu = cpu;
    });

    peer.start();
    // However the test leaves, the peer's thread ends first.
    const auto stopPeer = qScopeGuard([&] {
        peer.finish = true;
        peer.wait();
    });
    ASSERT_TRUE(WaitUntil([&] { return peer.connected.load(); }));
    ASSERT_TRUE(WaitUntil([&] { return link.ClientName() == "花子"; }, 10000));
    sinceLastTurn.start();
    lastCpu = ThreadCpuMs();
    turn.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (peer.flooded && net.LogText().endsWith(QStringLiteral("花子> おわり\r\n")))
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    turn.stop();

    EXPECT_EQ(peer.sent.load(), 10000);
    ASSERT_TRUE(net.LogText().endsWith(QStringLiteral("花子> おわり\r\n"))) << "the window kept handling messages";
    EXPECT_EQ(battle.Current().ClientAP, 123);
    EXPECT_EQ(link.State(), platform::TcpLink::Connected);
    EXPECT_LE(net.LogText().size(), 10000);
    // However many final hits arrived, the battle was lost once.
    const NetRecord::Totals totals
        = NetRecord::CountRecords(Functions::ReadWholeFile(fake.PathOf(NetRecord::FileName)));
    EXPECT_EQ(totals.rows.size(), 1);
    EXPECT_EQ(totals.losses, 1);
    std::printf("[ MEASURED ] flood sent in %lld ms; longest gap between event-loop turns %lld ms, "
                "of which this thread was busy at most %lld ms\n",
                static_cast<long long>(peer.tookMs), static_cast<long long>(longestGap),
                static_cast<long long>(longestBusy));
    EXPECT_LT(longestBusy, 100);
}

TEST(NetFlood, APeerThatFloodsOrReadsNothingIsDroppedWithTheDisconnectLine)
{
    FakePlatform fake;
    NetLink link;
    NetBattle battle(link);
    frmNet net(link, battle, nullptr);
    net.setAttribute(Qt::WA_DeleteOnClose, false);
    link.SetPort(FreePort());
    aplMain::Kotehan = QStringLiteral("太郎");
    const auto dropped = [&] { return net.LogText().endsWith(QStringLiteral("system> 切断されました\r\n")); };

    // A flood of pings whose answers are never read.
    net.mnuServer_Click();
    const long before = ResidentKb();
    long peak = before;
    PngFlood flood(link.Port());
    flood.start();
    const auto stopFlood = qScopeGuard([&] {
        flood.finish = true;
        flood.wait();
    });
    QElapsedTimer waited;
    waited.start();
    while (!dropped() && waited.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        peak = qMax(peak, ResidentKb());
    }
    std::printf("[ MEASURED ] ping flood: %lld bytes sent, dropped after %lld ms, memory grew %ld KiB\n",
                static_cast<long long>(flood.sent.load()), static_cast<long long>(waited.elapsed()), peak - before);
    ASSERT_TRUE(dropped());
    EXPECT_EQ(link.State(), platform::TcpLink::Closed);
    EXPECT_FALSE(net.cmdPing->isEnabled());
    // Sanitizer builds keep freed memory aside for a while; an unbounded
    // link grows by a gigabyte in this time.
    EXPECT_LT(peak - before, 64 * 1024);

    // A peer that takes nothing of what this side writes.
    net.mnuServer_Click();
    QTcpSocket quiet;
    quiet.setReadBufferSize(4096);
    quiet.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    quiet.connectToHost(QHostAddress::LocalHost, link.Port());
    ASSERT_TRUE(WaitUntil([&] { return link.IsConnected(); }));
    const QString chat(20000, QLatin1Char('x'));
    int sends = 0;
    while (!dropped() && sends < 500) {
        link.SendMessage(chat);
        ++sends;
        QCoreApplication::processEvents();
    }
    std::printf("[ MEASURED ] unread output: dropped after %d messages of %lld characters\n", sends,
                static_cast<long long>(chat.size()));
    EXPECT_TRUE(dropped());
    EXPECT_LT(sends, 500);
}
