#include "canvas/fonts.h"
#include "render_command.h"
#include "workflow/translations.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    // Headless: the drawing core needs fonts, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    canvas::installFontSubstitutes();
    workflow::installTranslations(app, QLocale::system());
    QTextStream out(stdout);
    QTextStream err(stderr);
    // argv as given: a file name that is not valid in the locale's encoding stays those bytes.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return runPatternRender(arguments, out, err);
}
