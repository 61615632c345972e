#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace coilsmith {

// A prompter for tests: records every message and question, and answers questions from a
// script (an empty script answers No).
class FakePrompter final : public Prompter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void answerYes() { answers.push_back(true); }
    void answerNo() { answers.push_back(false); }
    void clear() {
        messages.clear();
        questions.clear();
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

}  // namespace coilsmith
