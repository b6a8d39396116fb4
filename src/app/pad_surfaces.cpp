#include "pad_surfaces.h"

namespace app {

canvas::SurfaceSetup randomArtPadSetup() {
    canvas::SurfaceSetup setup;
    setup.backColor = canvas::kTitleBarTextColour;
    setup.drawWidth = 2;
    setup.autoRedraw = false;
    return setup;
}

canvas::SurfaceSetup symbolPadSetup() {
    canvas::SurfaceSetup setup;
    setup.scaleMode = canvas::ScaleMode::Twips;
    setup.backColor = 0x5616AD;
    setup.foreColor = 0x00FF00;
    setup.font = QFont(QStringLiteral("宋体"));
    setup.font.setPointSizeF(14.25);
    setup.font.setBold(true);
    return setup;
}

canvas::SurfaceSetup figurePadSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 149;
    setup.outerHeight = 149;
    setup.backColor = 0x400000;
    setup.drawWidth = 3;
    return setup;
}

} // namespace app
