#include "frame/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <ostream>

#include "coilsmith/Version.h"

namespace coilsmith {

std::vector<std::string> designFilesOf(QCommandLineParser& parser, const QStringList& arguments) {
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A design file to open at start."),
                                 QStringLiteral("[file]"));
    parser.parse(arguments);
    std::vector<std::string> files;
    for (const QString& file : parser.positionalArguments()) {
        files.push_back(QFileInfo(file).absoluteFilePath().toStdString());
    }
    return files;
}

const std::string_view kProgramHelp =
    "Usage: coilsmith [--catalogue PATH] [FILE]\n"
    "\n"
    "Designs power inductors (chokes) that carry a DC current with a triangular ripple: the\n"
    "minimum core area product of the specification, an iron-powder E-core or toroid and\n"
    "its material from the catalogue, and the winding with its losses, weight and\n"
    "temperature rise; a core adviser ranks every core and material of the catalogue, and\n"
    "a design check recomputes a finished design on the maker's DC-bias curve. Designs are\n"
    "40-line text files. coilsmith-cli does the same without a display.\n"
    "\n"
    "  FILE              a design file to open at start, as File > Open does (a file\n"
    "                    manager's \"Open With Coilsmith\" passes it)\n"
    "  --catalogue PATH  the core catalogue to design from (default: the file named by\n"
    "                    $COILSMITH_CATALOGUE, else Cores.csx beside the program, else\n"
    "                    ../share/coilsmith/Cores.csx from it)\n"
    "  -h, --help        show this help and exit\n"
    "  -v, --version     show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted too. The window remembers the\n"
    "last eight design files and its choices in ~/.config/Coilsmith/Coilsmith.conf.\n";

std::optional<int> answerInformationOption(const std::vector<std::string>& arguments,
                                           std::ostream& out, std::ostream& err) {
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            break;
        }
        const bool help = argument == "--help" || argument == "-h";
        if (help || argument == "--version" || argument == "-v") {
            out << (help ? std::string(kProgramHelp) : versionOptionText("coilsmith"))
                << std::flush;
            if (!out) {
                err << "coilsmith: cannot write to standard output\n";
                return 2;
            }
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace coilsmith
