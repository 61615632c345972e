#pragma once

#include <QPixmap>
#include <QSize>

namespace coilsmith {

// The program's logo (a wound toroid), drawn at the given size from its vector source.
QPixmap logoPixmap(QSize size);

}  // namespace coilsmith
