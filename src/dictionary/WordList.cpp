// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/WordList.h"

#include <utility>

WordList::WordList(std::initializer_list<QuestItem> items)
{
    for (const QuestItem &item : items)
        append(item);
}

WordList::WordList(QString text, QString source, std::vector<Span> spans)
    : text_(std::move(text)), source_(std::move(source)), spans_(std::move(spans))
{
}

QuestItem WordList::at(qsizetype index) const
{
    const Span &span = spans_.at(static_cast<size_t>(index));
    return {text_.sliced(span.Quest, span.Colon - span.Quest), RomanAt(index).toString(),
            source_.sliced(span.Reading, span.ReadingEnd - span.Reading)};
}

QStringView WordList::RomanAt(qsizetype index) const
{
    const Span &span = spans_.at(static_cast<size_t>(index));
    return QStringView(text_).sliced(span.Colon + 1, span.RomanEnd - span.Colon - 1);
}

QStringView WordList::ReadingAt(qsizetype index) const
{
    const Span &span = spans_.at(static_cast<size_t>(index));
    return QStringView(source_).sliced(span.Reading, span.ReadingEnd - span.Reading);
}

void WordList::append(const QuestItem &item)
{
    // Only lists made by hand grow this way; the loader's share their texts.
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
    text_.clear();
    source_.clear();
    spans_.clear();
    spans_.shrink_to_fit();
}

void WordList::ClearReadings()
{
    source_.clear();
    for (Span &span : spans_)
        span.Reading = span.ReadingEnd = 0;
}
