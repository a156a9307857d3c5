#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace dvx {

// What the process has read of the font system and of the image plugins so far.
struct Loaded {
    bool fonts = false;
    bool imagePlugins = false;
};

inline Loaded LoadedSoFar() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression fontFile(
        QStringLiteral("(/fontconfig/|\\.(ttf|ttc|otf|pfb|pcf|pcf\\.gz)$)"));
    Loaded loaded;
    for (const QString& line : QString::fromLocal8Bit(maps.readAll()).split(QLatin1Char('\n'))) {
        const QString path = line.section(QLatin1Char(' '), -1);
        loaded.fonts = loaded.fonts || fontFile.match(path).hasMatch();
        loaded.imagePlugins = loaded.imagePlugins || path.contains(QLatin1String("/imageformats/"));
    }
    return loaded;
}

} // namespace dvx
