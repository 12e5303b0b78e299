// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run of a game: when each correct key fell, and where each question (or
// line) began, so that a later game can race it. Kept in the history as a
// compact blob.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace history {

struct KeyRun {
    // Milliseconds from the first key to each correct key, never decreasing.
    std::vector<quint32> keyMs;
    // The number of correct keys typed before each question began, never decreasing.
    std::vector<quint32> questionStarts;
    // The character of each correct key, for a replay; may be empty.
    QString typed;

    bool Empty() const { return keyMs.empty(); }
    // The keys reached at an elapsed time (keys at exactly that time included).
    int KeysAt(qint64 ms) const;
    // When the run reached a number of keys (1 = the first key); nothing past its last.
    std::optional<qint64> MsAtKeys(int keys) const;
};

// Variable-length deltas and the typed text, deflated, behind a version
// byte: well under two bytes a key.
QByteArray EncodeRun(const KeyRun &run);
// Nothing for an empty, truncated or damaged blob.
std::optional<KeyRun> DecodeRun(const QByteArray &blob);

} // namespace history
