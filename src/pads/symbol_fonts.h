#pragma once

#include <QString>
#include <array>
#include <optional>

namespace pads {

// The three symbol fonts of the symbol pad, Option5 .. Option7.
enum class SymbolFont { Wingdings, Wingdings2, Wingdings3 };

// The option caption, used verbatim as the font name: "wingdings", "wingdings 2", "wingdings 3".
QString symbolFontName(SymbolFont font);
// The symbol font a face name stands for (case-insensitive), if any.
std::optional<SymbolFont> symbolFontNamed(const QString& faceName);

// Character codes 0x20..0xFF of a symbol font and their published Unicode equivalents
// (0 where a code has none).
inline constexpr char32_t kFirstSymbolCode = 0x20;
inline constexpr int kSymbolCodeCount = 0x100 - 0x20;
using SymbolTable = std::array<char32_t, kSymbolCodeCount>;
const SymbolTable& symbolTable(SymbolFont font);

// The installed font serving the pictograms when the symbol font itself is missing.
inline constexpr const char* kPictogramFamily = "Symbola";
// Asks for the text form of a pictogram, so no colour emoji face is picked.
inline constexpr char16_t kTextPresentation = 0xFE0E;

// The text as it must be drawn in the pictogram family: each mapped code replaced by its
// equivalent followed by the text-presentation selector; other characters unchanged.
QString mapToPictograms(const QString& text, SymbolFont font);

// Whether a family of that name is installed (case-insensitive).
bool fontFamilyInstalled(const QString& family);

} // namespace pads
