// Runs a fuzz target on seeded random inputs for a given time, where libFuzzer is not at hand:
//   <target> [seconds] [seed]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    std::mt19937 random(seed);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    for (std::vector<std::uint8_t> input; std::chrono::steady_clock::now() < deadline; ++runs) {
        input.resize(random() % 2048);
        std::generate(input.begin(), input.end(), [&random] { return std::uint8_t(random()); });
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%ld inputs in %.0f s, seed %lu: no fault\n", runs, seconds, seed);
    return 0;
}
