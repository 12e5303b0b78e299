// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/WordList.h"

#include <atomic>
#include <utility>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Converted a piece at a time when every word's romaji is wanted: large enough
// that both cores share each piece, small enough to stay a passing copy.
constexpr qsizetype EachRomanPiece = 256 * 1024;

} // namespace

WordList::WordList(std::initializer_list<QuestItem> items)
{
    for (const QuestItem &item : items)
        append(item);
}

WordList::WordList(QString text, QString source, std::vector<Span> spans)
    : text_(std::move(text)), source_(std::move(source)), spans_(std::move(spans))
{
}

WordList::WordList(QString source, std::vector<Span> spans, const RomajiConverter &converter)
    : source_(std::move(source)), spans_(std::move(spans)), converter_(converter)
{
}

QuestItem WordList::at(qsizetype index) const
{
    const Span &span = spans_.at(static_cast<size_t>(index));
    const QString reading = source_.sliced(span.Reading, span.ReadingEnd - span.Reading);
    if (converter_) {
        return {converter_->Convert(QStringView(source_).sliced(span.Quest, span.Colon - span.Quest)),
                converter_->Convert(reading), reading};
    }
    return {text_.sliced(span.Quest, span.Colon - span.Quest),
            text_.sliced(span.Colon + 1, span.RomanEnd - span.Colon - 1), reading};
}

void WordList::EachRoman(const std::function<void(QStringView)> &each) const
{
    if (!converter_) {
        for (const Span &span : spans_)
            each(QStringView(text_).sliced(span.Colon + 1, span.RomanEnd - span.Colon - 1));
        return;
    }
    // Whole lines at a time: converted, each keeps its CR LF and its ":" where
    // they were, so its romaji lies between its first ":" and the next one or
    // the line end, as in the text converted whole.
    size_t first = 0;
    while (first < spans_.size()) {
        size_t last = first + 1;
        while (last < spans_.size() && spans_[last].Quest - spans_[first].Quest < EachRomanPiece)
            ++last;
        const qsizetype begin = spans_[first].Quest;
        const qsizetype end = last < spans_.size() ? qsizetype(spans_[last].Quest)
                                                   : source_.indexOf(LineEnd, spans_[last - 1].RomanEnd) + LineEnd.size();
        const QString piece = converter_->Convert(QStringView(source_).sliced(begin, end - begin));
        const QStringView lines(piece);
        qsizetype start = 0;
        for (size_t i = first; i < last; ++i) {
            const qsizetype lineEnd = lines.indexOf(LineEnd, start);
            const QStringView line = lines.sliced(start, lineEnd - start);
            const qsizetype colon = line.indexOf(u':');
            const qsizetype second = line.indexOf(u':', colon + 1);
            each(line.sliced(colon + 1, (second < 0 ? line.size() : second) - colon - 1));
            start = lineEnd + LineEnd.size();
        }
        first = last;
    }
}

quint64 WordList::NewStamp()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

void WordList::Hold()
{
    if (!converter_)
        return;
    WordList held;
    for (const QuestItem &word : *this)
        held.append(word);
    *this = std::move(held);
}

QStringView WordList::ReadingAt(qsizetype index) const
{
    const Span &span = spans_.at(static_cast<size_t>(index));
    return QStringView(source_).sliced(span.Reading, span.ReadingEnd - span.Reading);
}

void WordList::append(const QuestItem &item)
{
    stamp_ = NewStamp();
    // Only lists made by hand grow this way; the loader's share their texts.
    Hold();
    Span span;
    span.Quest = static_cast<quint32>(text_.size());
    text_ += item.Quest;
    span.Colon = static_cast<quint32>(text_.size());
    text_ += QLatin1Char(':') + item.Roman;
    span.RomanEnd = static_cast<quint32>(text_.size());
    span.Reading = static_cast<quint32>(source_.size());
    source_ += item.Reading;
    span.ReadingEnd = static_cast<quint32>(source_.size());
    spans_.push_back(span);
}

void WordList::clear()
{
    stamp_ = NewStamp();
    text_.clear();
    source_.clear();
    spans_.clear();
    spans_.shrink_to_fit();
    converter_.reset();
}

void WordList::ClearReadings()
{
    stamp_ = NewStamp();
    Hold();
    source_.clear();
    for (Span &span : spans_)
        span.Reading = span.ReadingEnd = 0;
}
