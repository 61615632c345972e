#pragma once

#include <QStringList>

#include <string>
#include <vector>

class QCommandLineParser;

namespace coilsmith {

// The design files named on the program's command line, with full paths. `parser` may
// carry the program's other options; unknown options are left to it.
std::vector<std::string> designFilesOf(QCommandLineParser& parser, const QStringList& arguments);

}  // namespace coilsmith
