// SPDX-License-Identifier: GPL-3.0-or-later
// Every window laid out under a private X server at 100 %, once in Japanese
// and once in English: an English text may not be cut off, run out of its
// window or overlap a neighbour where the Japanese one does not.

#include "FakePlatform.h"
#include "ShippedData.h"
#include "XvfbDisplay.h"
#include "history/HistoryStore.h"
#include "modes/frmRanking.h"
#include "net/NetGame.h"
#include "net/frmNet.h"
#include "net/frmNetResult.h"
#include "shell/Program.h"
#include "shell/StartUp.h"
#include "stats/frmRun.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString TextOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    return QString();
}

// The same control in either language: the window's class and the child
// indices down to it.
QString PathOf(const QWidget *widget)
{
    QStringList steps;
    for (const QObject *object = widget; object->parent() && !static_cast<const QWidget *>(object)->isWindow();
         object = object->parent())
        steps.prepend(QString::number(object->parent()->children().indexOf(const_cast<QObject *>(object))));
    return QLatin1String(widget->window()->metaObject()->className()) + '/' + steps.join('/');
}

// What is wrong with a control's text, by problem and control, with a readable line for each.
QMap<QString, QString> Problems(const QList<QWidget *> &windows)
{
    QMap<QString, QString> found;
    for (QWidget *window : windows) {
        QList<QWidget *> texts;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window) || TextOf(widget).trimmed().isEmpty())
                continue;
            texts.append(widget);
            const QString path = PathOf(widget);
            const QString shown = TextOf(widget).left(40).replace('\n', ' ');
            const auto *label = qobject_cast<const QLabel *>(widget);
            const bool cut = label && label->wordWrap() ? label->heightForWidth(widget->width()) > widget->height()
                                                        : widget->sizeHint().width() > widget->width();
            if (cut)
                found.insert("cut " + path, QString("'%1' needs %2 px, has %3").arg(shown).arg(widget->sizeHint().width()).arg(widget->width()));
            const QWidget *parent = widget->parentWidget();
            if (parent && !parent->rect().contains(widget->geometry()))
                found.insert("out " + path, QString("'%1' runs out of its parent (%2 of %3 px)")
                                                .arg(shown).arg(widget->geometry().right()).arg(parent->width()));
        }
        for (int i = 0; i < texts.size(); ++i) {
            for (int j = i + 1; j < texts.size(); ++j) {
                QWidget *a = texts[i];
                QWidget *b = texts[j];
                if (a->parentWidget() != b->parentWidget() || !a->geometry().intersects(b->geometry()))
                    continue;
                found.insert("overlap " + PathOf(a) + " " + PathOf(b),
                             QString("'%1' overlaps '%2'").arg(TextOf(a).left(30), TextOf(b).left(30)));
            }
        }
    }
    return found;
}

// Opens every window of the game and returns what is wrong in them.
QMap<QString, QString> ProblemsOfEveryWindow(aplMain::UiLanguage language, QString *menuCaption)
{
    std::unique_ptr<QTranslator> translators[] = {LoadQtTranslation(language), LoadGameTranslation(language)};
    for (auto &translator : translators) {
        if (translator)
            QCoreApplication::installTranslator(translator.get());
    }
    FakePlatform fake;
    LayShippedDictionaries(fake);
    QTemporaryDir folder;
    history::HistoryStore store(folder.filePath("history.sqlite3"));
    QMap<QString, QString> problems;
    {
        Program program;
        program.Load();
        frmMain &form = program.Form();
        form.show();
        *menuCaption = form.mnuG->title();
        // Before the windows that lock the game menu.
        form.mnuImport->trigger();
        program.mnuSpeedScore_Click();
        program.mnuRoman_Click();
        program.mnuNet_Click();
        program.mnuLesson_Click();
        program.mnuStats_Click();
        program.mnuHowTo_Click();
        auto *result = new frmNetResult(program.Net().Window(), &form);
        auto *ranking = new frmRanking(form, {"早口言葉", "hayakuchi", "12.34", "5.67", false});
        auto *runs = new frmRun(store, &form);
        form.LoadWindow()->show();
        for (QWidget *window : {static_cast<QWidget *>(result), static_cast<QWidget *>(ranking), static_cast<QWidget *>(runs)}) {
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->show();
        }
        QCoreApplication::processEvents();
        QList<QWidget *> windows;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && !qobject_cast<QMenu *>(top))
                windows.append(top);
        }
        QStringList names;
        for (QWidget *window : windows)
            names.append(QLatin1String(window->metaObject()->className()) + ":" + window->windowTitle());
        EXPECT_GE(windows.size(), 12) << "not every window opened: " << names.join(' ').toStdString();
        problems = Problems(windows);
        for (QWidget *window : windows) {
            if (window != &form)
                window->close();
        }
        QCoreApplication::processEvents();
    }
    for (auto &translator : translators) {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
    }
    return problems;
}

} // namespace

TEST(TextWidths, NoEnglishTextIsCutOffOrOverlapsWhereTheJapaneseIsNot)
{
    if (qEnvironmentVariableIsSet("TOKIRA_TEXT_WIDTHS_ON_X")) {
        QString japaneseCaption, englishCaption;
        const QMap<QString, QString> japanese = ProblemsOfEveryWindow(aplMain::UiLanguage::Japanese, &japaneseCaption);
        const QMap<QString, QString> english = ProblemsOfEveryWindow(aplMain::UiLanguage::English, &englishCaption);
        ASSERT_EQ(japaneseCaption, "ゲーム(&G)");
        ASSERT_EQ(englishCaption, "&Game") << "the English texts were not in use";
        QStringList news;
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (!japanese.contains(it.key()))
                news.append(it.key().section(' ', 1) + ": " + it.value());
        }
        EXPECT_TRUE(news.isEmpty()) << news.join('\n').toStdString();
        return;
    }
    if (const QString missing = XvfbDisplay::Missing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString() << " is missing";
    XvfbDisplay display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    QProcessEnvironment environment = display.Environment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("TOKIRA_TEXT_WIDTHS_ON_X", "1");
    environment.remove("QT_SCALE_FACTOR");
    environment.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
    QProcess self;
    self.setProcessEnvironment(environment);
    self.setProcessChannelMode(QProcess::MergedChannels);
    self.start(QCoreApplication::applicationFilePath(),
               {"--gtest_filter=TextWidths.NoEnglishTextIsCutOffOrOverlapsWhereTheJapaneseIsNot"});
    ASSERT_TRUE(self.waitForFinished(300000));
    const QString output = QString::fromUtf8(self.readAll());
    EXPECT_EQ(self.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
