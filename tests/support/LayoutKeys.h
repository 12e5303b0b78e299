// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key events as xcb delivers them for a physical key under a US or a Japanese
// system layout: the X keycode, the Qt key and the text the layout gives it.
// Keys a layout leaves without a symbol arrive with key 0 and no text.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

enum class SystemLayout { Us, Japanese };

inline void PressKeyCode(QWidget *target, SystemLayout layout, quint32 keyCode, bool shift = false)
{
    struct Row {
        quint32 first;
        const char16_t *plain;
        const char16_t *shifted;
    };
    // A space stands for no symbol.
    static const Row us[] = {{10, u"1234567890-=", u"!@#$%^&*()_+"},
                             {24, u"qwertyuiop[]", u"QWERTYUIOP{}"},
                             {38, u"asdfghjkl;'`", u"ASDFGHJKL:\"~"},
                             {51, u"\\zxcvbnm,./", u"|ZXCVBNM<>?"}};
    static const Row jis[] = {{10, u"1234567890-^", u"!\"#$%&'() =~"},
                              {24, u"qwertyuiop@[", u"QWERTYUIOP`{"},
                              {38, u"asdfghjkl;: ", u"ASDFGHJKL+* "},
                              {51, u"]zxcvbnm,./", u"}ZXCVBNM<>?"},
                              {97, u"\\", u"_"},
                              {132, u"¥", u"|"}};
    char16_t c = 0;
    for (const Row &row : layout == SystemLayout::Us ? QList<Row>(std::begin(us), std::end(us))
                                                    : QList<Row>(std::begin(jis), std::end(jis))) {
        const std::u16string_view plain(row.plain);
        if (keyCode >= row.first && keyCode < row.first + plain.size())
            c = (shift ? row.shifted : row.plain)[keyCode - row.first];
    }
    int key = 0;
    QString text;
    if (layout == SystemLayout::Japanese && keyCode == 49) {
        key = Qt::Key_Zenkaku_Hankaku;
    } else if (c && c != u' ') {
        text = QString(QChar(c));
        key = c >= u'a' && c <= u'z' ? c - u'a' + Qt::Key_A : QChar(c).toUpper().unicode();
    }
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent event(QEvent::KeyPress, key, modifiers, keyCode, c, 0, text);
    QApplication::sendEvent(target, &event);
}
