#include "extras/AppInfo.h"

#include <QSysInfo>

#include "coilsmith/Version.h"

namespace coilsmith {

QString versionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionPatch);
}

QString platformName() {
    const QString product = QSysInfo::productType();
    if (product == QLatin1String("windows")) {
        return QStringLiteral("Windows");
    }
    if (product == QLatin1String("macos") || product == QLatin1String("osx")) {
        return QStringLiteral("macOS");
    }
    if (QSysInfo::kernelType() == QLatin1String("linux")) {
        return QStringLiteral("Linux");
    }
    return QSysInfo::prettyProductName();
}

}  // namespace coilsmith
