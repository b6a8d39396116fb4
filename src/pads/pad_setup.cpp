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

canvas::SurfaceSetup padSetup(PadKind pad) {
    switch (pad) {
    case PadKind::RandomArt:
        return randomArtPadSetup();
    case PadKind::Symbol:
        return symbolPadSetup();
    case PadKind::Figure:
        break;
    }
    return figurePadSetup();
}

void resetRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       const QString& combo2Text, PadDrawing* drawing) {
    if (const auto width = canvas::parseDrawWidth(combo2Text)) {
        pad.setDrawWidth(*width);
    }
    state.timerEnabled = false;
    pad.setPicture(QImage());
    pad.setBackColor(canvas::randomColour(random));
    record(drawing, padStep(PadStepKind::Clear, pad.backColor()));
}

void resetPad(canvas::Surface& pad, canvas::RandomSource& random, PadDrawing* drawing) {
    pad.cls();
    pad.setBackColor(canvas::randomColour(random));
    record(drawing, padStep(PadStepKind::Clear, pad.backColor()));
}

} // namespace pads
