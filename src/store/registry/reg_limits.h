#pragma once

#include "store/registry/reg_value.h"

#include <QString>
#include <QStringView>

namespace dvx {

// What the hive holds at most, so that no file can make it grow out of proportion: keys at
// most 512 levels below the root, key and value names of at most 255 characters, and values
// of at most 1 MB in the stored (UTF-8) form.
inline constexpr int kMaxKeyDepth = 512;
inline constexpr qsizetype kMaxNameLength = 255;
inline constexpr qsizetype kMaxValueBytes = 1024 * 1024;

// The number of bytes the text takes in UTF-8.
qsizetype Utf8Size(QStringView text);

// Why the value cannot be stored under that name; empty when it can.
QString ValueLimitProblem(const QString& name, const RegValue& value);

// The start of a long text for a message: at most 40 characters, "..." marking a cut.
QString Excerpt(QStringView text);

} // namespace dvx
