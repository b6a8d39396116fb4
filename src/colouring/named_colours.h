#pragma once

#include <QRgb>
#include <QString>
#include <span>

namespace colouring {

// A colour with a name: the named colours of CSS (W3C), English as CSS spells them, and
// Chinese names of this program's own.
struct NamedColour {
    const char* english;
    const char* chinese; // UTF-8
    QRgb colour;
};

// Every named colour, in CSS's alphabetical order.
std::span<const NamedColour> namedColours();

// Colours closer than this (CIEDE2000) to a named colour go by its name.
inline constexpr double kNamingTolerance = 5;

// The named colour nearest to `colour` within kNamingTolerance (of two alike, the first); none
// beyond it.
const NamedColour* nearestNamedColour(QRgb colour);
// Its Chinese name, the language of the window; empty when none is near.
QString nearestColourName(QRgb colour);
// A named colour by its Chinese or English name (any case); none for another text.
const NamedColour* namedColour(const QString& name);

} // namespace colouring
