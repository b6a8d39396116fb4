#pragma once

#include "pads/figures.h"
#include "pads/pad_setup.h"
#include "pads/symbol_pad.h"

namespace test_support {

// A pad drawn on as the window draws on it, recording what it draws.
struct DrawnPad {
    explicit DrawnPad(pads::PadKind kind) : pad(pads::padSetup(kind)), drawing(kind) {}

    canvas::Surface pad;
    pads::PadDrawing drawing;
    canvas::RandomSource random{11};
};

struct PadRun {
    const char* name;
    pads::PadKind kind;
    void (*draw)(DrawnPad&);
};

// Each pad's drawings, with the clears and resets between them.
inline const PadRun kPadRuns[] = {
    {"figures", pads::PadKind::Figure,
     [](DrawnPad& p) {
         std::int16_t counter = 110; // 图5 steps it past its limit: a clear
         pads::FigureParams fields;
         pads::resetPad(p.pad, p.random, &p.drawing);
         for (const int preset : {0, 4, 0}) {
             pads::runFigurePreset(preset, counter, fields, p.pad, p.random, &p.drawing);
         }
     }},
    {"stamps", pads::PadKind::Symbol,
     [](DrawnPad& p) {
         pads::FontDescription font = pads::symbolPadInitialFont();
         pads::CLogFont fontObject([] { return 96; });
         for (const int angle : {0, 90}) {
             pads::changeOutputAngle(fontObject, angle);
             const auto symbols =
                 angle == 90 ? std::optional(pads::SymbolFont::Wingdings2) : std::nullopt;
             pads::stampSymbol(p.pad, font, fontObject, p.random, 300.0f + float(angle) * 8, 1200,
                               QStringLiteral("Ab"), symbols, &p.drawing);
         }
     }},
    {"random art", pads::PadKind::RandomArt,
     [](DrawnPad& p) {
         pads::RandomArtState state;
         auto press = [&](int mode, float x) {
             pads::pressRandomArtPad(p.pad, p.random, state, pads::ArtMode(mode), x, 70,
                                     QStringLiteral("3"), &p.drawing);
         };
         press(1, 30);
         pads::resetRandomArtPad(p.pad, p.random, state, QStringLiteral("2"), &p.drawing);
         for (int mode = 1; mode <= 4; ++mode) {
             press(mode, float(25 * mode));
         }
         for (int tick = 0; tick < 30; ++tick) {
             pads::tickDotStream(p.pad, p.random, state.centre, &p.drawing);
         }
     }},
};

inline DrawnPad drawnPad(const PadRun& run) {
    DrawnPad drawn(run.kind);
    run.draw(drawn);
    return drawn;
}

} // namespace test_support
