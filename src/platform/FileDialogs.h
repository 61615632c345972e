#pragma once

#include <string>

namespace coilsmith {

struct FileDialogRequest {
    std::string initialName;  // empty: the dialog keeps the name it last had
    std::string folder;       // where a name without a folder is shown; empty: the dialog's own
    std::string filter = "Text files|*.txt|All files|*.*";
    std::string defaultExtension = "txt";
};

struct FileDialogResult {
    enum class Outcome { Chosen, Cancelled, Failed };
    Outcome outcome = Outcome::Cancelled;
    std::string fileName;  // the dialog's file name, also after a cancel
};

// File open and save dialogs. Open lets only an existing file be chosen; Save asks
// before replacing an existing file.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult open(const FileDialogRequest& request) = 0;
    virtual FileDialogResult save(const FileDialogRequest& request) = 0;
};

}  // namespace coilsmith
