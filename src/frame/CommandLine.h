#pragma once

#include <QStringList>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCommandLineParser;

namespace coilsmith {

// The design files named on the program's command line, with full paths. `parser` may
// carry the program's other options; unknown options are left to it.
std::vector<std::string> designFilesOf(QCommandLineParser& parser, const QStringList& arguments);

// What "coilsmith --help" prints; the manual page coilsmith(1) is made from it.
extern const std::string_view kProgramHelp;

// Answers "--help" (-h) or "--version" (-v) among the program's arguments (those before a
// "--") on `out` and gives the exit status (2, said on `err`, when `out` fails); nullopt
// when neither is asked. It runs before Qt starts, so it needs no display.
std::optional<int> answerInformationOption(const std::vector<std::string>& arguments,
                                           std::ostream& out, std::ostream& err);

}  // namespace coilsmith
