#pragma once

#include <QStringList>
#include <QTextStream>

// The pattern-render command: draws a catalogue or advanced figure headless, applies presses,
// and writes the design, its effect picture or a tiling of any size as BMP or PNG.
// Returns the exit status: 0 done, 1 the output could not be written, 2 bad arguments.
// The arguments are the native bytes of the command line.
int runPatternRender(const QList<QByteArray>& arguments, QTextStream& out, QTextStream& err);
// The same with arguments given as text (encoded as file names are).
int runPatternRender(const QStringList& arguments, QTextStream& out, QTextStream& err);
