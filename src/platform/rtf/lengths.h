#pragma once

// Lengths in documents. Qt lays out paragraph margins, first line indents
// and tab stops in pixels; the program counts 96 of them to the inch, as it
// does for fonts sized in pixels, so that an RTF file's twips, the points of
// the toolbar's steps and the screen agree on every machine.
namespace rtf {

inline constexpr double kPixelsPerInch = 96.0;
inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kTwipsPerPoint = 20.0;

inline double PointsFromPixels(double pixels)
{
    return pixels * kPointsPerInch / kPixelsPerInch;
}

inline double PixelsFromPoints(double points)
{
    return points * kPixelsPerInch / kPointsPerInch;
}

inline double PixelsFromTwips(double twips)
{
    return twips * kPixelsPerInch / (kPointsPerInch * kTwipsPerPoint);
}

inline double TwipsFromPixels(double pixels)
{
    return pixels * kPointsPerInch * kTwipsPerPoint / kPixelsPerInch;
}

} // namespace rtf
