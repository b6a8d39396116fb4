// The start-up peer of the window: a bare Qt Widgets program with one button, in Qt's own style
// and without translations. Run by startup.sh with PW_REPORT_FIRST_PAINT set, as the window is.
#include "app/first_paint.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Button"), &window);
    button->move(20, 20);
    app::reportFirstPaintOnRequest(window);
    window.show();
    return application.exec();
}
