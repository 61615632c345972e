#pragma once

#include <QStringList>

#include <functional>

namespace coilsmith {

class MainWindow;

// Names the application, which places its remembered choices (QSettings) in
// ~/.config/Coilsmith/Coilsmith.conf. A QApplication must exist.
void nameApplication();

// Runs Coilsmith on the existing QApplication until the frame closes and returns the exit
// status. `arguments` are the program's command line ("--catalogue PATH", design files):
// the splash shows first and hands over to the frame, which opens the design files;
// `frameShown`, if given, then runs on the frame.
using FrameShown = std::function<void(MainWindow&)>;
int runProgram(const QStringList& arguments, const FrameShown& frameShown = {});

}  // namespace coilsmith
