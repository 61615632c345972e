#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "Program.h"
#include "frame/CommandLine.h"

int main(int argc, char* argv[]) {
    // Help and version are answered before Qt starts: they need no display.
    if (const auto status = coilsmith::answerInformationOption(
            std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr)) {
        return *status;
    }
    QApplication app(argc, argv);
    coilsmith::nameApplication();
    return coilsmith::runProgram(QApplication::arguments());
}
