#pragma once

#include <QString>

#include <optional>

namespace coilsmith {

// Each writes the pictures of the documentation named below, from the catalogue and help
// text beside this program, and returns why it could not (nothing when it did). A picture
// of an error documents nothing, so a message the program would show is such a reason.
using PictureProblem = std::optional<QString>;

// splash.png, about.png and help.png into the folder `dir`.
PictureProblem pictureWindows(const QString& dir);

// The printed report of a completed toroid design, as the PDF file `pdf`.
PictureProblem pictureReport(const QString& pdf);

// The core adviser ranking the catalogue for its default specification, as `png`.
PictureProblem pictureAdviser(const QString& png);

}  // namespace coilsmith
