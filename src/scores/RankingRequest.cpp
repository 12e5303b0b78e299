// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/RankingRequest.h"

#include "platform/HttpClient.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QVector>
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

// The names the player knows the fields of a submission by, for the keys
// the ranking server names them with.
QString FieldName(const QString &key)
{
    static const QHash<QString, const char *> names{
        {QStringLiteral("kyokumei"), QT_TRANSLATE_NOOP("RankingRequest", "文章の登録名")},
        {QStringLiteral("name"), QT_TRANSLATE_NOOP("RankingRequest", "名前")},
        {QStringLiteral("comment"), QT_TRANSLATE_NOOP("RankingRequest", "コメント")},
        {QStringLiteral("pasuwa-do"), QT_TRANSLATE_NOOP("RankingRequest", "パスワード")},
        {QStringLiteral("score"), QT_TRANSLATE_NOOP("RankingRequest", "記録")},
        {QStringLiteral("sokudo"), QT_TRANSLATE_NOOP("RankingRequest", "速度")},
    };
    const char *name = names.value(key);
    return name ? QCoreApplication::translate("RankingRequest", name) : key;
}

// The ranking server's refusals put in the player's language; the empty
// text for a line it does not know, which is then shown as the server said it.
QString KnownRefusal(const QString &said)
{
    struct Refusal {
        QRegularExpression line;
        const char *text; // %1, %2: the captures, a field's key by its name
    };
    static const QVector<Refusal> refusals = [] {
        const auto rule = [](const char *line, const char *text) {
            return Refusal{QRegularExpression(QStringLiteral("^error: (?:%1)$").arg(QLatin1String(line))), text};
        };
        const char *const versions = QT_TRANSLATE_NOOP(
            "RankingRequest",
            "ランキングサーバーがこのゲームの送信を読めませんでした（ゲームとサーバーの版が合っていないかもしれません）");
        return QVector<Refusal>{
            rule("this name is already registered for this text with another password",
                 QT_TRANSLATE_NOOP("RankingRequest", "この名前はこの文章に別のパスワードで登録されています")),
            rule("too many submissions from your address; try again in a minute",
                 QT_TRANSLATE_NOOP("RankingRequest",
                                   "このアドレスからの送信が多すぎます。1分ほど待ってから送り直してください")),
            rule("too many new texts from your address today; try again tomorrow",
                 QT_TRANSLATE_NOOP("RankingRequest",
                                   "このアドレスから今日登録できる新しい文章の数を超えました。明日また送ってください")),
            rule("too many connections; try again later",
                 QT_TRANSLATE_NOOP("RankingRequest",
                                   "ランキングサーバーが混み合っています。しばらくしてから送り直してください")),
            rule("the ranking is not available now",
                 QT_TRANSLATE_NOOP("RankingRequest", "ランキングは今は使えません。しばらくしてから送り直してください")),
            rule("internal failure", QT_TRANSLATE_NOOP("RankingRequest", "ランキングサーバーの中でエラーが起きました")),
            rule("request too long", QT_TRANSLATE_NOOP("RankingRequest", "送る内容が長すぎます")),
            rule("not found", QT_TRANSLATE_NOOP("RankingRequest", "ランキングサーバーのアドレスにランキングがありません")),
            rule("(kyokumei|name|comment|pasuwa-do) must be 1 to (\\d+) characters",
                 QT_TRANSLATE_NOOP("RankingRequest", "%1は1～%2文字にしてください")),
            rule("(kyokumei|name) is blank", QT_TRANSLATE_NOOP("RankingRequest", "%1が空白だけです")),
            rule("(score|sokudo) must be a positive decimal number",
                 QT_TRANSLATE_NOOP("RankingRequest", "%1が正しい数ではありません")),
            rule("value of (\\S+) is not Shift-JIS text",
                 QT_TRANSLATE_NOOP("RankingRequest", "%1にランキングサーバーが扱えない文字があります")),
            rule("unknown mode|unknown syurui|unknown key in the request|missing key \\S+|"
                 "bad percent-encoding in \\S+|key \\S+ given twice|only GET is answered|"
                 "two different Content-Length headers",
                 versions),
        };
    }();
    for (const Refusal &refusal : refusals) {
        const QRegularExpressionMatch match = refusal.line.match(said);
        if (!match.hasMatch())
            continue;
        QString text = QCoreApplication::translate("RankingRequest", refusal.text);
        if (match.lastCapturedIndex() >= 1)
            text = text.arg(FieldName(match.captured(1)));
        if (match.lastCapturedIndex() >= 2)
            text = text.arg(match.captured(2));
        return text;
    }
    return {};
}

} // namespace

QString RankingFailureReason(const platform::HttpResult &result, const QString &server)
{
    if (RankingAccepted(result))
        return {};
    if (result.timedOut)
        return QCoreApplication::translate("RankingRequest", "ランキングサーバーが時間内に応答しませんでした");
    if (result.tooLong)
        return QCoreApplication::translate("RankingRequest", "ランキングサーバーの応答が長すぎました");
    if (!result.received)
        return QCoreApplication::translate("RankingRequest", "ランキングサーバー %1 に接続できませんでした")
            .arg(server.trimmed());
    const QString said = FirstLine(result.Text());
    // An error page in HTML says nothing a player could read in one line.
    const bool plain = result.contentType.isEmpty() || result.contentType.toLower().startsWith("text/plain");
    if (const QString refusal = plain ? KnownRefusal(said) : QString(); !refusal.isEmpty())
        return QCoreApplication::translate("RankingRequest", "ランキングサーバーが受け付けませんでした：%1").arg(refusal);
    if (!result.Succeeded()) {
        QString reason =
            QCoreApplication::translate("RankingRequest", "ランキングサーバーがHTTPエラー %1 を返しました").arg(result.status);
        if (plain && !said.isEmpty())
            reason = QCoreApplication::translate("RankingRequest", "%1：%2").arg(reason, said);
        return reason;
    }
    if (said.isEmpty())
        return QCoreApplication::translate("RankingRequest", "ランキングサーバーの応答が空でした");
    return QCoreApplication::translate("RankingRequest", "ランキングサーバーが受け付けませんでした：%1").arg(said);
}
