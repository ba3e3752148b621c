#pragma once

#include "translator/colours.h"
#include "translator/ttalalat.h"

#include <QString>

namespace translator {

inline constexpr int kWordBarHeight = 18;
inline constexpr int kIconCornerWidth = 39;
inline constexpr int kCanvasWidth = 1024;
inline constexpr int kCanvasHeight = 768;

// What the result drawing needs of a canvas. Coordinates are canvas pixels;
// whatever falls outside the canvas is clipped by it.
class PopupSurface {
public:
    virtual ~PopupSurface() = default;
    // Width of text in the popup font.
    virtual int textWidth(const QString &text) = 0;
    // Fills the whole canvas with colour.
    virtual void fill(Colour colour) = 0;
    // Draws text with its top left corner at (x, y) on an opaque background
    // one line high; returns the text's width.
    virtual int drawText(int x, int y, const QString &text, Colour background) = 0;
    // A 1-pixel blue rule from (x1, y1) to (x2, y2).
    virtual void drawRule(int x1, int y1, int x2, int y2) = 0;
};

struct PopupLayoutInput {
    QString wordBoxText;
    int lineHeight = 13;
    int keptWidth = 0; // the popup's width while it is open, else 0
    int anchorX = 0;   // the point near which the popup goes, in pane coordinates
    int anchorY = 0;
    int paneWidth = 0; // the text pane that bounds the placement
    int paneHeight = 0;
};

struct PopupGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Draws both result lists on the surface, each under its header, in up to
// three columns filled top to bottom, and works out the popup's size and
// place: at least as wide as its word bar needs, as wide as its widest list,
// never narrower than the kept width, but never wider than the pane (what
// does not fit is cut at the popup's right edge); right of the anchor unless that
// passes the pane's right edge, 30 pixels below the anchor when it fits,
// else above it, else at the top.
PopupGeometry DrawResultLists(const TResultLists &lists, PopupSurface &surface,
                              const PopupLayoutInput &input);

} // namespace translator
