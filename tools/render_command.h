#pragma once

#include <QStringList>
#include <QTextStream>

// The pattern-render command: draws a catalogue or advanced figure headless, applies presses,
// and writes the design, its effect picture or a tiling of any size as BMP or PNG.
// Returns the exit status: 0 done, 1 the output could not be written, 2 bad arguments.
int runPatternRender(const QStringList& arguments, QTextStream& out, QTextStream& err);
