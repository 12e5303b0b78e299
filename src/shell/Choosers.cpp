// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Choosers.h"

#include "shell/Reload.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "views/frmMain.h"

#include <QAction>

namespace {

void FillChooser(frmMain &form, frmMain::MenuArray which, const QString &pattern)
{
    QStringList names = platform::files().List(aplMain::AppPath, pattern);
    if (names.size() > ChooserCapacity) {
        // The menu has room for so many; the files after them in the listing are left out.
        qCWarning(lcShell) << "only the first" << ChooserCapacity << "of" << names.size() << pattern
                                << "files are offered";
        names.resize(ChooserCapacity);
    }
    form.ClearMenuArray(which);
    for (const QString &name : std::as_const(names))
        form.AddMenuArrayItem(which, name);
    form.HideMenuArrayPlaceholder(which);
}

// The caption of a chooser element; nothing for the placeholder or an index out of range.
QString ChosenName(frmMain &form, frmMain::MenuArray which, int index)
{
    return form.MenuArrayCaption(which, index).value_or(QString());
}

} // namespace

void FillCopipeChooser(frmMain &form)
{
    FillChooser(form, frmMain::MenuArray::Change, QStringLiteral("*.cls"));
}

void FillWordChooser(frmMain &form)
{
    FillChooser(form, frmMain::MenuArray::QlsChange, QStringLiteral("*.qls"));
}

namespace {

// Makes the chosen file current for the length of a reload; one that cannot
// be loaded does not stay current.
void Choose(frmMain &form, Game &game, QString Dictionaries::*path, const QString &name)
{
    if (name.isEmpty())
        return;
    const QString previous = game.dict.*path;
    game.dict.*path = aplMain::AppPath + name;
    if (!ReloadDictionaries(form, game))
        game.dict.*path = previous;
}

} // namespace

void ChangeCopipeDictionary(frmMain &form, Game &game, int index)
{
    Choose(form, game, &Dictionaries::CopipePath, ChosenName(form, frmMain::MenuArray::Change, index));
}

void ChangeWordDictionary(frmMain &form, Game &game, int index)
{
    Choose(form, game, &Dictionaries::WordPath, ChosenName(form, frmMain::MenuArray::QlsChange, index));
}

void ImportSaved(frmMain &form, Game &game, const QString &path, bool copipe)
{
    if (!copipe) {
        FillWordChooser(form);
        return;
    }
    FillCopipeChooser(form);
    Choose(form, game, &Dictionaries::CopipePath, Functions::GetFileName(path));
}
