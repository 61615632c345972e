#pragma once

#include <string>
#include <vector>

class QSettings;

namespace coilsmith {

// What the frame remembers between runs, in the program's settings (QSettings): the
// recent design files and the folder the file dialogs last showed.
struct RememberedFiles {
    std::vector<std::string> recentFiles;
    std::string lastFolder;
};

RememberedFiles loadRememberedFiles(const QSettings& settings);
void saveRememberedFiles(QSettings& settings, const RememberedFiles& files);

}  // namespace coilsmith
