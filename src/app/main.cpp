#include <QApplication>

#include "Program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    coilsmith::nameApplication();
    return coilsmith::runProgram(QApplication::arguments());
}
