#pragma once

#include "platform/Types.h"

#include <QColor>

// Providers store their colour as packed RGB with red in the low byte; these
// turn it into a colour on screen and back, and tell which text stays
// readable on it.
namespace ProviderColour {

QColor FromPacked(Long packed);
Long Packed(const QColor& colour);
// True when white text shows better on the colour than black text does.
bool IsDark(const QColor& colour);
// Black or white, whichever contrasts more with `back`.
QColor TextOn(const QColor& back);

} // namespace ProviderColour
