// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/RankingRequest.h"

#include "platform/HttpClient.h"
#include "util/ShiftJis.h"

#include <QRegularExpression>
#include <QUrl>

const char *const RankingPath = "/morubo/tokra/ranking.cgi";

QByteArray PercentEncodeShiftJis(const QString &value)
{
    return Functions::ToShiftJis(value).toPercentEncoding();
}

QByteArray BuildRankingUrl(const QString &server, const RankingSubmission &s)
{
    QString address = server.trimmed();
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    QUrl base(address, QUrl::StrictMode);
    if (!base.isValid() || base.host().isEmpty())
        return {};
    base.setUserInfo(QString());
    base.setPath(QString::fromLatin1(RankingPath));

    QByteArray url = base.toEncoded(QUrl::RemoveQuery | QUrl::RemoveFragment);
    url += s.kana ? "?mode=data_touroku&syurui=tokira-kana" : "?mode=data_touroku&syurui=tokira";
    url += "&kyokumei=" + PercentEncodeShiftJis(s.kyokumei);
    url += "&name=" + PercentEncodeShiftJis(s.name);
    url += "&score=" + PercentEncodeShiftJis(s.score);
    url += "&comment=" + PercentEncodeShiftJis(s.comment);
    url += "&sokudo=" + PercentEncodeShiftJis(s.sokudo);
    url += "&pasuwa-do=" + PercentEncodeShiftJis(s.password);
    return url;
}

bool ContainsError(const QString &text)
{
    return text.contains(QLatin1String("error"), Qt::CaseSensitive);
}

bool RankingAccepted(const platform::HttpResult &result)
{
    if (!result.Succeeded())
        return false;
    const QString text = result.Text();
    return !ContainsError(text) && !text.isEmpty();
}

bool IsRankingServerAddress(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty() && url.userInfo().isEmpty() && (url.path().isEmpty() || url.path() == QLatin1String("/"))
        && !url.hasQuery() && !url.hasFragment();
}

namespace {

// The first line of the server's own words, short enough for a message box.
QString FirstLine(const QString &text)
{
    constexpr int MaxLength = 120;
    QString line;
    for (const QString &candidate : text.split(QRegularExpression(QStringLiteral("[\\r\\n]")))) {
        line = candidate.simplified();
        if (!line.isEmpty())
            break;
    }
    if (line.size() > MaxLength)
        line = line.left(MaxLength - 1) + QChar(0x2026);
    return line;
}

} // namespace

QString RankingFailureReason(const platform::HttpResult &result, const QString &server)
{
    if (RankingAccepted(result))
        return {};
    if (result.timedOut)
        return QStringLiteral("ランキングサーバーが時間内に応答しませんでした");
    if (result.tooLong)
        return QStringLiteral("ランキングサーバーの応答が長すぎました");
    if (!result.received)
        return QStringLiteral("ランキングサーバー %1 に接続できませんでした").arg(server.trimmed());
    const QString said = FirstLine(result.Text());
    if (!result.Succeeded()) {
        // An error page in HTML says nothing a player could read in one line.
        const bool plain = result.contentType.isEmpty() || result.contentType.toLower().startsWith("text/plain");
        QString reason = QStringLiteral("ランキングサーバーがHTTPエラー %1 を返しました").arg(result.status);
        if (plain && !said.isEmpty())
            reason += QStringLiteral("：") + said;
        return reason;
    }
    if (said.isEmpty())
        return QStringLiteral("ランキングサーバーの応答が空でした");
    return QStringLiteral("ランキングサーバーが受け付けませんでした：") + said;
}
