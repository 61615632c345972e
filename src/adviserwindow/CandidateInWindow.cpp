#include "adviserwindow/CandidateInWindow.h"

namespace coilsmith::adviser {

void applyCandidate(ChokeModel& window, const Candidate& candidate) {
    window.setOption(coreTypeOption(candidate.type), true);
    window.setListText("Core", candidate.core);
    window.setListText("CoreMat", candidate.material);
    if (candidate.stackCount) {
        window.setDeliveredStack(StackChoice::of(*candidate.stackCount));
    }
    window.runDesign();
}

}  // namespace coilsmith::adviser
