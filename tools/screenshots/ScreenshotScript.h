#pragma once

#include <QString>

namespace coilsmith {

class MainWindow;

// Plays the lines of the script file `path` as user actions on the shown frame, one after
// the other, e.g.
//   new | set Ldes 100 | pick Lunit uH | click CAP | option Toroid | pick Core <text>
//   pick CoreMat <item> | run | page 1 | grab docs/core.png | quit
// A line that cannot be played (unknown action, missing control or item, a picture that
// cannot be written) and any message box the program shows end the program with status 1
// and the reason on standard error: a picture of an error documents nothing.
void playScreenshotScript(MainWindow& frame, const QString& path);

}  // namespace coilsmith
