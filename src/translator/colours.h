#pragma once

#include <cstdint>

// Colours as the program stores them: a 32-bit integer whose low byte is red,
// the next green and the next blue (0x00BBGGRR).
namespace translator {

using Colour = std::uint32_t;

inline constexpr Colour kLime = 65280;             // #00FF00: exact match, matched key
inline constexpr Colour kAqua = 16777000;          // #28FFFF: the "to " marker
inline constexpr Colour kMagenta = 16732671;       // #FF51FF: the rest of a completed entry
inline constexpr Colour kWhite = 16777215;         // #FFFFFF: found by shortening or completion
inline constexpr Colour kNothingRed = 2631935;     // #FF2828: nothing found
inline constexpr Colour kPopupYellow = 7143423;    // #FFFF6C: result area and line background
inline constexpr Colour kRuleBlue = 16711680;      // #0000FF: the rules of the result area
inline constexpr Colour kPopupNavy = 8388608;      // #000080: the popup's frame
inline constexpr Colour kWordBarDesign = 12639424; // #C0DCC0: word bar before any lookup

} // namespace translator
