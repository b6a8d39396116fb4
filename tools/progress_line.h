#pragma once

#include <QString>
#include <QTextStream>
#include <functional>

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
