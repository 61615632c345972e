#include "frame/FrameSettings.h"

#include <QSettings>
#include <QStringList>

namespace coilsmith {

namespace {

const QString kRecentFiles = QStringLiteral("frame/recentFiles");
const QString kLastFolder = QStringLiteral("frame/lastFolder");

}  // namespace

RememberedFiles loadRememberedFiles(const QSettings& settings) {
    RememberedFiles files;
    for (const QString& path : settings.value(kRecentFiles).toStringList()) {
        files.recentFiles.push_back(path.toStdString());
    }
    files.lastFolder = settings.value(kLastFolder).toString().toStdString();
    return files;
}

void saveRememberedFiles(QSettings& settings, const RememberedFiles& files) {
    QStringList paths;
    for (const std::string& path : files.recentFiles) {
        paths << QString::fromStdString(path);
    }
    settings.setValue(kRecentFiles, paths);
    settings.setValue(kLastFolder, QString::fromStdString(files.lastFolder));
}

}  // namespace coilsmith
