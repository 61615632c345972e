// Renders the program's SVG icon into the PNG sizes of the freedesktop icon theme:
//   coilsmith-icon-render ICON.svg OUT_DIR NAME SIZE...
// writes OUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for each size. Run at build time, so the
// package ships PNGs without a runtime dependency on an SVG renderer.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: coilsmith-icon-render ICON.svg OUT_DIR NAME SIZE...\n");
        return 2;
    }
    // No display is needed to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "coilsmith-icon-render: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "coilsmith-icon-render: bad size %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path =
            out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!out.mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "coilsmith-icon-render: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
