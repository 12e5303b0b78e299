// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/RankingRequest.h"

#include "platform/HttpClient.h"
#include "util/ShiftJis.h"

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
    url += "?mode=data_touroku&syurui=tokira";
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
