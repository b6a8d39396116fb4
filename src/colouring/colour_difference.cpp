#include "colour_difference.h"

#include <lcms2.h>

#include <cstdint>

namespace colouring {
namespace {

// One sRGB to Lab transform for the program's life; without its cache it may run on any thread.
cmsHTRANSFORM srgbToLab() {
    static const cmsHTRANSFORM transform = [] {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        const cmsHTRANSFORM made = cmsCreateTransform(
            srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
        return made;
    }();
    return transform;
}

} // namespace

std::vector<Lab> labOf(const std::vector<QRgb>& colours) {
    // Red, green and blue bytes, whatever order a QRgb keeps them in memory.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(colours.size() * 3);
    for (const QRgb colour : colours) {
        bytes.insert(bytes.end(), {std::uint8_t(qRed(colour)), std::uint8_t(qGreen(colour)),
                                   std::uint8_t(qBlue(colour))});
    }
    std::vector<cmsCIELab> converted(colours.size());
    if (!colours.empty()) {
        cmsDoTransform(srgbToLab(), bytes.data(), converted.data(),
                       cmsUInt32Number(colours.size()));
    }
    std::vector<Lab> labs;
    labs.reserve(converted.size());
    for (const cmsCIELab& lab : converted) {
        labs.push_back({lab.L, lab.a, lab.b});
    }
    return labs;
}

Lab labOf(QRgb colour) {
    return labOf(std::vector<QRgb>{colour}).front();
}

double colourDifference(const Lab& first, const Lab& second) {
    const cmsCIELab one{first.lightness, first.a, first.b};
    const cmsCIELab other{second.lightness, second.a, second.b};
    return cmsCIE2000DeltaE(&one, &other, 1.0, 1.0, 1.0);
}

double colourDifference(QRgb first, QRgb second) {
    const std::vector<Lab> labs = labOf(std::vector<QRgb>{first, second});
    return colourDifference(labs[0], labs[1]);
}

} // namespace colouring
