// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HttpClient.h"

#include "util/Logging.h"
#include "util/ShiftJis.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

#include <utility>

namespace platform {

namespace {

QByteArray CharsetOf(const QByteArray &contentType)
{
    for (const QByteArray &part : contentType.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset="))
            return p.mid(8).trimmed().replace('"', QByteArray());
    }
    return {};
}

// Content and server errors, and 400 (which Qt files as an invalid operation),
// stand for HTTP statuses: the answer itself arrived. Connection, proxy and
// other protocol errors mean the transfer broke.
bool AnswerArrived(QNetworkReply::NetworkError error)
{
    return error == QNetworkReply::NoError || error == QNetworkReply::ProtocolInvalidOperationError
        || (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
        || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
}

// Moves what has arrived into body; false once the body, or the length the
// answer announces, is longer than the client reads.
bool TakeBody(QNetworkReply &reply, QByteArray &body)
{
    body += reply.read(HttpClient::MaxBodyBytes + 1 - body.size());
    bool announced = false;
    const qint64 length = reply.header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    return body.size() <= HttpClient::MaxBodyBytes && !(announced && length > HttpClient::MaxBodyBytes);
}

} // namespace

QString HttpResult::Text() const
{
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    return Functions::FromShiftJis(body);
}

HttpClient::HttpClient(QObject *parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), deadline_(new QTimer(this))
{
    qRegisterMetaType<platform::HttpResult>();
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, &HttpClient::OnDeadline);
}

HttpClient::~HttpClient()
{
    Abort();
}

void HttpClient::Get(const QUrl &url, int timeoutMs)
{
    Abort();
    timedOut_ = false;
    tooLong_ = false;
    body_.clear();
    QNetworkRequest request(url);
    // One request and done: the server need not keep a connection open for us.
    request.setRawHeader("Connection", "close");
    reply_ = manager_->get(request);
    // The network thread stops reading once this much waits for us.
    reply_->setReadBufferSize(MaxBodyBytes + 1);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &HttpClient::OnReplyGrew);
    connect(reply_, &QNetworkReply::readyRead, this, &HttpClient::OnReplyGrew);
    connect(reply_, &QNetworkReply::finished, this, &HttpClient::OnReplyFinished);
    deadline_->start(timeoutMs);
}

void HttpClient::Abort()
{
    deadline_->stop();
    if (!reply_)
        return;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void HttpClient::OnReplyGrew()
{
    if (reply_ && !TakeBody(*reply_, body_)) {
        tooLong_ = true;
        reply_->abort(); // finishes the reply, which reports the failure
    }
}

void HttpClient::OnDeadline()
{
    if (!reply_)
        return;
    timedOut_ = true;
    reply_->abort(); // finishes the reply, which reports the time-out
}

void HttpClient::OnReplyFinished()
{
    deadline_->stop();
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    if (!reply)
        return;
    reply->deleteLater();

    HttpResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!timedOut_ && !tooLong_)
        tooLong_ = !TakeBody(*reply, body_);
    if (timedOut_) {
        result.timedOut = true;
        result.failure = QStringLiteral("no answer in time");
    } else if (tooLong_) {
        result.tooLong = true;
        result.failure = QStringLiteral("answer longer than %1 bytes").arg(MaxBodyBytes);
    } else if (status.isValid() && AnswerArrived(reply->error())) {
        result.received = true;
        result.status = status.toInt();
        result.body = std::exchange(body_, QByteArray());
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    } else {
        result.failure = reply->errorString();
    }
    if (!result.Succeeded())
        qCInfo(lcPlatform) << "GET" << reply->url().host() << "failed:" << (result.received ? QString::number(result.status) : result.failure);
    emit finished(result);
}

} // namespace platform
