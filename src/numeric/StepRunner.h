#pragma once

#include <optional>
#include <utility>

#include "numeric/Fault.h"

namespace coilsmith {

// Runs steps under the "skip a failing step, go on with the next" rule. A step computes
// its result before assigning it, so a step that faults leaves its target untouched; the
// first fault is kept as pending until someone looks at it.
class StepRunner {
  public:
    template <class Step>
    bool run(Step&& step) {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const Fault& fault) {
            if (!pending_)
                pending_ = fault;
            return false;
        }
    }

    bool hasPending() const noexcept { return pending_.has_value(); }
    const std::optional<Fault>& pending() const noexcept { return pending_; }
    void clear() noexcept { pending_.reset(); }

  private:
    std::optional<Fault> pending_;
};

}  // namespace coilsmith
