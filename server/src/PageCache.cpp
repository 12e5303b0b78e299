// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageCache.h"

namespace ranking {

namespace {

// Pages kept at once; a few tens of kilobytes each.
constexpr std::size_t MostPages = 256;

} // namespace

std::uint64_t PageCache::Generation()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return generation_;
}

std::shared_ptr<const std::string> PageCache::Find(const std::string &key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = pages_.find(key);
    return found == pages_.end() ? nullptr : found->second.body;
}

std::optional<PageCache::Shows> PageCache::ShowsOf(const std::string &key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = pages_.find(key);
    if (found == pages_.end())
        return std::nullopt;
    return found->second.shows;
}

void PageCache::Keep(const std::string &key, std::shared_ptr<const std::string> body, const Shows &shows,
                     std::uint64_t generation)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (generation != generation_)
        return;
    if (pages_.size() >= MostPages)
        pages_.clear();
    pages_[key] = {std::move(body), shows};
}

void PageCache::Changed(const Text &text, bool newText)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    for (auto it = pages_.begin(); it != pages_.end();) {
        const Shows &s = it->second.shows;
        bool stale;
        if (!s.index)
            stale = s.first == text;
        else if (newText)
            // Every page from the new text's place on moves by one; the last page may gain it.
            stale = !s.more || s.empty || text <= s.last;
        else
            stale = !s.empty && s.first <= text && text <= s.last;
        it = stale ? pages_.erase(it) : std::next(it);
    }
}

} // namespace ranking
