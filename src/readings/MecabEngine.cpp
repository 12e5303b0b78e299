// SPDX-License-Identifier: GPL-3.0-or-later
#include "readings/MecabEngine.h"

#include <QByteArray>
#include <QCoreApplication>

#ifdef TOKIRA_HAVE_MECAB
#include <mecab.h>

#include <cstring>

namespace {

// Told in the import window, in the player's language.
QString Install()
{
    return QCoreApplication::translate("MecabEngine", "sudo apt install mecab-ipadic-utf8 でインストールしてください。");
}

// The system's own setting first, then the usual places of the UTF-8 dictionary.
mecab_t *OpenTagger()
{
    for (const char *arguments : {"", "-r /dev/null -d /var/lib/mecab/dic/debian",
                                  "-r /dev/null -d /var/lib/mecab/dic/ipadic-utf8"}) {
        if (mecab_t *tagger = mecab_new2(arguments))
            return tagger;
    }
    return nullptr;
}

} // namespace

MecabEngine::MecabEngine()
{
    mecab_t *tagger = OpenTagger();
    if (!tagger) {
        problem_ = QCoreApplication::translate("MecabEngine", "読みを付けるための MeCab の辞書が見つかりません。") + Install();
        return;
    }
    const mecab_dictionary_info_t *info = mecab_dictionary_info(tagger);
    if (!info || !info->charset || (qstricmp(info->charset, "utf-8") != 0 && qstricmp(info->charset, "utf8") != 0)) {
        mecab_destroy(tagger);
        problem_ = QCoreApplication::translate("MecabEngine", "MeCab の辞書が UTF-8 ではありません。") + Install();
        return;
    }
    tagger_ = tagger;
}

MecabEngine::~MecabEngine()
{
    if (tagger_)
        mecab_destroy(static_cast<mecab_t *>(tagger_));
}

QVector<Morpheme> MecabEngine::Parse(const QString &text) const
{
    QVector<Morpheme> words;
    if (!tagger_)
        return words;
    const QByteArray bytes = text.toUtf8();
    const mecab_node_t *node = mecab_sparse_tonode2(static_cast<mecab_t *>(tagger_), bytes.constData(),
                                                    static_cast<size_t>(bytes.size()));
    for (; node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        Morpheme word;
        word.Surface = QString::fromUtf8(node->surface, node->length);
        word.Features = QString::fromUtf8(node->feature).split(QLatin1Char(','));
        word.Unknown = node->stat == MECAB_UNK_NODE;
        word.SpaceBefore = node->rlength > node->length;
        words.append(std::move(word));
    }
    return words;
}

#else

MecabEngine::MecabEngine()
    : problem_(QCoreApplication::translate("MecabEngine",
                                           "このゲームは MeCab なしでビルドされたため、読みを付けられません。"
                                           "sudo apt install libmecab-dev mecab-ipadic-utf8 でインストールしてから、"
                                           "ゲームをビルドし直してください。"))
{
}

MecabEngine::~MecabEngine() = default;

QVector<Morpheme> MecabEngine::Parse(const QString &) const
{
    return {};
}

#endif
