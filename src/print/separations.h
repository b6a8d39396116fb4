#pragma once

#include "print_engine.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace print {

// The name of a colour for people ("朱红"), or empty when it has none.
using ColourNaming = std::function<QString(QRgb)>;

enum class ScreenCompression { Group4, Deflate };

inline constexpr int kMostTrap = 10;
// One screen a colour: a page of more colours is no screen print.
inline constexpr int kMostScreens = 32;

struct SeparationOptions {
    // Leaves the page's most frequent colour unprinted (the paper or cloth shows there) instead
    // of giving it a screen of its own.
    bool unprintedBackground = false;
    // Crosses in a margin added around the page, at the same place on every screen.
    bool registrationMarks = false;
    // Pixels, 0 to kMostTrap: each screen grows this far over its darker neighbours.
    int trap = 0;
    ScreenCompression compression = ScreenCompression::Group4;
    ColourNaming colourName; // may be empty: no names
    // About how many bytes the bands of all screens hold together: the memory the screens take
    // while they are written, whatever the page's size.
    qsizetype bandBytes = qsizetype(4) << 20;
};

struct Screen {
    int order = 0; // 1 is printed first
    QRgb colour = 0;
    QString name;
    qint64 pixels = 0; // of its colour on the page, before trapping
    QString fileName;  // "01-#C04020-朱红.tif"
};

// The screens of a page, printed lightest first and darkest last: in falling relative luminance
// (linear sRGB, the Y of CIE XYZ), equal ones by their colour values.
struct SeparationPlan {
    std::vector<Screen> screens;
    std::optional<QRgb>
        unprinted; // the colour left unprinted, with its pixels in `unprintedPixels`
    qint64 unprintedPixels = 0;
    int margin = 0;  // pixels added on every side for the registration marks
    QString problem; // why the page cannot be separated; empty when it can
};

// The composite proof (the page as printed, PNG, without the margin) and the sheet listing the
// screens (PDF) written beside the screens.
inline constexpr char kCompositeName[] = "composite.png";
inline constexpr char kSheetName[] = "separations.pdf";

// The margin the registration marks take: a centimetre at the page's resolution (300 dpi when it
// has none).
int registrationMargin(std::optional<double> dotsPerInch);

// The screens the page's tiles separate into, with the area of each colour on the page.
SeparationPlan planSeparations(const PrintJob& page, const SeparationOptions& options);

struct SeparationOutcome {
    files::SaveOutcome outcome;
    SeparationPlan plan;
};

// Writes one 1-bit TIFF a screen (ink is 1, shown black), the composite proof and the sheet into
// the folder `nativeFolder`, in one pass over the page's rows in constant memory. With trapping,
// a screen also covers the pixels of darker printed colours within `trap` pixels (a Euclidean
// disk: dx² + dy² <= trap²) of its own. The page's format and overlay play no part. Every file
// is written through an AtomicFile and all are kept only when all were written: a failure or a
// cancel (as for renderPrint) leaves none of the new files.
SeparationOutcome renderSeparations(const PrintJob& page, const SeparationOptions& options,
                                    const QByteArray& nativeFolder,
                                    const PrintProgress& progress = {},
                                    const std::atomic<bool>* cancel = nullptr);

} // namespace print
