#pragma once

#include <QString>
#include <ostream>

// Lets GoogleTest show texts as texts when an expectation fails.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
