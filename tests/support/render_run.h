#pragma once

#include "render_command.h"

#include <QString>
#include <QTextStream>

namespace test_support {

// pattern-render run in the test's own process, with what it printed.
struct RenderRun {
    int status;
    QString out;
    QString err;
};

template <typename Arguments> RenderRun runRender(const Arguments& arguments) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runPatternRender(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

} // namespace test_support
