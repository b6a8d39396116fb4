#include "app/window_style.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionToolBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include <memory>

// Tool bars in every place and line, in a main window or not, at one and two device pixels per
// pixel: the window's style paints what Fusion paints.
TEST(WindowStyle, PaintsToolBarsAsFusionDoes) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    app::WindowStyle windowStyle;
    QMainWindow mainWindow;
    QWidget plainParent;
    const auto painted = [](const QStyle& style, const QStyleOptionToolBar& option,
                            const QWidget* bar, qreal ratio) {
        QImage image(option.rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        style.drawControl(QStyle::CE_ToolBar, &option, &painter, bar);
        return image;
    };
    for (QWidget* parent : {static_cast<QWidget*>(&mainWindow), &plainParent}) {
        QToolBar bar(parent);
        for (const Qt::ToolBarArea area :
             {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea}) {
            for (const auto line : {QStyleOptionToolBar::OnlyOne, QStyleOptionToolBar::Beginning,
                                    QStyleOptionToolBar::Middle, QStyleOptionToolBar::End}) {
                for (const qreal ratio : {1.0, 2.0}) {
                    QStyleOptionToolBar option;
                    option.initFrom(&bar);
                    option.rect = QRect(0, 0, 300, 40);
                    option.toolBarArea = area;
                    option.positionOfLine = line;
                    option.state |= QStyle::State_Horizontal;
                    EXPECT_EQ(painted(windowStyle, option, &bar, ratio),
                              painted(*fusion, option, &bar, ratio))
                        << "area " << area << " line " << line << " ratio " << ratio
                        << (parent == &plainParent ? " outside a main window" : "");
                }
            }
        }
    }
}
