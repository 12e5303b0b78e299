// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one request that sends a Ranking attack result to the Internet ranking,
// and the reading of its answer. No window here: plain text in, text out.

#include <QByteArray>
#include <QString>

namespace platform {
struct HttpResult;
}

// Where the ranking program answers on the server.
extern const char *const RankingPath;
// How long the submission waits for the whole answer.
constexpr int RankingTimeoutMs = 15000;

struct RankingSubmission {
    QString kyokumei; // the text's registration name
    QString name;
    QString score;    // elapsed seconds as shown, "0.000"
    QString comment;
    QString sokudo;   // keys per second as shown, "0.000"
    QString password;
    // Typed with kana input: ranked apart from romaji results.
    bool kana = false;
};

// The Shift-JIS bytes of the text, every byte but letters, digits and "-._~"
// written as %XX, so no value can add a key or break the request line.
QByteArray PercentEncodeShiftJis(const QString &value);

// The whole URL, already encoded: the scheme, host and port of server (a bare
// "host:port" means http), then the ranking path and the query with its keys in
// their fixed order. Empty when server names no host.
QByteArray BuildRankingUrl(const QString &server, const RankingSubmission &submission);

// True when the text holds the lower-case letters "error" anywhere.
bool ContainsError(const QString &text);

// Accepted only when an answer arrived and says something without "error";
// a failed transfer, a time-out, an HTTP error status or an empty answer is not.
bool RankingAccepted(const platform::HttpResult &result);

// True for an address the player may set as the ranking server: an http or
// https URL naming a host, with nothing after the host and port but "/".
bool IsRankingServerAddress(const QString &address);

// Why a submission was not accepted, in one line for the player: the server
// could not be reached (named by its address), did not answer in time,
// answered with an HTTP error (its status), or refused the entry (the first
// line of its own answer). Empty when the submission was accepted.
QString RankingFailureReason(const platform::HttpResult &result, const QString &server);
