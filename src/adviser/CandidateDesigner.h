#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adviser/Candidate.h"
#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::adviser {

// Keeps the messages the window would have shown, for the candidate they belong to.
class CollectingPrompter final : public Prompter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        messages.push_back(text);
        return false;
    }
    std::vector<std::string> messages;
};

// The core page after choosing a core type: the core list filled, nothing picked.
struct TypeStart {
    CoreType type;
    ChokeModel window;
};

// Designs the cores of one core type on its own copy of the window, one thread's worth.
// Every pick starts again from the window as the type left it, so the numbers are the
// ones the engineer gets by picking that core and material by hand.
class CandidateDesigner {
  public:
    explicit CandidateDesigner(const TypeStart& start);
    CandidateDesigner(const CandidateDesigner&) = delete;
    CandidateDesigner& operator=(const CandidateDesigner&) = delete;

    // Picks entry `coreIndex` of the core list, then each material listed for it (each
    // text once), and runs the design. Appends one candidate per material.
    void designCore(int coreIndex, std::vector<Candidate>& out);

  private:
    void restartPick();
    Candidate designMaterial(int materialIndex, const DesignState& afterCore);
    void measure(Candidate& c);
    void measureCheck(Candidate& c);

    const TypeStart& start_;
    CollectingPrompter prompter_;
    ChokeModel window_;
};

}  // namespace coilsmith::adviser
