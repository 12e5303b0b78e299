// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One HTTP GET at a time, asynchronous, with a deadline: the answer (or the
// reason there is none) arrives through finished(), never by waiting.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace platform {

struct HttpResult {
    // An HTTP answer arrived, whatever its status.
    bool received = false;
    // Nothing arrived before the deadline.
    bool timedOut = false;
    // The answer was longer than the client reads.
    bool tooLong = false;
    int status = 0;
    QByteArray body;
    QByteArray contentType;
    // Why the transfer failed, for the log; empty when an answer arrived.
    QString failure;

    bool Succeeded() const { return received && status >= 200 && status < 300; }
    // The body as text: in the charset the answer names, otherwise Shift-JIS.
    QString Text() const;
};

class HttpClient : public QObject {
    Q_OBJECT

public:
    // The longest body read; a longer answer, or one announcing more, counts as
    // a broken transfer, so no server can fill the memory.
    static constexpr qint64 MaxBodyBytes = 16 * 1024;

    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    // Starts a GET; finished() follows exactly once, also when the address is
    // invalid, the connection is refused, the answer is too long or timeoutMs
    // pass without a whole answer.
    // A request still in flight is dropped without a signal.
    void Get(const QUrl &url, int timeoutMs);
    bool Busy() const { return reply_ != nullptr; }
    // Drops the request in flight without a signal.
    void Abort();

signals:
    void finished(const platform::HttpResult &result);

private:
    void OnReplyFinished();
    void OnReplyGrew();
    void OnDeadline();

    QNetworkAccessManager *manager_ = nullptr;
    QNetworkReply *reply_ = nullptr;
    QTimer *deadline_ = nullptr;
    QByteArray body_;
    bool timedOut_ = false;
    bool tooLong_ = false;
};

} // namespace platform

Q_DECLARE_METATYPE(platform::HttpResult)
