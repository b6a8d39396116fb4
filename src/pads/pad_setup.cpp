#include "pad_setup.h"

#include "symbol_pad.h"

#include "canvas/numbers.h"

#include <QImage>

namespace pads {

canvas::SurfaceSetup randomArtPadSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 146;
    setup.outerHeight = 146;
    setup.scaleMode = canvas::ScaleMode::Pixels;
    setup.backColor = canvas::kTitleBarTextColour;
    setup.foreColor = canvas::kButtonTextColour;
    setup.fillStyle = canvas::kFillTransparent;
    setup.drawWidth = 2;
    setup.autoRedraw = false;
    return setup;
}

canvas::SurfaceSetup symbolPadSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 146;
    setup.outerHeight = 146;
    setup.scaleMode = canvas::ScaleMode::Twips;
    setup.backColor = 0x5616AD;
    setup.foreColor = 0x00FF00;
    setup.fillStyle = canvas::kFillTransparent;
    setup.drawWidth = 1;
    setup.autoRedraw = true;
    setup.font = toQFont(symbolPadInitialFont());
    return setup;
}

canvas::SurfaceSetup figurePadSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 149;
    setup.outerHeight = 149;
    setup.scaleMode = canvas::ScaleMode::Pixels;
    setup.backColor = 0x400000;
    setup.foreColor = canvas::kButtonTextColour;
    setup.fillStyle = canvas::kFillTransparent;
    setup.drawWidth = 3;
    setup.autoRedraw = true;
    return setup;
}

void resetRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       const QString& combo2Text) {
    if (const auto width = canvas::parseDrawWidth(combo2Text)) {
        pad.setDrawWidth(*width);
    }
    state.timerEnabled = false;
    pad.setPicture(QImage());
    pad.setBackColor(canvas::randomColour(random));
}

void resetPad(canvas::Surface& pad, canvas::RandomSource& random) {
    pad.cls();
    pad.setBackColor(canvas::randomColour(random));
}

} // namespace pads
