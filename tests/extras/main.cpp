#include <QApplication>

int runSplashTests(int argc, char** argv);
int runAboutTests(int argc, char** argv);
int runHelpTests(int argc, char** argv);
int runPrinterDialogTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += runSplashTests(argc, argv);
    failures += runAboutTests(argc, argv);
    failures += runHelpTests(argc, argv);
    failures += runPrinterDialogTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
