// Random sequences of surface operations with extreme arguments: widths up to 32767, coordinates
// far outside, NaN and infinities, zero and negative sizes, huge text. Nothing may crash, hang or
// touch memory it does not own.
#include "canvas/surface.h"
#include "fuzz_input.h"

#include <limits>

namespace {

float anyFloat(FuzzInput& in) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kTiny = std::numeric_limits<float>::denorm_min();
    static constexpr float kSpecial[] = {0.0f,      -0.0f,      1.0f, -1.0f, 71.0f, 141.5f,
                                         146.0f,    -5.0f,      1e6f, -1e6f, 3e38f, -3e38f,
                                         kInfinity, -kInfinity, kNaN, kTiny};
    if (in.byte() < 64) {
        return kSpecial[in.byte() % std::size(kSpecial)];
    }
    return float(in.u32() % 4000) / 8.0f - 200.0f;
}

canvas::Colour anyColour(FuzzInput& in) {
    return in.byte() < 32 ? canvas::kSystemColourFlag + in.byte() : in.u32() & 0xFFFFFF;
}

int anyPixel(FuzzInput& in) {
    return int(in.u32() % 300) - 50;
}

QImage anyPicture(FuzzInput& in) {
    const int width = in.byte() % 200;
    const int height = in.byte() % 200;
    QImage picture(width, height, in.byte() < 128 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    picture.fill(QColor::fromRgba(in.u32()));
    return picture;
}

QString anyText(FuzzInput& in) {
    // Letters, CJK and pictograph ranges the program meets; a wider repertoire only measures the
    // font fallback search.
    static constexpr char16_t kFirst[] = {0x20, 0x4E00, 0x2600, 0x0300};
    const int length = in.byte() < 250 ? in.byte() % 16 : 20000;
    const char16_t first = kFirst[in.byte() % std::size(kFirst)];
    QString text;
    for (int i = 0; i < length; ++i) {
        text += QChar(char16_t(first + in.byte() % 96));
    }
    return text;
}

using Operation = void (*)(canvas::Surface&, FuzzInput&);
const Operation kOperations[] = {
    [](auto& surface, auto&) { surface.cls(); },
    [](auto& surface, auto& in) { surface.setDrawWidth(std::int16_t(in.u32() % 32768)); },
    [](auto& surface, auto& in) {
        surface.line(anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), anyColour(in));
    },
    [](auto& surface, auto& in) { surface.circle(anyFloat(in), anyFloat(in), anyFloat(in)); },
    [](auto& surface, auto& in) {
        surface.arc(anyFloat(in), anyFloat(in), anyFloat(in), anyColour(in), anyFloat(in),
                    anyFloat(in));
    },
    [](auto& surface, auto& in) { surface.pset(anyFloat(in), anyFloat(in)); },
    [](auto& surface, auto& in) { surface.point(anyFloat(in), anyFloat(in)); },
    [](auto& surface, auto& in) {
        surface.paintPicture(anyPicture(in), anyFloat(in), anyFloat(in), anyFloat(in),
                             anyFloat(in));
    },
    [](auto& surface, auto& in) { surface.print(anyText(in)); },
    [](auto& surface, auto& in) {
        surface.textOut(int(in.u32()), int(in.u32()), anyText(in), surface.font(),
                        double(anyFloat(in)));
    },
    [](auto& surface, auto& in) { surface.setBackColor(anyColour(in)); },
    [](auto& surface, auto& in) { surface.setPicture(anyPicture(in)); },
    [](auto& surface, auto& in) { surface.setWidth(anyFloat(in)); },
    [](auto& surface, auto& in) { surface.setHeight(anyFloat(in)); },
    [](auto& surface, auto& in) {
        surface.floodFillSurface(anyPixel(in), anyPixel(in), anyColour(in));
    },
    [](auto& surface, auto& in) {
        surface.floodFillBorder(anyPixel(in), anyPixel(in), anyColour(in));
    },
    [](auto& surface, auto& in) {
        QPolygon points;
        for (int i = in.byte() % 24; i > 0; --i) {
            points << QPoint(int(in.u32() % 4000) - 2000, int(in.u32() % 4000) - 2000);
        }
        surface.polygon(points);
        surface.fillPolygonRegion(points, anyColour(in));
    },
    [](auto& surface, auto& in) { surface.setFontSize(double(anyFloat(in))); },
    [](auto& surface, auto& in) { surface.setFillStyle(std::int16_t(in.byte() % 3)); },
    [](auto& surface, auto& in) { surface.setFillColor(anyColour(in)); },
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    FuzzInput in{data, data + size};
    canvas::SurfaceSetup setup;
    setup.scaleMode = in.byte() < 128 ? canvas::ScaleMode::Pixels : canvas::ScaleMode::Twips;
    setup.fillStyle = std::int16_t(in.byte() % 3);
    canvas::Surface surface(setup);
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        kOperations[in.byte() % std::size(kOperations)](surface, in);
    }
    return 0;
}
