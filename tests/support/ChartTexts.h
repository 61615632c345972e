#pragma once

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QStringList>

namespace coilsmith::test {

// The texts a chart draws, as drawn: a title too long for its axis is cut short.
inline QStringList chartTexts(const QGraphicsView& chart) {
    QStringList texts;
    for (QGraphicsItem* item : chart.scene()->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item)) {
            texts << text->toPlainText();
        }
    }
    return texts;
}

}  // namespace coilsmith::test
