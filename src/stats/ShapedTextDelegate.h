// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a list's plain one-line texts as the style does, but lays each text
// out once: the style lays a text out four times between sizing its column
// and painting it, and on Japanese text that shaping is most of a list's cost.

#include <QHash>
#include <QStyledItemDelegate>

#include <memory>

class QTextLayout;

class ShapedTextDelegate : public QStyledItemDelegate {
public:
    explicit ShapedTextDelegate(QObject *parent = nullptr);
    ~ShapedTextDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Lets go of the texts laid out so far, when the list is filled anew.
    void Forget();
    // How many texts were laid out here rather than by the style.
    int LaidOut() const { return laidOut_; }

private:
    // Whether the style would draw this item as its plain text alone, so
    // that drawing it here comes out the same; anything else goes to the style.
    static bool Plain(const QStyleOptionViewItem &option);
    QTextLayout &Layout(const QStyleOptionViewItem &option) const;

    mutable QHash<QString, std::shared_ptr<QTextLayout>> layouts_;
    mutable int laidOut_ = 0;
};
