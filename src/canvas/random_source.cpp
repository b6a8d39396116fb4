#include "random_source.h"

#include "colour.h"

#include <chrono>

namespace canvas {

std::uint64_t clockSeed() {
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

RandomSource::RandomSource(std::uint64_t seed) : engine_(seed), clock_(clockSeed) {}

double RandomSource::next() {
    // 53 random bits give a uniform double in [0, 1).
    return double(engine_() >> 11) * 0x1.0p-53;
}

void RandomSource::reseedFromClock() {
    seed(clock_());
}

void RandomSource::seed(std::uint64_t value) {
    engine_.seed(value);
}

std::uint32_t randomColour(RandomSource& random) {
    const int red = random.nextFloor(235);
    const int green = random.nextFloor(235);
    const int blue = random.nextFloor(235);
    return rgbColour(red, green, blue);
}

} // namespace canvas
