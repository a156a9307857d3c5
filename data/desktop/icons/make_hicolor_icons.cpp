// Renders the program's scalable icon into the PNG sizes of the hicolor icon theme:
//   dorvantix_make_hicolor_icons ICON.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/<name of ICON>.png for each size.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool WritePng(QSvgRenderer& renderer, int size, const QString& path) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ICON.svg OUTPUT_FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString svgPath = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read the icon %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();
    const QString outputFolder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString path =
            QStringLiteral("%1/%2x%2/apps/%3.png").arg(outputFolder).arg(size).arg(name);
        if (size <= 0 || !WritePng(renderer, size, path)) {
            std::fprintf(stderr, "cannot write the %s icon %s\n", argv[i], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
