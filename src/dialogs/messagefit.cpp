#include "dialogs/messagefit.h"

#include <algorithm>

namespace {

constexpr int kNarrowWidth = 314;
constexpr int kWideWidth = 628;
constexpr qsizetype kLongMessage = 300;
constexpr int kBaseHeight = 140;
constexpr int kLineFeedHeight = 10;
// Room beside a word that widens the dialog.
constexpr int kWordSlack = 30;
// A measurer gone wrong must not overflow the geometry.
constexpr int kMaxTextWidth = 1 << 20;

bool isSpaceOrLineFeed(QChar c)
{
    return c == u' ' || c == u'\n';
}

bool isPathSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

// The monitor's left edge wins over nothing; its right edge wins over the left.
int keepOnScreen(int left, int width, const MessageFitRequest &request)
{
    if (left < request.screenLeft)
        left = request.screenLeft;
    if (left + width > request.screenRight)
        left = request.screenRight - width;
    return left;
}

// The wrapping walk. Positions are 1-based, as in the description of the
// walk: s starts the current line piece, b is the last break point, p is the
// position before the last space or line feed, f is set while a word too wide
// for the label widens the dialog.
class Wrapper {
public:
    // The final placement keeps centre unless a word widens the dialog.
    Wrapper(const MessageFitRequest &request, int left, int width, int centre)
        : m_request(request), m_text(request.message), m_left(left), m_width(width),
          m_centre(centre), m_margin(request.width - request.labelWidth)
    {}

    void run()
    {
        qsizetype s = 1;
        qsizetype b = 0;
        // No space yet: "the last space" is at 0, so p starts at -1. With 0
        // the check at the end of the first step would drop the message's
        // first character from the first line's width.
        qsizetype p = -1;
        bool f = false;
        // Each step moves on or inserts at most one line feed after an
        // original character; this bound is never reached by a sound walk.
        const qsizetype maxSteps = 4 * m_text.size() + 16;
        qsizetype steps = 0;
        for (qsizetype i = 1; i <= m_text.size() && ++steps <= maxSteps; ++i) {
            if (isSpaceOrLineFeed(at(i))) {
                p = i - 1;
                b = i;
                s = i + 1;
                continue;
            }
            if (isPathSeparator(at(i)))
                b = i;
            int w = measure(s, i);
            if (f) {
                widenFor(w);
                const qsizetype length = m_text.size();
                if (i == b || i == length) {
                    if (!followedBySpaceOrLineFeed(i) && !startsLine(b))
                        insertLineFeedAfter(b);
                    s = b + 2;
                } else {
                    if (!followedBySpaceOrLineFeed(i))
                        insertLineFeedAfter(i);
                    s = i + 2;
                }
                w = 0;
                f = false;
            }
            if (w > labelWidth()) {
                if (s >= b) {
                    f = true;
                } else if (i <= b) {
                    // The separator itself does not fit: measure it again
                    // in widening mode.
                    f = true;
                    --i;
                } else {
                    insertLineFeedAfter(b);
                    s = b + 1;
                }
            }
            if (i - 1 == p)
                s = i + 1;
        }
        // The last word did not fit and no character was left to widen for it.
        if (f)
            widenFor(measure(s, m_text.size()));
    }

    int width() const { return m_width; }
    int centre() const { return m_centre; }
    const QString &text() const { return m_text; }

private:
    QChar at(qsizetype position) const { return m_text[position - 1]; }

    bool followedBySpaceOrLineFeed(qsizetype position) const
    {
        return position < m_text.size() && isSpaceOrLineFeed(at(position + 1));
    }

    // A break after position b would only add an empty line: the text starts
    // there, or a line feed is already on either side of b.
    bool startsLine(qsizetype b) const
    {
        return b == 0 || at(b) == u'\n' || (b < m_text.size() && at(b + 1) == u'\n');
    }

    void insertLineFeedAfter(qsizetype position) { m_text.insert(position, u'\n'); }

    int measure(qsizetype from, qsizetype to) const
    {
        if (from > to || !m_request.textWidth)
            return 0;
        const int w = m_request.textWidth(QStringView(m_text).sliced(from - 1, to - from + 1));
        return std::clamp(w, 0, kMaxTextWidth);
    }

    int labelWidth() const { return m_width - m_margin; }

    void widenFor(int w)
    {
        m_centre = m_left + m_width / 2;
        m_width = std::max(m_width, w + kWordSlack);
        m_left = m_centre - m_width / 2;
    }

    const MessageFitRequest &m_request;
    QString m_text;
    int m_left;
    int m_width;
    int m_centre;
    int m_margin;
};

} // namespace

MessageFit FitDialogToMessage(const MessageFitRequest &request)
{
    const qsizetype n = request.message.size();
    const int centre = request.left + request.width / 2;
    const int width = n > kLongMessage ? kWideWidth : kNarrowWidth;
    const int left = keepOnScreen(centre - width / 2, width, request);

    MessageFit fit;
    fit.height =
        int((2 * n) / 3) + kLineFeedHeight * int(request.message.count(u'\n')) + kBaseHeight;

    Wrapper wrapper(request, left, width, centre);
    wrapper.run();
    fit.width = std::max(wrapper.width(), kNarrowWidth);
    fit.left = keepOnScreen(wrapper.centre() - fit.width / 2, fit.width, request);
    fit.text = wrapper.text();
    return fit;
}
