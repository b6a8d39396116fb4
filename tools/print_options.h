#pragma once

#include <QSize>
#include <QString>
#include <QTextStream>
#include <functional>
#include <optional>

// A page or tile size as typed: WxH or one side for a square, in pixels or in a physical unit.
struct PrintSize {
    enum class Unit { Pixel, Centimetre, Millimetre, Inch };
    double width = 0;
    double height = 0;
    Unit unit = Unit::Pixel;
    bool physical() const { return unit != Unit::Pixel; }
};

// "2480x3508", "300", "21x29.7cm", "210x297mm", "8.5x11in", "20cm"; nothing for anything else
// (negative, NaN, fractions of a pixel, no digits, other units).
std::optional<PrintSize> parsePrintSize(const QString& text);

// The size in pixels, physical sizes converted with the dots per inch and rounded to whole
// pixels; each side as a double so that sizes beyond int can be refused by the caller.
std::pair<double, double> sizeInPixels(const PrintSize& size, double dotsPerInch);

// A dots-per-inch value above 0 and at most 10000.
std::optional<double> parseDotsPerInch(const QString& text);

// The one-line progress of a long render on a terminal: shown once the render has taken a
// second, updated in place a few times a second with percent, rows per second and time left.
class ProgressLine {
  public:
    using Clock = std::function<double()>; // seconds from any fixed point
    ProgressLine(QTextStream& err, Clock clock, bool shown);
    void update(int rowsDone, int rowsTotal);
    // Ends the line, when one was shown, so that what follows starts on its own line.
    void finish();

  private:
    QTextStream& err_;
    Clock clock_;
    bool shown_;
    double start_;
    double lastShown_ = -1;
    qsizetype lastLength_ = 0;
};
