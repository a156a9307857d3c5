// The reference for the program's idle cost and start: the least a Qt program in the tray does,
// an icon whose tip is rewritten once a second.
#include <QApplication>
#include <QColor>
#include <QDateTime>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap picture(32, 32);
    picture.fill(QColor(0, 0, 128));
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &icon, [&icon] {
        icon.setToolTip(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss")));
    });
    tick.start(1000);
    return QApplication::exec();
}
