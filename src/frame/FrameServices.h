#pragma once

#include <functional>
#include <string>

#include "numeric/NumberText.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// What the frame needs from outside: the platform seams, where the data files lie, the
// user's number locale, and the windows that other parts of the program provide. The
// recent files and the last folder come from the program's settings (QSettings).
struct FrameServices {
    Prompter& prompter;
    FileDialogs& fileDialogs;
    Clipboard& clipboard;
    std::string appDir{};
    std::string cataloguePath{};  // empty: Cores.csx in appDir
    NumberLocale locale{};
    std::function<void()> showHelp{};
    std::function<void()> showAbout{};
    std::function<void(const ChokeModel&, const std::string& fileName, const std::string& pdfName)>
        print{};
    // Said in the status bar when the frame first shows (a catalogue that cannot be read).
    std::string startupNotice{};
};

}  // namespace coilsmith
