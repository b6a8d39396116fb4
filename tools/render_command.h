#pragma once

#include <QStringList>
#include <QTextStream>
#include <atomic>
#include <functional>

// What the process around the command provides: a flag that stops a render (set with the number
// of the signal that asked for it), whether stderr is a terminal for the progress line, and the
// clock that paces it.
struct RenderControls {
    const std::atomic<bool>* cancel = nullptr;
    const std::atomic<int>* cancelSignal = nullptr;
    bool terminal = false;
    std::function<double()> clock; // seconds; only read when terminal
};

// The pattern-render command: draws a catalogue or advanced figure headless, applies presses,
// and writes the design, its effect picture or a page of its tiles of any size, streamed, as PNG,
// TIFF or BMP. Returns the exit status: 0 done, 1 the output could not be written, 2 bad
// arguments, 128 + the signal's number when a signal stopped it (nothing is left behind).
// The arguments are the native bytes of the command line.
int runPatternRender(const QList<QByteArray>& arguments, QTextStream& out, QTextStream& err,
                     const RenderControls& controls = {});
// The same with arguments given as text (encoded as file names are).
int runPatternRender(const QStringList& arguments, QTextStream& out, QTextStream& err,
                     const RenderControls& controls = {});
