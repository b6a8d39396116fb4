#include "canvas/fonts.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    canvas::installFontSubstitutes();
    app::MainWindow window;
    window.show();
    return application.exec();
}
