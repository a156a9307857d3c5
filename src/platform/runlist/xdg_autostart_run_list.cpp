#include "platform/runlist/xdg_autostart_run_list.h"

#include "platform/runlist/desktop_exec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dvx {

XdgAutostartRunList::XdgAutostartRunList(QString entryPath) : entryPath_(std::move(entryPath)) {}

QString XdgAutostartRunList::entryPath() const {
    return entryPath_.isEmpty() ? DefaultAutostartEntryPath() : entryPath_;
}

// The file is replaced whole or not at all, so an interrupted write never leaves half an entry.
void XdgAutostartRunList::write(const QString& programPath) {
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(AutostartEntryText(programPath).toUtf8());
    file.commit();
}

void XdgAutostartRunList::remove() {
    QFile::remove(entryPath());
}

QString DefaultAutostartEntryPath() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/dorvantix.desktop");
}

QString AutostartEntryText(const QString& programPath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Dorvantix\n"
                          "Comment=Meter the time and the cost of dial-up calls billed per minute\n"
                          "Exec=%1\n"
                          "Icon=dorvantix\n"
                          "Terminal=false\n"
                          "StartupNotify=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(DesktopExecValue(programPath));
}

} // namespace dvx
