#include "print/report/fit_to_width.h"

namespace dvx {

QString FitToWidth(const QString& text, int width) {
    if (text.size() > width) {
        return text.left(width);
    }
    return text.leftJustified(width, u' ');
}

} // namespace dvx
