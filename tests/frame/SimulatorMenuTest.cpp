// The frame's menu items from the converter to the simulator, through the platform fakes on
// the shipped catalogue; what the commands do is tested without widgets.
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

#include "designwindow/ConverterDialog.h"
#include "designwindow/DesignWindow.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePrompter.h"
#include "frame/MainWindow.h"

using namespace coilsmith;

class SimulatorMenuTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    FakeFileDialogs dialogs_;
    FakeClipboard clipboard_;
    std::unique_ptr<MainWindow> main_;

    // Acts on the converter dialog once it is shown modal; gives up after five seconds.
    void whenDialogShows(std::function<void(ConverterDialog&)> act) {
        auto* timer = new QTimer(this);
        const QDeadlineTimer deadline(5000);
        connect(timer, &QTimer::timeout, this, [timer, deadline, act] {
            auto* dialog = qobject_cast<ConverterDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr && !deadline.hasExpired()) {
                return;
            }
            timer->stop();
            timer->deleteLater();
            if (dialog != nullptr) {
                act(*dialog);
            }
        });
        timer->start(10);
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("CoilsmithSimulatorMenuTest"));
    }
    void init() {
        prompter_ = FakePrompter{};
        dialogs_ = FakeFileDialogs{};
        FrameServices services{prompter_, dialogs_, clipboard_};
        services.appDir = COILSMITH_BIN_DIR;
        services.cataloguePath = std::string(COILSMITH_BIN_DIR) + "/Cores.csx";
        main_ = std::make_unique<MainWindow>(std::move(services));
        main_->show();
    }
    void cleanup() { main_.reset(); }

    void itemsAreInTheirMenus() {
        auto* convert = main_->findChild<QAction*>("mFromConverter");
        auto* export_ = main_->findChild<QAction*>("mExportModel");
        auto* delivered = main_->findChild<QAction*>("mExportDelivered");
        QVERIFY(convert && export_ && delivered);
        QCOMPARE(convert->text(), QStringLiteral("Specification from &Converter\u2026"));
        QCOMPARE(export_->text(), QStringLiteral("&Export Simulator Model\u2026"));
        QCOMPARE(delivered->text(), QStringLiteral("Export &Delivered Simulator Model\u2026"));
        QVERIFY(main_->findChild<QMenu*>("mDesign")->actions().contains(convert));
        QVERIFY(main_->findChild<QMenu*>("mFile")->actions().contains(export_));
        QVERIFY(main_->findChild<QMenu*>("mFile")->actions().contains(delivered));
    }

    // The accepted converter fills the four boxes with their units and calculates the area
    // product; a cancelled one changes nothing.
    void converterFillsTheSpecification() {
        whenDialogShows([](ConverterDialog& dialog) { dialog.reject(); });
        main_->findChild<QAction*>("mFromConverter")->trigger();
        QVERIFY(main_->design() == nullptr);

        whenDialogShows([](ConverterDialog& dialog) {
            const std::pair<const char*, const char*> figures[] = {
                {"VinMin", "18"}, {"VinMax", "36"}, {"Vout", "12"}, {"Iout", "5"}, {"Fs", "100k"}};
            for (const auto& [box, text] : figures) {
                dialog.findChild<QLineEdit*>(box)->setText(text);
            }
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        main_->findChild<QAction*>("mFromConverter")->trigger();
        QVERIFY(main_->design() != nullptr);
        QCOMPARE(main_->design()->findChild<QLineEdit*>("Ldes")->text(), QStringLiteral("53.3333"));
        QVERIFY(!main_->design()->model().text("APR").empty());
        QVERIFY(main_->findChild<QAction*>("mRun")->isEnabled());
        QVERIFY(prompter_.transcript.empty());
    }

    // The item reaches the export command (what it writes is tested without widgets).
    void exportNeedsADesign() {
        main_->findChild<QAction*>("mExportModel")->trigger();
        QCOMPARE(prompter_.messages.size(), std::size_t{1});
        QVERIFY(main_->design() == nullptr);

        main_->findChild<QAction*>("mExportDelivered")->trigger();
        QCOMPARE(prompter_.messages.size(), std::size_t{2});
    }
};

QTEST_MAIN(SimulatorMenuTest)
#include "SimulatorMenuTest.moc"
