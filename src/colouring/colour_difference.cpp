#include "colour_difference.h"

#include <lcms2.h>

namespace colouring {
namespace {

// One sRGB to Lab transform for the program's life; without its cache it may run on any thread.
cmsHTRANSFORM srgbToLab() {
    static const cmsHTRANSFORM transform = [] {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        // QRgb values in memory are blue, green, red, alpha.
        const cmsHTRANSFORM made = cmsCreateTransform(
            srgb, TYPE_BGRA_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
        return made;
    }();
    return transform;
}

} // namespace

std::vector<Lab> labOf(const std::vector<QRgb>& colours) {
    std::vector<cmsCIELab> converted(colours.size());
    if (!colours.empty()) {
        cmsDoTransform(srgbToLab(), colours.data(), converted.data(),
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
