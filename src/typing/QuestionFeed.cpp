#include "typing/QuestionFeed.h"

#include "platform/Platform.h"
#include "views/frmMain.h"
#include "util/Functions.h"

#include <cmath>

namespace {

void Show(frmMain &form, const QuestItem &item)
{
    form.lblQuest->setText(item.Quest);
    form.lblRoman->setText(item.Roman);
}

void ShowLine(frmMain &form, const QVector<QuestItem> &lines, int n)
{
    // Callers stay within the text; a stray index changes nothing.
    if (n >= 0 && n < lines.size())
        Show(form, lines.at(n));
}

void ShowNextLine(frmMain &form, const QVector<QuestItem> &lines, int n)
{
    const qint64 next = static_cast<qint64>(n) + 1;
    form.lblNext->setText(next >= 0 && next < lines.size() ? lines.at(next).Quest : QString());
}

} // namespace

int DrawWordIndex(double r, int wordMax)
{
    const int index = static_cast<int>(std::floor(r * (static_cast<double>(wordMax) + 1.0)));
    return index < 0 ? 0 : (index > wordMax ? wordMax : index);
}

void GetQuest(frmMain &form)
{
    if (form.Words.isEmpty())
        return;
    // WordMax is the highest index; it cannot point past the words actually held.
    const double held = Functions::Val(form.WordMax);
    const int last = static_cast<int>(form.Words.size() - 1);
    const int wordMax = held >= 0 && held < last ? static_cast<int>(held) : last;
    Show(form, form.Words.at(DrawWordIndex(platform::random().Next(), wordMax)));
}

void GetCopipe(frmMain &form, int n)
{
    ShowLine(form, form.CopipeLines, n);
}

void GetNextCopipe(frmMain &form, int n)
{
    ShowNextLine(form, form.CopipeLines, n);
}

void GetRanking(frmMain &form, int n)
{
    ShowLine(form, form.RankingLines, n);
}

void GetNextRanking(frmMain &form, int n)
{
    ShowNextLine(form, form.RankingLines, n);
}
