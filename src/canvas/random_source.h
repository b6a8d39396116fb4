#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace canvas {

// The process-wide uniform source of values in [0, 1). The program uses a real generator seeded
// from the clock; tests hand in their own draws and clock.
class RandomSource {
  public:
    using Clock = std::function<std::uint64_t()>;

    explicit RandomSource(std::uint64_t seed = 1);
    virtual ~RandomSource() = default;

    virtual double next();
    // A fresh seed from the clock, as the design canvas takes on every press.
    virtual void reseedFromClock();
    void seed(std::uint64_t value);
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Int(next() * factor): the floor, as the colour components use it.
    int nextFloor(double factor) { return int(next() * factor); }

  private:
    std::mt19937_64 engine_;
    Clock clock_;
};

// A random colour from three successive draws, red first, each component floor(u * 235).
std::uint32_t randomColour(RandomSource& random);

// Nanoseconds of the steady clock, the seed the program uses.
std::uint64_t clockSeed();

} // namespace canvas
