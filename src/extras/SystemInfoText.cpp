#include "extras/SystemInfoText.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

#include "catalogue/Catalogue.h"
#include "platform/ProgramDir.h"

namespace coilsmith {

namespace {

constexpr const char* kTables[] = {"E-Cores", "Toroids", "Materials", "Core_Materials",
                                   "Toroid_Materials"};

QString screenText(const QScreen& screen) {
    const QRect geometry = screen.geometry();
    return QStringLiteral("%1 x %2 pixels, scale %3, %4 dpi")
        .arg(geometry.width())
        .arg(geometry.height())
        .arg(screen.devicePixelRatio())
        .arg(screen.logicalDotsPerInch(), 0, 'f', 0);
}

QString rowCount(const std::string& path, const char* table) {
    try {
        DataSource source(table);
        source.setDatabaseName(path);
        source.refresh();
        return QStringLiteral("%1 rows").arg(source.recordset().recordCount());
    } catch (const std::exception& error) {
        return QStringLiteral("unreadable (%1)").arg(QString::fromStdString(error.what()));
    }
}

}  // namespace

std::vector<InfoLine> catalogueInfo(const QString& cataloguePath) {
    std::vector<InfoLine> lines;
    const QFileInfo file(cataloguePath);
    if (!file.isFile()) {
        lines.emplace_back(QStringLiteral("Catalogue"),
                           cataloguePath + QStringLiteral(" (missing)"));
        return lines;
    }
    lines.emplace_back(QStringLiteral("Catalogue"),
                       QStringLiteral("%1 (%2 bytes, modified %3)")
                           .arg(cataloguePath)
                           .arg(file.size())
                           .arg(file.lastModified().toString(Qt::ISODate)));
    const std::string path = cataloguePath.toStdString();
    for (const char* table : kTables) {
        lines.emplace_back(QStringLiteral("  ") + QString::fromLatin1(table),
                           rowCount(path, table));
    }
    return lines;
}

CatalogueSummary catalogueSummary(const QString& cataloguePath) {
    if (!QFileInfo(cataloguePath).isFile()) {
        return {false, QStringLiteral("The catalogue %1 is missing.").arg(cataloguePath)};
    }
    try {
        const auto rows = [&cataloguePath](const char* table) {
            DataSource source(table);
            source.setDatabaseName(cataloguePath.toStdString());
            source.refresh();
            return source.recordset().recordCount();
        };
        return {true, QStringLiteral("Catalogue: %1, %2 cores, %3 materials")
                          .arg(cataloguePath)
                          .arg(rows("E-Cores") + rows("Toroids"))
                          .arg(rows("Materials"))};
    } catch (const std::exception& error) {
        return {false, QStringLiteral("The catalogue %1 cannot be read: %2")
                           .arg(cataloguePath, QString::fromStdString(error.what()))};
    }
}

std::vector<InfoLine> collectSystemInfo(const QString& appDir) {
    std::vector<InfoLine> lines = {
        {QStringLiteral("Operating system"), QSysInfo::prettyProductName()},
        {QStringLiteral("System version"), QSysInfo::productVersion()},
        {QStringLiteral("Kernel"),
         QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()},
        {QStringLiteral("CPU architecture"),
         QSysInfo::currentCpuArchitecture() + QStringLiteral(" (program built for ") +
             QSysInfo::buildCpuArchitecture() + QLatin1Char(')')},
        {QStringLiteral("Qt version"),
         QStringLiteral("%1 (built with %2)")
             .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))},
        {QStringLiteral("Display platform"), QGuiApplication::platformName()},
    };
    int index = 1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        lines.emplace_back(QStringLiteral("Screen %1").arg(index++), screenText(*screen));
    }
    lines.emplace_back(QStringLiteral("Program folder"), appDir);
    const std::string catalogue = cli::locateCatalogue({}, appDir.toStdString());
    for (InfoLine& line : catalogueInfo(QString::fromStdString(catalogue))) {
        lines.push_back(std::move(line));
    }
    return lines;
}

QString systemInfoText(const std::vector<InfoLine>& lines) {
    QString text;
    for (const auto& [label, value] : lines) {
        text += label + QStringLiteral(": ") + value + QLatin1Char('\n');
    }
    return text;
}

}  // namespace coilsmith
