#pragma once

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

// Reads fuzz bytes as small numbers; past the end it yields zeros.
struct FuzzInput {
    const std::uint8_t* next;
    const std::uint8_t* end;
    bool empty() const { return next == end; }
    std::uint8_t byte() { return next != end ? *next++ : 0; }
    std::uint32_t u32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | byte();
        }
        return value;
    }
};

// The drawing code needs a Qt application: made with the first input, kept to the end.
inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
