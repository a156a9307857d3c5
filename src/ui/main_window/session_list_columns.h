#pragma once

#include "metering/regional_settings.h"

#include <QStyledItemDelegate>
#include <array>

class QFont;
class QStyle;

namespace dvx {

// The widths of the session list's four columns (Date, Description, Duration, Cost): at least
// their first widths, 120, 130, 130 and 50, and as wide as their headers and their widest texts
// in the user's locale need, so that no date, time, AM/PM word or amount is cut.
using ColumnWidths = std::array<int, 4>;
inline constexpr ColumnWidths kSessionListWidths = {120, 130, 130, 50};
ColumnWidths SessionListWidths(const QFont& font, QStyle* style, const RegionalSettings& rs);
// How much wider than at first the four columns are together.
int SessionListGrowth(const ColumnWidths& widths);

// Draws each cell's text in its own direction: a right-to-left date or amount reads right to
// left, whole, whatever the window's direction.
class OwnDirectionDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace dvx
