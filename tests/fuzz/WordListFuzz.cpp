// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the word list, loaded with the shipped table (words converted
// when asked for) or with one that moves line ends (the whole text converted
// at once): loaded or refused with a message, and every word of a loaded
// list one line's text and romaji, its romaji the same one by one and all
// at once.

#include "FuzzCheck.h"
#include "dictionary/Loader.h"
#include "util/Functions.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Shipped(const char *name)
{
    QFile file(QStringLiteral(TOKIRA_SOURCE_DIR "/data/") + QLatin1String(name));
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/tokira-fuzz-XXXXXX"));
    static const QString folder = dir.path() + QLatin1Char('/');
    static const QByteArray table = Shipped("roman.dat");
    static const bool written = [] {
        Write(folder + "tokira.cls", Shipped("tokira.cls"));
        Write(folder + "tokira.rls", Shipped("tokira.rls"));
        return true;
    }();
    (void)written;
    return fuzz::Run([&] {
        if (size < 1)
            return;
        // A rule finding a lone line feed: the lines may move, so no word converts on its own.
        Write(folder + "roman.dat", data[0] & 1 ? table + "\n: \r\n" : table);
        Write(folder + "tokira.qls", fuzz::Bytes(data + 1, size - 1));
        LoadRequest request;
        request.WordPath = folder + "tokira.qls";
        request.CopipePath = folder + "tokira.cls";
        request.Folder = folder;
        request.ShortenNN = data[0] & 2;
        const auto loaded = LoadDictionaries(request, [](int, const QString &) {});
        if (const auto *failure = std::get_if<LoadFailure>(&loaded)) {
            FUZZ_CHECK(!failure->Message.isEmpty());
            return;
        }
        const Dictionaries &dictionaries = std::get<Dictionaries>(loaded);
        const WordList &words = dictionaries.Words;
        FUZZ_CHECK(!words.isEmpty() && dictionaries.WordMax == QString::number(words.size() - 1));
        QStringList each;
        words.EachRoman([&each](QStringView roman) { each.append(roman.toString()); });
        FUZZ_CHECK(each.size() == words.size());
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QuestItem item = words.at(i);
            FUZZ_CHECK(!item.Quest.contains(QLatin1String("\r\n")) && !item.Quest.contains(QLatin1Char(':')));
            FUZZ_CHECK(item.Roman == each.at(i));
            FUZZ_CHECK(words.ReadingAt(i) == item.Reading);
        }
    });
}
