#include "canvas/fonts.h"
#include "form1.h"
#include "workflow/translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    workflow::installTranslations(application, workflow::windowLocale());
    canvas::installFontSubstitutes();
    app::Form1 window;
    window.show();
    return application.exec();
}
