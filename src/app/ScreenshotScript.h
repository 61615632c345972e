#pragma once

namespace coilsmith {

class MainWindow;

// For the documentation screenshots only: when COILSMITH_SCRIPT names a file, its lines
// are played as user actions once the frame shows, one after the other, e.g.
//   new | set Ldes 100 | pick Lunit uH | click CAP | option Toroid | pick Core <text>
//   pick CoreMat <item> | run | page 1 | grab docs/core.png | quit
// A line that cannot be played (unknown action, missing control or item, a picture that
// cannot be written) and any message box the program shows end the program with status 1
// and the reason on standard error: a picture of an error documents nothing.
void runScreenshotScriptIfAsked(MainWindow& frame);

}  // namespace coilsmith
