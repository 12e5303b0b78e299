// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of every ranking text, on whichever database was given. Safe to
// use from many request threads at once: each call takes a connection of its
// own, and only writes wait for one another.

#include "Database.h"
#include "Submission.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ranking {

struct Entry {
    long long rank = 0; // equal times share a rank
    std::string name;
    std::string comment;
    std::string score;
    double scoreValue = 0;
    std::string sokudo;
    std::string registered; // UTC, "yyyy-MM-ddTHH:mm:ssZ"
};

// Some entries of one text in ranking order, and whether more follow.
struct EntryPage {
    std::vector<Entry> entries;
    bool more = false;
};

struct TextSummary {
    std::string syurui;
    std::string kyokumei;
    long long entries = 0;
    double best = 0;
};

// Some texts in the index's order (by name, then kind), and whether more follow.
struct TextPage {
    std::vector<TextSummary> texts;
    bool more = false;
};

enum class StoreOutcome { Added, Replaced, NameTaken };

class RankingStore {
public:
    // Opens database (see OpenDatabase), creates or upgrades the table, and
    // reads the key of the password hashes from secretFile, making it when it
    // is missing, unless the entries were keyed with a secret now lost.
    // Throws DatabaseError or SecretError.
    RankingStore(const std::string &database, const std::string &secretFile);
    ~RankingStore();

    // Stores the entry. A name owns its entry on a text: the same name with
    // the same password replaces it in the same transaction, another name
    // never does, and the same name with another password is refused (NameTaken).
    StoreOutcome Submit(const Submission &submission);
    // Fastest first; equal times in the order they came. Each kind of
    // result (syurui) is ranked on its own.
    EntryPage Entries(const std::string &kyokumei, long long offset, int count,
                      const std::string &syurui = RomajiKind);
    TextPage Texts(long long offset, int count);
    // The texts after the given one in the index's order: a later page, read
    // from where the page before it ended rather than counted from the start.
    TextPage TextsAfter(const std::string &kyokumei, const std::string &syurui, int count);
    // Whether the text has an entry of this kind yet.
    bool HasText(const std::string &kyokumei, const std::string &syurui);
    // Whether servers in other processes write to the same database.
    bool Shared() const { return shared_; }
    // The submission limit of SubmissionLimit kept in the database, so that
    // it holds across every server sharing it; the database's clock decides.
    bool AllowSubmission(const std::string &client, int perMinute);
    long long Count();
    long long Count(const std::string &kyokumei, const std::string &syurui = RomajiKind);
    std::string Describe() const { return description_; }

private:
    class Connection;
    std::unique_ptr<Database> Take();
    void Give(std::unique_ptr<Database> database);

    const std::string database_;
    std::string secret_;
    std::string description_;
    std::mutex idleMutex_;
    std::vector<std::unique_ptr<Database>> idle_;
    std::mutex writeMutex_;
    bool shared_ = false;
    std::mutex sweepMutex_;
    std::chrono::steady_clock::time_point lastSweep_;
};

} // namespace ranking
