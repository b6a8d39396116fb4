#include "history.h"

namespace design {

void DesignHistory::record(DesignState before) {
    redo_.clear();
    undo_.push_back(std::move(before));
    while (undo_.size() > limit_) {
        undo_.pop_front();
    }
}

std::optional<DesignState> DesignHistory::undo(DesignState current) {
    if (undo_.empty()) {
        return std::nullopt;
    }
    DesignState previous = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(current));
    return previous;
}

std::optional<DesignState> DesignHistory::redo(DesignState current) {
    if (redo_.empty()) {
        return std::nullopt;
    }
    DesignState next = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(current));
    return next;
}

} // namespace design
