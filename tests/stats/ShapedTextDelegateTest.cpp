// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ShapedTextDelegate.h"

#include <QHeaderView>
#include <QImage>
#include <QStyleFactory>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A list shaped like the weak-key lists: numbers right-aligned, kana, Latin
// pairs a font kerns, a text too long for its column, an empty cell.
std::unique_ptr<QTreeWidget> List(QStyle *style, bool shapedOnce, bool narrow)
{
    auto list = std::make_unique<QTreeWidget>();
    list->setStyle(style);
    if (shapedOnce)
        list->setItemDelegate(new ShapedTextDelegate(list.get()));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setHeaderLabels({"文字", "ミス率", "ミス", "代わりに押したキー"});
    const QList<QStringList> rows = {
        {"Z", "12.3%", "10878", "「X」×4515 「A」×1887"},
        {"スペース", "5.0%", "7", "\"Z\" x30 \"Ta\" x2"},
        {"Other key", "100.0%", "1", ""},
        {"ぁ", "0.0%", "0", "a text long enough to be cut short in a narrow window, and then some more"},
        {"AVA ", "4.4%", "42", "Ty Wa To"},
    };
    for (const QStringList &row : rows) {
        auto *item = new QTreeWidgetItem(list.get(), row);
        for (int column : {1, 2})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    list->resize(narrow ? 300 : 700, 200);
    for (int column = 0; column < 3; ++column)
        list->resizeColumnToContents(column);
    return list;
}

} // namespace

TEST(ShapedTextDelegate, ListsLookAndSizeAsTheStyleMakesThem)
{
    // The styles the delegate copies, whatever the desktop's is.
    static QStyle *const fusion = QStyleFactory::create("Fusion");
    static QStyle *const windows = QStyleFactory::create("Windows");
    for (auto [style, narrow] : {std::pair{fusion, false}, {fusion, true}, {windows, false}}) {
        SCOPED_TRACE(style->name().toStdString() + (narrow ? " narrow" : " wide"));
        const auto stock = List(style, false, narrow);
        const auto shaped = List(style, true, narrow);
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(shaped->columnWidth(column), stock->columnWidth(column)) << column;
        const QImage expected = stock->grab().toImage();
        const QImage drawn = shaped->grab().toImage();
        EXPECT_EQ(drawn.size(), expected.size());
        EXPECT_TRUE(drawn == expected);
        // The texts were laid out here, not left to the style.
        EXPECT_GE(static_cast<ShapedTextDelegate *>(shaped->itemDelegate())->LaidOut(), 15);
    }
}
