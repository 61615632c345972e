#include "extras/Logo.h"

#include <QPainter>
#include <QSvgRenderer>

namespace coilsmith {

QPixmap logoPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/coilsmith/logo.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace coilsmith
