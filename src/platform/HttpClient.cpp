#include "platform/HttpClient.h"

#include "util/ShiftJis.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

Q_LOGGING_CATEGORY(lcHttp, "tokira.http")

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
    QNetworkRequest request(url);
    // One request and done: the server need not keep a connection open for us.
    request.setRawHeader("Connection", "close");
    reply_ = manager_->get(request);
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
    if (timedOut_) {
        result.timedOut = true;
        result.failure = QStringLiteral("no answer in time");
    } else if (status.isValid() && AnswerArrived(reply->error())) {
        result.received = true;
        result.status = status.toInt();
        result.body = reply->readAll();
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    } else {
        result.failure = reply->errorString();
    }
    if (!result.Succeeded())
        qCInfo(lcHttp) << "GET" << reply->url().host() << "failed:" << (result.received ? QString::number(result.status) : result.failure);
    emit finished(result);
}

} // namespace platform
