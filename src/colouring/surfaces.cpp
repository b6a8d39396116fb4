#include "surfaces.h"

namespace colouring {

canvas::SurfaceSetup designCanvasSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 146;
    setup.outerHeight = 146;
    setup.scaleMode = canvas::ScaleMode::Pixels;
    setup.backColor = 0x00AE5C44;
    setup.foreColor = canvas::kButtonTextColour;
    setup.fillColor = 0;
    setup.fillStyle = canvas::kFillSolid;
    setup.drawWidth = 1;
    setup.autoRedraw = true;
    return setup;
}

canvas::SurfaceSetup effectViewSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 647;
    setup.outerHeight = 647;
    setup.scaleMode = canvas::ScaleMode::Pixels;
    setup.backColor = 0x0059C8A2;
    setup.foreColor = 0x0080FF80;
    setup.fillStyle = canvas::kFillTransparent;
    setup.drawWidth = 1;
    setup.autoRedraw = true;
    QFont font(QStringLiteral("黑体"));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    setup.font = font;
    return setup;
}

canvas::SurfaceSetup stripSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 57;
    setup.outerHeight = 9;
    setup.scaleMode = canvas::ScaleMode::Twips;
    setup.backColor = 0x00AE80D5;
    setup.foreColor = canvas::kButtonTextColour;
    setup.fillStyle = canvas::kFillTransparent;
    setup.drawWidth = 1;
    setup.autoRedraw = false;
    return setup;
}

} // namespace colouring
