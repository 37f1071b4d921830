#pragma once

#include "platform/Types.h"

#include <span>

// Providers added in bulk get a background colour of their own so that
// neighbours in the list are told apart. Colours are packed RGB with red in
// the low byte, as providers store them.
namespace BackColors {

// Light tints that keep dark story text readable.
std::span<const Long> Palette();
// One colour of the palette, each equally likely.
Long RandomBackColor();

} // namespace BackColors
