#include "metering/padded_number.h"

#include <algorithm>
#include <array>

namespace dvx {

namespace {

// The ten digits of an int and a fill of some width before them.
constexpr std::size_t kWrittenInPlace = 32;

} // namespace

void appendNumber(QString& text, int value, int width, QChar fill) {
    if (value < 0 || width < 0 || static_cast<std::size_t>(width) > kWrittenInPlace - 10) {
        text += QStringLiteral("%1").arg(value, width, 10, fill);
        return;
    }
    std::array<QChar, kWrittenInPlace> written;
    std::size_t start = written.size();
    do {
        written[--start] = QChar(static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    const std::size_t begin = std::min(start, written.size() - static_cast<std::size_t>(width));
    std::fill(written.begin() + static_cast<std::ptrdiff_t>(begin),
              written.begin() + static_cast<std::ptrdiff_t>(start), fill);
    text.append(written.data() + begin, static_cast<qsizetype>(written.size() - begin));
}

} // namespace dvx
