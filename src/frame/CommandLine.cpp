#include "frame/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

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

}  // namespace coilsmith
