#include "canvas/fonts.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    canvas::installFontSubstitutes();
    app::Form1 window;
    window.show();
    return application.exec();
}
