#include "canvas/fonts.h"
#include "files/atomic_file.h"
#include "files/translations.h"
#include "render_command.h"

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

// What the faults did before (the default, or a sanitizer's report).
struct sigaction earlierActions[NSIG];

// A process that cannot go on: its temporary file goes, then the signal does what it did before.
extern "C" void removeTemporaryAndDie(int signal) {
    files::removeTemporariesOnSignal();
    sigaction(signal, &earlierActions[signal], nullptr);
    raise(signal);
}

// Every signal that would end the process: those sent to stop it (Ctrl+C, a closed terminal,
// SIGQUIT, SIGTERM, ...) stop the render at the next band, which then removes its temporary file;
// the faults remove it at once. A file-size limit (ulimit -f) makes writes fail with EFBIG,
// reported as an I/O error, instead of killing the process with its temporary file left behind.
void installSignalHandlers() {
    const auto handle = [](int signal, void (*handler)(int)) {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, &earlierActions[signal]);
    };
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE,
                             SIGVTALRM, SIGPROF, SIGXCPU, SIGIO, SIGPWR, SIGSTKFLT}) {
        handle(signal, requestStop);
    }
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        handle(signal, requestStop);
    }
    for (const int signal : {SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGSEGV, SIGSYS, SIGTRAP}) {
        handle(signal, removeTemporaryAndDie);
    }
    signal(SIGXFSZ, SIG_IGN);
}

// Errors are the command's own single line: Qt's notes (a missing XDG_RUNTIME_DIR, a decoder's
// warning) are not for its user.
void ignoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv) {
    installSignalHandlers();
    qInstallMessageHandler(ignoreQtMessages);
    // Headless: the drawing core needs fonts, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    canvas::installFontSubstitutes();
    files::installTranslations(app, QLocale::system());
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
