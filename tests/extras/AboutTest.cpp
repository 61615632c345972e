#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <string>

#include "extras/SysInfo.h"
#include "extras/SystemInfo.h"
#include "extras/SystemInfoDialog.h"
#include "extras/frmAbout.h"
#include "platform/fakes/FakeLauncher.h"
#include "platform/fakes/FakePrompter.h"
#include "platform/fakes/MemoryRegistry.h"

using namespace coilsmith;

namespace {

constexpr std::uint32_t kHklm = Registry::kHkeyLocalMachine;
const std::string kKey = "SOFTWARE\\Test";

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

    // Fresh fakes for every test.
    MemoryRegistry registry;
    FakeLauncher launcher;
    FakePrompter prompter;

    QPushButton* button(frmAbout& about, const char* name) {
        return about.findChild<QPushButton*>(QString::fromLatin1(name));
    }

  private slots:
    void init() {
        registry = {};
        launcher = {};
        prompter = {};
    }

    void getKeyValueReadsByType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* name, int type, const std::string& data,
                            const std::string& expected) {
            QTest::newRow(name) << type << QByteArray::fromStdString(data)
                                << QByteArray::fromStdString(expected);
        };
        row("text with its NUL", 1, std::string("C:\\Tools\\msinfo32.exe\0", 22),
            "C:\\Tools\\msinfo32.exe");
        row("text without NUL", 1, "C:\\Tools\\msinfo32.exe", "C:\\Tools\\msinfo32.exe");
        row("only a NUL", 1, std::string(1, '\0'), "");
        row("empty value", 1, "", "");
        row("NUL inside is kept", 1, std::string("a\0b", 3), std::string("a\0b", 3));
        row("dword ending in NUL loses it", 4, bytes({0x01, 0x00, 0x00, 0x00}), "&h001");
        row("dword last to first", 4, bytes({0x10, 0x27, 0x00, 0x00}), "&h02710");
        row("dword no leading zeros", 4, bytes({0xAB, 0xCD, 0x0E, 0x12}), "&h12ECDAB");
        row("other types leave the value", 3, bytes({1, 2, 3}), "old");
    }
    void getKeyValueReadsByType() {
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, expected);
        registry.setValue(kHklm, kKey, "V", {static_cast<std::uint32_t>(type), data.toStdString()});
        std::string value = "old";
        QVERIFY(GetKeyValue(registry, kHklm, kKey, "V", value));
        QCOMPARE(QByteArray::fromStdString(value), expected);
        QCOMPARE(registry.opened.size(), std::size_t{1});
        QCOMPARE(registry.opened[0].access, Registry::kKeyRead);
        QVERIFY(registry.openHandles.empty());
    }

    void getKeyValueFailures_data() {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<bool>("failQueries");
        QTest::addColumn<int>("valueSize");
        QTest::newRow("missing key") << false << false << 4;
        QTest::newRow("missing value") << true << false << -1;
        QTest::newRow("query refused") << true << true << 4;
        QTest::newRow("value beyond the buffer") << true << false << 1025;
    }
    void getKeyValueFailures() {
        QFETCH(bool, keyExists);
        QFETCH(bool, failQueries);
        QFETCH(int, valueSize);
        if (keyExists) {
            registry.addKey(kHklm, kKey).failQueries = failQueries;
            if (valueSize >= 0) {
                registry.setValue(kHklm, kKey, "V",
                                  {1, std::string(static_cast<std::size_t>(valueSize), 'x')});
            }
        }
        std::string value = "old";
        QVERIFY(!GetKeyValue(registry, kHklm, kKey, "V", value));
        QVERIFY(value.empty());
        QVERIFY(registry.openHandles.empty());
    }

    void startSysInfoFirstKey() {
        registry.setValue(kHklm, kSysInfoKey, "PATH",
                          {1, std::string("C:\\Msinfo\\msinfo32.exe\0", 23)});
        registry.setValue(kHklm, kSysInfoLocationKey, "MSINFO", {1, "C:\\Other"});
        StartSysInfo(registry, launcher, prompter);
        QCOMPARE(launcher.started, std::vector<std::string>{"C:\\Msinfo\\msinfo32.exe"});
        QVERIFY(prompter.messages.empty());
        QCOMPARE(registry.opened.size(), std::size_t{1});
        QCOMPARE(registry.opened[0].path, std::string(kSysInfoKey));
    }

    void startSysInfoSecondKey_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("launchWorks");
        QTest::addColumn<bool>("started");
        QTest::newRow("file present") << true << true << true;
        QTest::newRow("file missing") << false << true << false;
        QTest::newRow("launch fails") << true << false << false;
    }
    void startSysInfoSecondKey() {
        QFETCH(bool, fileExists);
        QFETCH(bool, launchWorks);
        QFETCH(bool, started);
        registry.setValue(kHklm, kSysInfoLocationKey, "MSINFO",
                          {1, std::string("C:\\Shared\0", 10)});
        launcher.startSucceeds = launchWorks;
        if (fileExists) {
            launcher.files.insert("C:\\Shared\\MSINFO32.EXE");
        }
        StartSysInfo(registry, launcher, prompter);
        QCOMPARE(launcher.checked, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});
        QCOMPARE(prompter.messages.empty(), started);
        if (!started) {
            QCOMPARE(prompter.messages, std::vector<std::string>{kSysInfoUnavailable});
        }
        QVERIFY(registry.openHandles.empty());
    }

    void startSysInfoNothingFoundOrLaunchRefused_data() {
        QTest::addColumn<bool>("firstKey");
        QTest::newRow("no keys") << false;
        QTest::newRow("first key, launch refused") << true;
    }
    void startSysInfoNothingFoundOrLaunchRefused() {
        QFETCH(bool, firstKey);
        if (firstKey) {
            registry.setValue(kHklm, kSysInfoKey, "PATH", {1, "C:\\msinfo32.exe"});
        }
        launcher.startSucceeds = false;
        StartSysInfo(registry, launcher, prompter);
        QCOMPARE(prompter.messages,
                 std::vector<std::string>{"System Information Is Unavailable At This Time"});
    }

    void aboutBoxControls() {
        frmAbout about(registry, launcher, prompter, {});
        QCOMPARE(about.windowTitle(), QStringLiteral("About Coilsmith"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label6"))->text(),
                 QStringLiteral("Coilsmith"));
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblVersion"))
                    ->text()
                    .startsWith(QStringLiteral("Version ")));
        QCOMPARE(button(about, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(button(about, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    }

    void aboutSysInfoButtonUsesTheRegistry() {
        frmAbout about(registry, launcher, prompter, {});
        QTest::mouseClick(button(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(prompter.messages, std::vector<std::string>{kSysInfoUnavailable});
        QCOMPARE(registry.opened.size(), std::size_t{2});
    }

    void aboutSysInfoButtonWithoutRegistryShowsOwnInformation() {
        int shown = 0;
        frmAbout about(registry, launcher, prompter, [&shown] { ++shown; });
        QTest::mouseClick(button(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(shown, 1);
        QVERIFY(registry.opened.empty());
        QVERIFY(prompter.messages.empty());
    }

    void aboutOkCloses() {
        frmAbout about(registry, launcher, prompter, {});
        about.show();
        QTest::mouseClick(button(about, "cmdOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void systemInformationNamesTheCatalogueAndItsTables() {
        const auto lines = collectSystemInfo(QStringLiteral(COILSMITH_TEST_BIN_DIR));
        const QString text = systemInfoText(lines);
        for (const char* label : {"Operating system", "Kernel", "CPU architecture", "Qt version",
                                  "Screen 1", "Program folder", "Catalogue"}) {
            QVERIFY2(text.contains(QString::fromLatin1(label)), label);
        }
        QVERIFY(text.contains(QString::fromLatin1(qVersion())));
        for (const char* table :
             {"E-Cores", "Toroids", "Materials", "Core_Materials", "Toroid_Materials"}) {
            QVERIFY2(QRegularExpression(
                         QStringLiteral("  %1: \\d+ rows\\n").arg(QString::fromLatin1(table)))
                         .match(text)
                         .hasMatch(),
                     table);
        }
    }

    void systemInformationOfAMissingCatalogue() {
        const auto lines = catalogueInfo(QStringLiteral("/nonexistent/Cores.csx"));
        QCOMPARE(lines.size(), std::size_t{1});
        QVERIFY(lines[0].second.endsWith(QStringLiteral("(missing)")));
    }

    void systemInformationCopies() {
        SystemInfoDialog dialog(QStringLiteral("Kernel: test\n"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCopy")),
                          Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Kernel: test\n"));
    }
};

int runAboutTests(int argc, char** argv) {
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutTest.moc"
