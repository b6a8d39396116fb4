// Random sequences of surface operations with extreme arguments: widths up to 32767, coordinates
// far outside, NaN and infinities, zero and negative sizes, huge text. Nothing may crash, hang or
// touch memory it does not own.
#include "canvas/surface.h"
#include "fuzz_input.h"

#include <QGuiApplication>
#include <cmath>
#include <limits>

namespace {

float extremeFloat(FuzzInput& in) {
    static constexpr float kSpecial[] = {0.0f,
                                         -0.0f,
                                         1.0f,
                                         -1.0f,
                                         71.0f,
                                         141.5f,
                                         146.0f,
                                         -5.0f,
                                         1e6f,
                                         -1e6f,
                                         3e38f,
                                         -3e38f,
                                         std::numeric_limits<float>::infinity(),
                                         -std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::quiet_NaN(),
                                         std::numeric_limits<float>::denorm_min()};
    if (in.byte() < 64) {
        return kSpecial[in.byte() % std::size(kSpecial)];
    }
    return float(in.u32() % 4000) / 8.0f - 200.0f;
}

canvas::Colour anyColour(FuzzInput& in) {
    return in.byte() < 32 ? canvas::kSystemColourFlag + in.byte() : in.u32() & 0xFFFFFF;
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

void runOperations(FuzzInput& in) {
    canvas::SurfaceSetup setup;
    setup.scaleMode = in.byte() < 128 ? canvas::ScaleMode::Pixels : canvas::ScaleMode::Twips;
    setup.fillStyle = std::int16_t(in.byte() % 3);
    canvas::Surface surface(setup);
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.byte() % 20) {
        case 0:
            surface.cls();
            break;
        case 1:
            surface.setDrawWidth(std::int16_t(in.u32() % 32768));
            break;
        case 2:
            surface.line(extremeFloat(in), extremeFloat(in), extremeFloat(in), extremeFloat(in),
                         anyColour(in));
            break;
        case 3:
            surface.circle(extremeFloat(in), extremeFloat(in), extremeFloat(in));
            break;
        case 4:
            surface.arc(extremeFloat(in), extremeFloat(in), extremeFloat(in), anyColour(in),
                        extremeFloat(in), extremeFloat(in));
            break;
        case 5:
            surface.pset(extremeFloat(in), extremeFloat(in));
            break;
        case 6:
            surface.point(extremeFloat(in), extremeFloat(in));
            break;
        case 7:
            surface.paintPicture(anyPicture(in), extremeFloat(in), extremeFloat(in),
                                 extremeFloat(in), extremeFloat(in));
            break;
        case 8:
            surface.print(anyText(in));
            break;
        case 9:
            surface.textOut(int(in.u32()), int(in.u32()), anyText(in), surface.font(),
                            double(extremeFloat(in)));
            break;
        case 10:
            surface.setBackColor(anyColour(in));
            break;
        case 11:
            surface.setPicture(anyPicture(in));
            break;
        case 12:
            surface.setWidth(extremeFloat(in));
            break;
        case 13:
            surface.setHeight(extremeFloat(in));
            break;
        case 14:
            surface.floodFillSurface(int(in.u32() % 300) - 50, int(in.u32() % 300) - 50,
                                     anyColour(in));
            break;
        case 15:
            surface.floodFillBorder(int(in.u32() % 300) - 50, int(in.u32() % 300) - 50,
                                    anyColour(in));
            break;
        case 16: {
            QPolygon points;
            const int count = in.byte() % 24;
            for (int i = 0; i < count; ++i) {
                points << QPoint(int(in.u32() % 4000) - 2000, int(in.u32() % 4000) - 2000);
            }
            surface.polygon(points);
            surface.fillPolygonRegion(points, anyColour(in));
            break;
        }
        case 17:
            surface.setFontSize(double(extremeFloat(in)));
            break;
        case 18:
            surface.setFillStyle(std::int16_t(in.byte() % 3));
            break;
        default:
            surface.setFillColor(anyColour(in));
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "surface-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    FuzzInput in(data, size);
    runOperations(in);
    return 0;
}
