#pragma once

#include "app/form1.h"
#include "app/main_window.h"
#include "app/window_fonts.h"
#include "app/window_style.h"
#include "canvas/fonts.h"
#include "scripted_random.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

inline constexpr QRgb kYellowGreen = qRgb(0xA2, 0xC8, 0x59); // &H0059C8A2
inline constexpr QRgb kWindowBlue = qRgb(0x44, 0x5C, 0xAE);  // &H00AE5C44

// The main window as the program shows it, with a scripted random source and settings and data
// folders of its own.
class AppTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QApplication::setStyle(new app::WindowStyle);
        canvas::installFontSubstitutes();
        app::installWindowFonts();
    }

    AppTest() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.path())); // where the design is kept
        restart();
    }

    // A fresh window whose random source hands out 0.5, 0.25, 0.75 again and again, made after
    // the last one is gone.
    void restart() {
        window_.reset();
        auto random = std::make_unique<test_support::ScriptedRandom>(
            std::vector<double>{0.5, 0.25, 0.75}, test_support::RepeatScript{});
        random_ = random.get();
        window_ = std::make_unique<app::MainWindow>(std::move(random));
        form().setUrlOpener([this](const QUrl& url) { opened_.push_back(url); });
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    static QRgb opaque(QRgb pixel) { return pixel | 0xFF000000u; }
    app::Form1& form() const { return window_->form(); }
    template <typename T = QWidget> T* find(const char* name) const {
        T* object = window_->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(object, nullptr) << name;
        return object;
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(window_.get(), key, modifiers);
    }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // A press on a surface view at a client-area pixel.
    void press(const char* surface, QPoint pixel, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(find(surface), Qt::LeftButton, modifiers, pixel + QPoint(2, 2));
    }
    void setComboText(const char* combo, const QString& text) {
        find<QComboBox>(combo)->setEditText(text);
    }
    QImage design() const { return window_->designCanvas().image(); }
    QImage effect() const { return form().effectView().image(); }
    QString title() const { return find<QLabel>("Label2")->text(); }

    QTemporaryDir folder_;
    test_support::ScriptedRandom* random_ = nullptr;
    std::unique_ptr<app::MainWindow> window_;
    std::vector<QUrl> opened_;
};
