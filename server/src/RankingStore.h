#pragma once
// The entries of every ranking text, on whichever database was given. Safe to
// use from many request threads at once.

#include "Database.h"
#include "Submission.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ranking {

struct Entry {
    std::string kyokumei;
    std::string name;
    std::string comment;
    std::string score;
    double scoreValue = 0;
    std::string sokudo;
    std::string registered; // UTC, "yyyy-MM-ddTHH:mm:ssZ"
};

struct TextSummary {
    std::string kyokumei;
    long long entries = 0;
    double best = 0;
};

enum class StoreOutcome { Added, Replaced };

class RankingStore {
public:
    // Creates the table on first use. Throws DatabaseError.
    explicit RankingStore(std::unique_ptr<Database> database);

    // Stores the entry; an earlier entry of the same text with the same
    // password is removed in the same transaction, as the game promises.
    StoreOutcome Submit(const Submission &submission);
    // Fastest first; equal times in the order they came.
    std::vector<Entry> Entries(const std::string &kyokumei);
    std::vector<TextSummary> Texts();
    long long Count();
    std::string Describe() const { return description_; }

private:
    std::mutex mutex_;
    std::unique_ptr<Database> db_;
    std::string description_;
};

} // namespace ranking
