#pragma once

namespace coilsmith {

class Main;

// For the documentation screenshots only: when COILSMITH_SCRIPT names a file, its lines
// are played as user actions once the frame shows, e.g.
//   new | set Ldes 100 | pick Lunit uH | click CAP | option Toroid | pick Core <text>
//   pick CoreMat <index> | run | page 1 | grab docs/core.png | quit
void runScreenshotScriptIfAsked(Main& frame);

}  // namespace coilsmith
