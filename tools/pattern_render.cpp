#include "canvas/fonts.h"
#include "render_command.h"
#include "workflow/translations.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <csignal>
#include <unistd.h>

namespace {

std::atomic<bool> stopRequested = false;
std::atomic<int> stopSignal = 0;

extern "C" void requestStop(int signal) {
    stopSignal.store(signal);
    stopRequested.store(true);
}

// Ctrl+C and SIGTERM stop the render at the next band, which then removes its temporary file.
// A file-size limit (ulimit -f) makes writes fail with EFBIG, reported as an I/O error, instead
// of killing the process with its temporary file left behind.
void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGXFSZ, SIG_IGN);
}

} // namespace

int main(int argc, char** argv) {
    installSignalHandlers();
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
    QElapsedTimer clock;
    clock.start();
    const RenderControls controls{&stopRequested, &stopSignal, isatty(STDERR_FILENO) == 1,
                                  [&clock] { return double(clock.nsecsElapsed()) / 1e9; }};
    return runPatternRender(arguments, out, err, controls);
}
