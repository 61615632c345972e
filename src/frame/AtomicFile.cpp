#include "frame/AtomicFile.h"

#include <QSaveFile>

namespace coilsmith {

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    // Unbuffered: a buffered write that fails only when flushed at commit is not noticed by
    // QSaveFile, which would then replace the old file with the truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString().toStdString();
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString().toStdString();
    }
    return std::nullopt;
}

}  // namespace coilsmith
