#include "platform/ProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace coilsmith {

bool ProcessLauncher::fileExists(const std::string& path) const {
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

bool ProcessLauncher::start(const std::string& program) {
    if (program.empty()) {
        return false;
    }
    return QProcess::startDetached(QString::fromStdString(program), {});
}

}  // namespace coilsmith
