// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ShapedTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QtMath>

namespace {

// Wider than any text a list shows: the line is laid out whole, and set to
// its cell's width only when it is drawn, which needs no second layout.
constexpr int WideEnough = 1 << 22;

const QStyle *StyleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

int TextMargin(const QStyleOptionViewItem &option)
{
    return StyleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, option.widget) + 1;
}

// The room the style gives a one-line text: its width in whole pixels and a margin each side.
QSize TextSize(const QTextLine &line, int margin)
{
    return QSize(qCeil(line.naturalTextWidth()) + 2 * margin, qCeil(line.height()));
}

} // namespace

ShapedTextDelegate::ShapedTextDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

ShapedTextDelegate::~ShapedTextDelegate() = default;

void ShapedTextDelegate::Forget()
{
    layouts_.clear();
}

bool ShapedTextDelegate::Plain(const QStyleOptionViewItem &option)
{
    // These styles leave an item's text to the common drawing that paint copies.
    const QByteArray style = StyleOf(option)->metaObject()->className();
    if (style != "QFusionStyle" && style != "QWindowsStyle")
        return false;
    const auto features = option.features & ~QStyleOptionViewItem::ViewItemFeatures(QStyleOptionViewItem::Alternate);
    return features == QStyleOptionViewItem::HasDisplay && !option.text.isEmpty()
           && !option.text.contains(QChar::LineSeparator) && option.direction == Qt::LeftToRight
           && option.decorationPosition == QStyleOptionViewItem::Left
           && !(option.state & (QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_Editing));
}

QTextLayout &ShapedTextDelegate::Layout(const QStyleOptionViewItem &option) const
{
    const Qt::Alignment alignment = QStyle::visualAlignment(option.direction, option.displayAlignment);
    std::shared_ptr<QTextLayout> &layout = layouts_[option.text];
    if (layout && layout->font() == option.font && layout->textOption().alignment() == alignment)
        return *layout;
    layout = std::make_shared<QTextLayout>(option.text, option.font);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(alignment);
    layout->setTextOption(textOption);
    // Keeps the shaped glyphs past endLayout, for drawing and the width set then.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(WideEnough);
    line.setPosition(QPointF(0, 0));
    layout->endLayout();
    ++laidOut_;
    return *layout;
}

QSize ShapedTextDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (index.data(Qt::SizeHintRole).isValid() || !Plain(opt))
        return QStyledItemDelegate::sizeHint(option, index);
    return TextSize(Layout(opt).lineAt(0), TextMargin(opt));
}

void ShapedTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!Plain(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QTextLayout &layout = Layout(opt);
    QTextLine line = layout.lineAt(0);
    // The text's room and place within the cell, worked out as the style does.
    const int margin = TextMargin(opt);
    QRect textRect = opt.showDecorationSelected
                         ? opt.rect
                         : QStyle::alignedRect(opt.direction, opt.displayAlignment,
                                               TextSize(line, margin).boundedTo(opt.rect.size()), opt.rect);
    textRect.adjust(margin, 0, -margin, 0);
    // A text too long for its cell is cut short with an ellipsis: the style's work.
    if (line.naturalTextWidth() > textRect.width()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    line.setLineWidth(textRect.width());
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), textRect);

    const QWidget *widget = opt.widget;
    painter->save();
    painter->setClipRegion(painter->hasClipping() ? painter->clipRegion() & opt.rect : QRegion(opt.rect));
    StyleOf(opt)->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->setPen(opt.palette.color(group, QPalette::Text));
    layout.draw(painter, QPointF(textRect.x(), layoutRect.top()));
    painter->restore();
}
