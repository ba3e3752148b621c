#include "editor/toolbaricons.h"

#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <functional>

namespace {

using Draw = std::function<void(QPainter &)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(30, 90, 190);
const QColor kYellow(235, 190, 60);
const QColor kRed(200, 30, 30);

void page(QPainter &p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
    p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void folder(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kYellow);
    p.drawPolygon(
        QPolygonF({{1.5, 4.5}, {6.5, 4.5}, {8, 6}, {14.5, 6}, {14.5, 13.5}, {1.5, 13.5}}));
}

void floppy(QPainter &p, QRectF r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRect(r);
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + 2, r.top(), r.width() - 4, r.height() * 0.45));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(r.left() + 3, r.bottom() - 4, r.width() - 6, 4));
}

void magnifier(QPainter &p, QPointF centre, double radius)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(210, 230, 255));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF handle = centre + QPointF(radius * 0.7, radius * 0.7);
    p.drawLine(handle, handle + QPointF(4, 4));
}

void letter(QPainter &p, const QString &text, QFont::Weight weight, bool italic, bool underline,
            const QColor &colour = kInk, QRectF box = QRectF(0, 0, 16, 16))
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(box.height() * 0.8));
    font.setWeight(weight);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// Rows of text lines: each entry is (left, right) of one line.
void lines(QPainter &p, const std::array<std::pair<double, double>, 5> &rows)
{
    p.setPen(QPen(kInk, 1.2));
    double y = 2.5;
    for (const auto &[left, right] : rows) {
        p.drawLine(QPointF(left, y), QPointF(right, y));
        y += 2.8;
    }
}

void arrow(QPainter &p, bool toLeft)
{
    p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    const double start = toLeft ? 13 : 3;
    const double end = toLeft ? 4 : 12;
    curve.moveTo(start, 13);
    curve.cubicTo(start, 5, (start + end) / 2, 5, end, 6);
    p.drawPath(curve);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    const double tip = toLeft ? end - 2 : end + 2;
    const double back = toLeft ? end + 3 : end - 3;
    p.drawPolygon(QPolygonF({{tip, 6}, {back, 2}, {back, 10}}));
}

void indentArrow(QPainter &p, bool inward)
{
    lines(p, {{{1, 15}, {7, 15}, {7, 15}, {7, 15}, {1, 15}}});
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    if (inward)
        p.drawPolygon(QPolygonF({{1, 5}, {5, 8}, {1, 11}}));
    else
        p.drawPolygon(QPolygonF({{5, 5}, {1, 8}, {5, 11}}));
}

Draw drawingFor(QStringView name)
{
    if (name == u"spbUj")
        return [](QPainter &p) { page(p, QRectF(3.5, 1.5, 9, 13)); };
    if (name == u"spbMegnyit")
        return [](QPainter &p) {
            folder(p);
            p.setBrush(QColor(250, 220, 120));
            p.drawPolygon(QPolygonF({{3.5, 8.5}, {15.5, 8.5}, {13, 13.5}, {1.5, 13.5}}));
        };
    if (name == u"spbMent")
        return [](QPainter &p) { floppy(p, QRectF(2.5, 2.5, 11, 11)); };
    if (name == u"spbMentMask")
        return [](QPainter &p) {
            floppy(p, QRectF(1.5, 1.5, 10, 10));
            p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(9, 14), QPointF(15, 8));
        };
    if (name == u"spbKeres")
        return [](QPainter &p) { magnifier(p, {6.5, 6.5}, 4.5); };
    if (name == u"spbCserel")
        return [](QPainter &p) {
            magnifier(p, {5.5, 5.5}, 3.5);
            p.setPen(QPen(kRed, 1.5));
            p.drawLine(QPointF(9, 13), QPointF(15, 13));
            p.drawLine(QPointF(13, 11), QPointF(15, 13));
        };
    if (name == u"spbKivag")
        return [](QPainter &p) {
            p.setPen(QPen(kInk, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
            p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
            p.drawLine(QPointF(6, 10), QPointF(11, 1));
            p.drawLine(QPointF(10, 10), QPointF(5, 1));
        };
    if (name == u"spbMasol")
        return [](QPainter &p) {
            page(p, QRectF(1.5, 1.5, 8, 10));
            page(p, QRectF(6.5, 4.5, 8, 10));
        };
    if (name == u"spbBeill")
        return [](QPainter &p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(170, 120, 60));
            p.drawRect(QRectF(2.5, 2.5, 10, 12));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(5.5, 1.5, 4, 2));
            page(p, QRectF(7.5, 6.5, 7, 8));
        };
    if (name == u"spbFormFest")
        return [](QPainter &p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(kYellow);
            p.drawRect(QRectF(2.5, 1.5, 11, 5));
            p.setPen(QPen(kInk, 2));
            p.drawLine(QPointF(8, 7), QPointF(8, 9));
            p.setPen(QPen(QColor(140, 90, 40), 3));
            p.drawLine(QPointF(8, 10), QPointF(8, 15));
        };
    if (name == u"spbMegsem")
        return [](QPainter &p) { arrow(p, true); };
    if (name == u"spbMegis")
        return [](QPainter &p) { arrow(p, false); };
    if (name == u"spbSzin")
        return [](QPainter &p) {
            letter(p, QStringLiteral("A"), QFont::Bold, false, false, kInk, QRectF(0, 0, 16, 13));
            p.fillRect(QRectF(1, 12, 14, 3), kRed);
        };
    if (name == u"spbBetuTip")
        return [](QPainter &p) {
            letter(p, QStringLiteral("F"), QFont::Normal, false, false, kBlue, QRectF(0, 0, 9, 16));
            letter(p, QStringLiteral("a"), QFont::Bold, false, false, kRed, QRectF(7, 3, 9, 13));
        };
    if (name == u"spbFelkov")
        return [](QPainter &p) { letter(p, QStringLiteral("B"), QFont::Black, false, false); };
    if (name == u"spbDolt")
        return [](QPainter &p) { letter(p, QStringLiteral("I"), QFont::Normal, true, false); };
    if (name == u"spbAlahuzott")
        return [](QPainter &p) { letter(p, QStringLiteral("U"), QFont::Normal, false, true); };
    if (name == u"spbNagyobbBetu" || name == u"spbKisebbBetu") {
        const bool bigger = name == u"spbNagyobbBetu";
        return [bigger](QPainter &p) {
            letter(p, QStringLiteral("A"), QFont::Bold, false, false, kInk,
                   bigger ? QRectF(0, 0, 12, 16) : QRectF(1, 4, 10, 12));
            p.setPen(QPen(kRed, 1.5));
            p.drawLine(QPointF(11, 4), QPointF(15, 4));
            if (bigger)
                p.drawLine(QPointF(13, 2), QPointF(13, 6));
        };
    }
    if (name == u"spbIgazitBal")
        return [](QPainter &p) { lines(p, {{{1, 15}, {1, 10}, {1, 15}, {1, 10}, {1, 15}}}); };
    if (name == u"spbIgazitKozep")
        return [](QPainter &p) { lines(p, {{{1, 15}, {4, 12}, {1, 15}, {4, 12}, {1, 15}}}); };
    if (name == u"spbIgazitJobb")
        return [](QPainter &p) { lines(p, {{{1, 15}, {6, 15}, {1, 15}, {6, 15}, {1, 15}}}); };
    if (name == u"spbIgazitSorkiz")
        return [](QPainter &p) { lines(p, {{{1, 15}, {1, 15}, {1, 15}, {1, 15}, {1, 15}}}); };
    if (name == u"spbFelsorol")
        return [](QPainter &p) {
            lines(p, {{{6, 15}, {6, 15}, {6, 15}, {6, 15}, {6, 15}}});
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (double y : {2.5, 8.1, 13.7})
                p.drawEllipse(QPointF(2.5, y), 1.3, 1.3);
        };
    if (name == u"spbBehuzCsokk")
        return [](QPainter &p) { indentArrow(p, false); };
    if (name == u"spbBehuzNov")
        return [](QPainter &p) { indentArrow(p, true); };
    if (name == u"spbSorTor")
        return [](QPainter &p) {
            lines(p, {{{1, 15}, {1, 1}, {1, 11}, {1, 1}, {1, 7}}});
            p.setPen(QPen(kBlue, 1.5));
            p.setBrush(Qt::NoBrush);
            QPainterPath wrap;
            wrap.moveTo(11, 2.5);
            wrap.lineTo(14, 2.5);
            wrap.cubicTo(16, 2.5, 16, 8.1, 14, 8.1);
            wrap.lineTo(9, 8.1);
            p.drawPath(wrap);
            p.setBrush(kBlue);
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygonF({{7, 8.1}, {10, 5.5}, {10, 10.7}}));
        };
    return {};
}

} // namespace

namespace {

// Every picture stands on a light plate: dark ink stays legible on the
// brown and the navy bars alike.
void plate(QPainter &p)
{
    p.setPen(QPen(QColor(90, 70, 50), 0.8));
    p.setBrush(QColor(246, 240, 226));
    p.drawRoundedRect(QRectF(0.4, 0.4, 15.2, 15.2), 2.5, 2.5);
}

// Draws the picture at whatever size and pixel ratio it is asked for, so it
// stays sharp on dense screens.
class PaintedIconEngine final : public QIconEngine {
public:
    explicit PaintedIconEngine(Draw draw) : m_draw(std::move(draw)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        plate(*painter);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        // Buttons ask on every paint; each size is drawn once.
        const QString key = QStringLiteral("%1x%2/%3/%4/%5")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode))
                                .arg(int(state))
                                .arg(scale);
        if (const auto cached = m_drawn.constFind(key); cached != m_drawn.constEnd())
            return *cached;
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        }
        m_drawn.insert(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new PaintedIconEngine(m_draw); }
    QString key() const override { return QStringLiteral("velkor-painted"); }

private:
    Draw m_draw;
    QHash<QString, QPixmap> m_drawn;
};

} // namespace

QIcon ToolbarIcon(QStringView buttonName)
{
    const Draw draw = drawingFor(buttonName);
    return draw ? QIcon(new PaintedIconEngine(draw)) : QIcon();
}

QPixmap GripPicture()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(8, 22) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Two columns of light dots with a dark shadow, visible on both bars.
    for (int y = 3; y < 20; y += 3) {
        for (double x : {2.0, 5.0}) {
            p.fillRect(QRectF(x + 0.5, y + 0.5, 1.2, 1.2), QColor(40, 30, 20));
            p.fillRect(QRectF(x, y, 1.2, 1.2), QColor(255, 245, 225));
        }
    }
    return pixmap;
}
