#pragma once

#include "app/main_window.h"
#include "canvas/fonts.h"
#include "scripted_random.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The main window as the program shows it, with a scripted random source.
inline std::unique_ptr<app::MainWindow> shownMainWindow(std::vector<double> script = {0.5, 0.25,
                                                                                      0.75}) {
    auto window = std::make_unique<app::MainWindow>(std::make_unique<test_support::ScriptedRandom>(
        std::move(script), test_support::RepeatScript{}));
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
}

class MainWindowFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QApplication::setStyle(QStringLiteral("Fusion"));
        canvas::installFontSubstitutes();
    }

    MainWindowFixture() : window_(shownMainWindow()) {}

    template <typename T = QWidget> T* find(const char* name) const {
        T* object = window_->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(object, nullptr) << name;
        return object;
    }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // A press on a surface view at a client-area pixel.
    void press(const char* surface, QPoint pixel, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(find(surface), Qt::LeftButton, modifiers, pixel + QPoint(2, 2));
    }
    QImage design() const { return window_->designCanvas().image(); }

    std::unique_ptr<app::MainWindow> window_;
};
