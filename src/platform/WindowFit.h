#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace coilsmith {

// Brings a shown top-level window, its frame included, within the free area of its
// screen: smaller where it is larger, then moved to the area's corner if it still reaches
// outside. Whatever the scale factor, a window never stays larger than the screen.
inline void fitToScreen(QWidget& window) {
    const QRect available = window.screen()->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    const QSize fitting = window.size().boundedTo(available.size() - frame);
    if (fitting != window.size()) {
        window.resize(fitting);
    }
    if (!available.contains(window.frameGeometry())) {
        window.move(available.topLeft());
    }
}

}  // namespace coilsmith
