#include "canvas/fonts.h"
#include "render_command.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    // Headless: the drawing core needs fonts, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    canvas::installFontSubstitutes();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runPatternRender(app.arguments().mid(1), out, err);
}
