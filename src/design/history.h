#pragma once

#include "canvas/surface.h"
#include "colouring/design_record.h"

#include <QString>
#include <cstddef>
#include <deque>
#include <optional>

namespace design {

// The design as a change leaves it: the canvas, the title that goes with it and how it was made.
struct DesignState {
    canvas::SurfaceSnapshot canvas;
    QString title;
    colouring::DesignRecord record;
};

// Undo and redo of design changes. Each step holds one design state; the oldest steps go once
// the limit is reached, and a new change drops everything that could have been redone.
class DesignHistory {
  public:
    explicit DesignHistory(std::size_t limit = 100) : limit_(limit) {}

    // Called just before a change, with the design as it is then.
    void record(DesignState before);
    // The state to show instead of `current`, or nullopt when there is nothing to take back.
    std::optional<DesignState> undo(DesignState current);
    std::optional<DesignState> redo(DesignState current);

    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }

  private:
    std::size_t limit_;
    std::deque<DesignState> undo_;
    std::deque<DesignState> redo_;
};

} // namespace design
