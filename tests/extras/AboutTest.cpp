#include <QPushButton>
#include <QtTest>
#include <string>

#include "extras/AboutBox.h"
#include "extras/SystemInfoTool.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakePrompter.h"
#include "fakes/MemoryRegistry.h"

using namespace coilsmith;
using std::string;

class AboutTest : public QObject {
    Q_OBJECT

  private slots:
    // Text loses one closing NUL; a DWORD reads last byte first as "&h" hex; other types leave
    // the value. No key (type -1), no value (-2), a refused query (-3), a value past the
    // buffer give "".
    void getKeyValueDecodesEachType() {
        // clang-format off
        const std::tuple<int, string, string> rows[] = {
            {1, string("C:\\msinfo32.exe\0", 16), "C:\\msinfo32.exe"}, {1, string(1, '\0'), ""},
            {1, "C:\\msinfo32.exe", "C:\\msinfo32.exe"}, {1, "", ""}, {3, "\x01\x02\x03", "old"},
            {1, string("a\0b", 3), string("a\0b", 3)}, {4, string("\x01\x00\x00\x00", 4), "&h001"},
            {4, string("\x10\x27\x00\x00", 4), "&h02710"}, {4, "\xAB\xCD\x0E\x12", "&h12ECDAB"},
            {-1, "", ""}, {-2, "", ""}, {-3, "", ""}, {1, string(1025, 'x'), ""}};
        // clang-format on
        const std::uint32_t hklm = Registry::kHkeyLocalMachine;
        for (const auto& [type, data, expected] : rows) {
            MemoryRegistry registry;
            if (type <= -2)
                registry.addKey(hklm, "SOFTWARE\\T").failQueries = type == -3;
            if (type > 0)
                registry.setValue(hklm, "SOFTWARE\\T", "V", {std::uint32_t(type), data});
            string value = "old";
            const bool read = type > 0 && data.size() <= 1024;
            QCOMPARE(readRegistryText(registry, hklm, "SOFTWARE\\T", "V", value), read);
            QCOMPARE(value, expected);
            QCOMPARE(registry.opened.at(0).access, Registry::kKeyRead);
            QVERIFY(registry.openHandles.empty());
        }
    }

    // The first key names the program; the second a folder holding MSINFO32.EXE; without the
    // registry the button shows our own information.
    void systemInformationStartsTheRegistrysProgram() {
        const string first = "C:\\Msinfo\\msinfo32.exe", shared = "C:\\Shared\\MSINFO32.EXE";
        const std::tuple<string, string, bool, bool, string> rows[] = {
            {first + '\0', "C:\\Other", false, true, first},
            {"", string("C:\\Shared\0", 10), true, true, shared},
            {"", "C:\\Shared", false, true, ""},
            {"", "C:\\Shared", true, false, ""},
            {"", "", false, true, ""},
            {first, "", true, false, ""}};
        for (const auto& [path, folder, fileExists, launchWorks, started] : rows) {
            MemoryRegistry registry;
            FakeLauncher launcher;
            FakePrompter prompter;
            if (!path.empty())
                registry.setValue(Registry::kHkeyLocalMachine, kSysInfoKey, "PATH", {1, path});
            if (!folder.empty())
                registry.setValue(Registry::kHkeyLocalMachine, kSysInfoLocationKey, "MSINFO",
                                  {1, folder});
            if (fileExists)
                launcher.files.insert(shared);
            launcher.startSucceeds = launchWorks;
            int shown = 0;
            AboutBox about(registry, launcher, prompter, {});
            QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
            const std::vector<string> message{"System Information Is Unavailable At This Time"};
            QCOMPARE(prompter.messages, started.empty() ? message : std::vector<string>{});
            QCOMPARE(launcher.started, started.empty() ? launcher.started : std::vector{started});
            AboutBox own(registry, launcher, prompter, [&shown] { ++shown; });
            QTest::mouseClick(own.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
            QCOMPARE(shown, 1);
        }
    }
};

int runAboutTests(int argc, char** argv) {
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutTest.moc"
