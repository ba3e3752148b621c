#include "translator/popuplayout.h"

#include <algorithm>

namespace translator {
namespace {

constexpr int kRuleLength = 10000;
constexpr int kTextLeft = 5;
constexpr int kColumnGap = 20;
constexpr int kColumnRuleOffset = 7;
constexpr int kMaxColumns = 3;
constexpr int kPlacementGap = 30;
constexpr int kTopWhenTooTall = 3;

void rule(PopupSurface &surface, int y)
{
    surface.drawRule(0, y, kRuleLength, y);
}

} // namespace

PopupGeometry DrawResultLists(const TResultLists &lists, PopupSurface &surface,
                              const PopupLayoutInput &input)
{
    const int lh = input.lineHeight;
    PopupGeometry geometry;
    geometry.width = surface.textWidth(input.wordBoxText) + kIconCornerWidth + 20;
    surface.fill(kPopupYellow);

    int y = 0;
    for (const TTalalat &list : lists) {
        if (list.Count == 0)
            continue;
        int listWidth = 0;
        rule(surface, y);
        if (!list.HeadText.isEmpty()) {
            y += 1;
            const int headWidth = surface.drawText(kTextLeft, y, list.HeadText, list.HeadColor);
            surface.drawText(kTextLeft + headWidth, y, list.TailText, list.TailColor);
            y += lh;
            rule(surface, y);
        }
        const int top = y;
        y += 3;
        const int rows = (list.Count - 1) / kMaxColumns + 1;
        int x = kTextLeft;
        int columnWidth = 0;
        int column = 1;
        for (int g = 1; g <= list.Count; ++g) {
            const int lineColumn = (g - 1) / rows + 1;
            if (lineColumn != column) {
                column = lineColumn;
                listWidth += columnWidth + kColumnGap;
                x += columnWidth + kColumnGap;
                columnWidth = 0;
                surface.drawRule(x - kColumnRuleOffset, top, x - kColumnRuleOffset,
                                 top + rows * lh + 6);
            }
            const int width = surface.drawText(x, y + ((g - 1) % rows) * lh,
                                               list.Items[std::size_t(g - 1)], kPopupYellow);
            columnWidth = std::max(columnWidth, width);
        }
        listWidth += columnWidth + kColumnGap;
        y = top + rows * lh + 6;
        rule(surface, y);
        y += 2;
        listWidth = std::max(
            {listWidth, surface.textWidth(list.HeadText + list.TailText) + 10, input.keptWidth});
        geometry.width = std::max(geometry.width, listWidth);
    }

    // Wider than the pane it would stand left of the pane, where its panel
    // clips it away: it takes the pane's width and cuts its lines instead.
    if (input.paneWidth > 0)
        geometry.width = std::min(geometry.width, input.paneWidth);
    const int w = geometry.width;
    geometry.left = input.anchorX < input.paneWidth - w ? input.anchorX : input.paneWidth - w;
    geometry.height = kWordBarHeight + y;
    const int h = geometry.height;
    if (input.paneHeight - h - kPlacementGap >= input.anchorY)
        geometry.top = input.anchorY + kPlacementGap;
    else if (h + kPlacementGap > input.anchorY)
        geometry.top = kTopWhenTooTall;
    else
        geometry.top = input.anchorY - h - kPlacementGap;
    return geometry;
}

} // namespace translator
