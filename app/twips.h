#pragma once

namespace orvel {

// The window is laid out in twips, 1440 to the inch: 15 to a pixel at 96 dpi.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

}  // namespace orvel
