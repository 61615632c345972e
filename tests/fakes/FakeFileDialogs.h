#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace coilsmith {

// Scriptable file dialogs for tests: answers come from a queue per kind (an empty queue
// answers Cancelled), every request is recorded. Like the real dialog it remembers the
// last file name and returns it after a cancel.
class FakeFileDialogs final : public FileDialogs {
  public:
    using Outcome = FileDialogResult::Outcome;
    struct Call {
        bool saving = false;
        FileDialogRequest request;
    };

    void chooseOnOpen(std::string fileName) { openAnswers.push_back({Outcome::Chosen, fileName}); }
    void chooseOnSave(std::string fileName) { saveAnswers.push_back({Outcome::Chosen, fileName}); }
    void cancelOnSave() { saveAnswers.push_back({Outcome::Cancelled, {}}); }
    void failOnSave() { saveAnswers.push_back({Outcome::Failed, {}}); }

    FileDialogResult open(const FileDialogRequest& request) override {
        return answer(request, false, openAnswers);
    }
    FileDialogResult save(const FileDialogRequest& request) override {
        return answer(request, true, saveAnswers);
    }

    std::deque<FileDialogResult> openAnswers;
    std::deque<FileDialogResult> saveAnswers;
    std::vector<Call> calls;
    std::string lastName;

  private:
    FileDialogResult answer(const FileDialogRequest& request, bool saving,
                            std::deque<FileDialogResult>& answers) {
        calls.push_back({saving, request});
        if (!request.initialName.empty()) {
            lastName = request.initialName;
        }
        FileDialogResult result;
        if (!answers.empty()) {
            result = answers.front();
            answers.pop_front();
        }
        if (result.outcome == Outcome::Chosen) {
            lastName = result.fileName;
        } else {
            result.fileName = lastName;
        }
        return result;
    }
};

}  // namespace coilsmith
