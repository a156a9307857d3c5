#include "ui/main_window/session_list_columns.h"

#include "ui/main_window/largest_texts.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace dvx {

namespace {

const char* const kHeaders[] = {"Date", "Description", "Duration", "Cost"};

int widestCell(const QFont& font, QStyle* style, const QStringList& texts) {
    QStyleOptionViewItem option;
    option.font = font;
    option.fontMetrics = QFontMetrics(font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int widest = 0;
    for (const QString& text : texts) {
        option.text = text;
        widest = qMax(
            widest, style->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, nullptr).width());
    }
    return widest;
}

// A header's text with its margins and the room of a sort mark.
int headerWidth(const QFont& font, QStyle* style, const char* header) {
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin);
    return QFontMetrics(font).horizontalAdvance(QString::fromLatin1(header)) + 4 * margin;
}

} // namespace

ColumnWidths SessionListWidths(const QFont& font, QStyle* style, const RegionalSettings& rs) {
    const QStringList texts[] = {
        DateTimeSamples(rs), {}, LargestDurationTexts(), LargestMoneyTexts(rs)};
    ColumnWidths widths = kSessionListWidths;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = std::max({widths[column], widestCell(font, style, texts[column]),
                                   headerWidth(font, style, kHeaders[column])});
    }
    return widths;
}

int SessionListGrowth(const ColumnWidths& widths) {
    int growth = 0;
    for (std::size_t column = 0; column < widths.size(); ++column)
        growth += widths[column] - kSessionListWidths[column];
    return growth;
}

void OwnDirectionDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The text runs, and stands, from its own side: a right-to-left text at the right.
    if (option->text.isRightToLeft())
        option->direction = Qt::RightToLeft;
}

} // namespace dvx
