// SPDX-License-Identifier: GPL-3.0-or-later
// Times the keystroke judge as a game calls it: every text of the shipped
// copipe dictionary, loaded and converted as the program does, is played as a
// Copipe attack on a real main window (offscreen), one KeyDown per key, with
// the character each key types. Each text is typed with the spelling option
// off, then on in the table's spelling, then on in spellings picked at random
// among those the judge accepts, then with kana input by JIS keycodes. A key
// that finishes a line includes showing the next one. Prints the median, 99th
// percentile and worst time per key. Sounds go nowhere: only the judge is
// timed. Then the same texts, spelling option off, are judged with the
// keyboard guide shown, and timed from the key to the window painted (the
// events the key queued, painting among them, handled) with the guide hidden
// and shown, first in romaji, then in kana on the guide with kana legends.
//
// Usage: bench_judge [rounds]   (default 5; data from the source tree;
//        QT_QPA_PLATFORM=offscreen unless a display is wanted)

#include "dictionary/Loader.h"
#include "dictionary/Records.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "typing/KanaLayout.h"
#include "typing/Rounds.h"
#include "views/GameView.h"
#include "views/GuideKeyboard.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class Silence : public platform::Sound {
public:
    void Play(const QString &) override {}
};

enum class Typing { TableSpelling, RandomSpelling };

// A copipe text's lines as a round, without the menu command's table and end.
struct CopipeText : TextLinesRound {
    using TextLinesRound::TextLinesRound;
    QString Title() const override { return QString(); }
};

// The key to press next: the first letter shown, or any letter the judge takes.
QChar NextKey(Game &game, Typing typing, std::mt19937 &random)
{
    static const QString keys = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-,.!?()[]' #");
    const QChar shown = game.state.Roman.at(0);
    RomajiSpelling *spelling = game.FreeSpelling();
    if (typing == Typing::TableSpelling || !spelling)
        return shown;
    std::vector<QChar> order(keys.begin(), keys.end());
    std::shuffle(order.begin(), order.end(), random);
    for (QChar candidate : order) {
        RomajiSpelling trial = *spelling;
        if (trial.Accept(candidate))
            return candidate;
    }
    return shown;
}

// Plays one text to its end; nextKey picks each key (untimed) and gives what
// presses it. The time of every key goes to perKey, up to the window painted
// when paint is set.
void Play(Game &game, const QString &title, const std::function<std::function<void()>()> &nextKey,
          std::vector<double> &perKey, bool paint)
{
    LoadCopipe(game.dict, title);
    CopipeText round(game.dict.CopipeLines);
    game.StartRound(round);
    game.state.Playing = true;
    const int expected = game.state.TypeCount;
    int keys = 0;
    while (game.state.LineNo <= round.LastLine()) {
        if (++keys > 100000)
            qFatal("stuck typing %s", qPrintable(title));
        const std::function<void()> press = nextKey();
        const auto start = Clock::now();
        press();
        if (paint)
            QCoreApplication::processEvents();
        perKey.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    game.state.Playing = false;
    if (game.state.MissCount != 0 || game.state.TypeCount != expected + keys)
        qFatal("%s was not typed without a miss", qPrintable(title));
}

// With kana input, each key by its JIS keycode.
void PlayTextInKana(Game &game, const QString &title, std::vector<double> &perKey, bool paint = false)
{
    Play(
        game, title,
        [&game]() -> std::function<void()> {
            kana::Stroke stroke{65, false}; // the space bar types an empty line
            if (!game.state.Roman.isEmpty())
                stroke = kana::StrokesOf(game.state.Roman.at(0).unicode()).keys[game.state.KanaKeys];
            return [&game, stroke] { KeyDown(game, 0, stroke.shift, false, 0, stroke.keyCode); };
        },
        perKey, paint);
}

void PlayText(Game &game, const QString &title, Typing typing, std::mt19937 &random, std::vector<double> &perKey,
              bool paint = false)
{
    Play(
        game, title,
        [&game, typing, &random]() -> std::function<void()> {
            const QChar key = NextKey(game, typing, random);
            const int code = key.unicode() >= 'A' && key.unicode() <= 'Z' ? key.unicode() : 0;
            return [&game, code, key] { KeyDown(game, code, false, true, key.unicode()); };
        },
        perKey, paint);
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void Print(const char *what, const std::vector<double> &perKey)
{
    std::printf("%-32s keys %7zu  per key: median %7.0f ns  p99 %7.0f ns  worst %8.0f ns\n", what, perKey.size(),
                Percentile(perKey, 0.5), Percentile(perKey, 0.99), Percentile(perKey, 1.0));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    platform::Services services;
    services.sound = std::make_shared<Silence>();
    platform::Install(services);
    aplMain::Settings settings;

    const LoadRequest request{QStringLiteral(TOKIRA_DATA_DIR "/tokira.qls"), QStringLiteral(TOKIRA_DATA_DIR "/tokira.cls"),
                              QStringLiteral(TOKIRA_DATA_DIR "/"), false};
    auto loaded = LoadDictionaries(request, [](int, const QString &) {});
    if (const auto *failure = std::get_if<LoadFailure>(&loaded))
        qFatal("the shipped data cannot be loaded: %s", qPrintable(failure->Message));

    frmMain form;
    form.show();
    Game game(&form);
    ShowGameOn(form, game);
    game.dict = std::move(std::get<Dictionaries>(loaded));
    aplMain::AutoLayout = true;
    std::printf("tokira.cls: %lld texts, %d rounds\n", static_cast<long long>(game.dict.CopipeTitles.size()), rounds);

    std::vector<double> off, onTable, onRandom, kanaInput;
    std::mt19937 random(1);
    for (int round = 0; round < rounds; ++round) {
        for (const QString &title : std::as_const(game.dict.CopipeTitles)) {
            aplMain::FreeRomaji = false;
            PlayText(game, title, Typing::TableSpelling, random, off);
            aplMain::FreeRomaji = true;
            PlayText(game, title, Typing::TableSpelling, random, onTable);
            PlayText(game, title, Typing::RandomSpelling, random, onRandom);
            aplMain::FreeRomaji = false;
            aplMain::KanaInput = true;
            PlayTextInKana(game, title, kanaInput);
            aplMain::KanaInput = false;
        }
    }
    Print("spelling option off", off);
    Print("spelling option on, table", onTable);
    Print("spelling option on, random", onRandom);
    Print("kana input", kanaInput);

    std::vector<double> judgedOff, judgedOn, paintedOff, paintedOn;
    aplMain::FreeRomaji = false;
    QCoreApplication::processEvents();
    for (int round = 0; round < rounds; ++round) {
        for (const QString &title : std::as_const(game.dict.CopipeTitles)) {
            form.SetGuideShown(false);
            QCoreApplication::processEvents();
            PlayText(game, title, Typing::TableSpelling, random, judgedOff);
            form.SetGuideShown(true);
            QCoreApplication::processEvents();
            PlayText(game, title, Typing::TableSpelling, random, judgedOn);
            form.SetGuideShown(false);
            QCoreApplication::processEvents();
            PlayText(game, title, Typing::TableSpelling, random, paintedOff, true);
            form.SetGuideShown(true);
            QCoreApplication::processEvents();
            PlayText(game, title, Typing::TableSpelling, random, paintedOn, true);
        }
    }
    Print("judged, guide hidden", judgedOff);
    Print("judged, guide shown", judgedOn);
    Print("key to painted, guide hidden", paintedOff);
    Print("key to painted, guide shown", paintedOn);

    // Kana input lights keys by keycode on a guide with kana legends.
    std::vector<double> kanaOff, kanaOn;
    aplMain::KanaInput = true;
    form.picGuide->SetKana(true);
    for (int round = 0; round < rounds; ++round) {
        for (const QString &title : std::as_const(game.dict.CopipeTitles)) {
            form.SetGuideShown(false);
            QCoreApplication::processEvents();
            PlayTextInKana(game, title, kanaOff, true);
            form.SetGuideShown(true);
            QCoreApplication::processEvents();
            PlayTextInKana(game, title, kanaOn, true);
        }
    }
    Print("kana, key to painted, hidden", kanaOff);
    Print("kana, key to painted, shown", kanaOn);
    return 0;
}
