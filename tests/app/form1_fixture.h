#pragma once

#include "app/form1.h"
#include "canvas/fonts.h"
#include "scripted_random.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using test_support::ScriptedRandom;

inline constexpr QRgb kYellowGreen = qRgb(0xA2, 0xC8, 0x59); // &H0059C8A2
inline constexpr QRgb kWindowBlue = qRgb(0x44, 0x5C, 0xAE);  // &H00AE5C44

class Form1Test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QApplication::setStyle(QStringLiteral("Fusion"));
        canvas::installFontSubstitutes();
    }

    Form1Test() { restart(); }

    // A fresh window whose random source hands out the same scripted draws again.
    void restart() {
        auto random = std::make_unique<ScriptedRandom>(std::vector<double>{0.5, 0.25, 0.75},
                                                       test_support::RepeatScript{});
        random_ = random.get();
        form_ = std::make_unique<app::Form1>(std::move(random));
        form_->setUrlOpener([this](const QUrl& url) { opened_.push_back(url); });
    }

    template <typename T = QWidget> T* find(const char* name) const {
        T* widget = form_->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    // A press on a surface view at a client-area pixel.
    void press(const char* surface, int x, int y) {
        QTest::mouseClick(find(surface), Qt::LeftButton, {}, QPoint(x + 2, y + 2));
    }

    static QRgb pixel(canvas::Surface& surface, int x, int y) {
        return surface.imageRef().pixel(x, y) | 0xFF000000u;
    }

    ScriptedRandom* random_ = nullptr;
    std::unique_ptr<app::Form1> form_;
    std::vector<QUrl> opened_;
};
