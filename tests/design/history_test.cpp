#include "design/history.h"

#include <gtest/gtest.h>

namespace {

design::DesignState state(const QString& title) {
    return {canvas::SurfaceSnapshot{}, title, {}};
}

TEST(History, UndoAndRedoWalkBackAndForthAndANewChangeDropsTheRedoSteps) {
    design::DesignHistory history;
    history.record(state("a"));
    history.record(state("b"));
    EXPECT_EQ(history.undo(state("c"))->title, "b");
    EXPECT_EQ(history.undo(state("b"))->title, "a");
    EXPECT_FALSE(history.undo(state("a")));
    EXPECT_EQ(history.redo(state("a"))->title, "b");
    EXPECT_EQ(history.redo(state("b"))->title, "c");
    EXPECT_FALSE(history.redo(state("c")));

    history.undo(state("c"));
    history.record(state("b"));
    EXPECT_EQ(history.redoSteps(), 0u);
    EXPECT_FALSE(history.redo(state("d")));
}

TEST(History, KeepsOnlyTheNewestHundredSteps) {
    design::DesignHistory history;
    for (int i = 0; i < 101; ++i) {
        history.record(state(QString::number(i)));
    }
    EXPECT_EQ(history.undoSteps(), 100u);
    design::DesignState current = state("now");
    while (auto previous = history.undo(current)) {
        current = *previous;
    }
    EXPECT_EQ(current.title, "1");
}

} // namespace
