// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pages made once and kept until a submission changes what they show: a
// text's ranking pages when that text gets an entry, and the index pages that
// list it (or, for a new text, those it pushes along). A key names the
// page's language too: each language's page is kept, and remade, apart.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace ranking {

class PageCache {
public:
    // A text as the index orders them: by name, then kind.
    using Text = std::pair<std::string, std::string>; // kyokumei, syurui
    // What a page shows: one text's ranking, or the index's texts from first
    // to last (none when empty), more telling whether another page follows.
    struct Shows {
        bool index = false;
        bool empty = false;
        Text first;
        Text last;
        bool more = false;
    };

    // Read before the database, handed back to Keep: a page made while a
    // submission was stored is not kept.
    std::uint64_t Generation();
    std::shared_ptr<const std::string> Find(const std::string &key);
    // What a kept page shows; nothing when it is not kept.
    std::optional<Shows> ShowsOf(const std::string &key);
    void Keep(const std::string &key, std::shared_ptr<const std::string> body, const Shows &shows,
              std::uint64_t generation);
    // After a submission to text is stored; newText when it had no entry before.
    void Changed(const Text &text, bool newText);

private:
    struct Page {
        std::shared_ptr<const std::string> body;
        Shows shows;
    };
    std::mutex mutex_;
    std::uint64_t generation_ = 0;
    std::unordered_map<std::string, Page> pages_;
};

} // namespace ranking
