#pragma once

#include <QChar>
#include <QString>

namespace dvx {

// Appends a whole number as QString::arg writes it with a field width and a fill character
// ("%1".arg(value, width, 10, fill)); a number that is not negative, as the numbers of dates,
// times and money are, is written without making texts on the way.
void appendNumber(QString& text, int value, int width = 0, QChar fill = QLatin1Char(' '));

} // namespace dvx
