#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings translations/tokira_en.ts up to date with the texts in the sources:
# new texts come in unfinished (the tests fail until they are translated),
# texts no longer in the sources are dropped. Then translate the unfinished
# entries with Qt Linguist (linguist translations/tokira_en.ts) or an editor.
# Another language: copy the command below with tokira_XX.ts, add the file to
# qt_add_translations in CMakeLists.txt and to LoadGameTranslation.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate 2>/dev/null || echo /usr/lib/qt6/bin/lupdate)
[ -x "$lupdate" ] || { echo "lupdate is missing (Debian: qt6-l10n-tools)" >&2; exit 1; }
"$lupdate" -silent -no-obsolete -locations none -source-language ja -target-language en \
    src -ts translations/tokira_en.ts
