#include "window/caption_fitting.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace vantoriku {
namespace {

// How far a lettering may be fitted to take up the differences between
// faces; a text longer than that wraps and is cut like any long caption.
constexpr int kNarrowestStretch = 85; // per cent of the face's width
constexpr int kStretchStep = 5;
constexpr int kSmallestSize = 75; // per cent of the lettering's size
constexpr int kLowestDrop = 2;    // pixels

// Whether the text's ink stays inside the box, drawn as a label or a button
// draws it, `drop` pixels lower, at the screen's pixel ratio; an edge too
// faint to see is no loss.
bool drawnInside(const QFont& font, const QString& text, QSize box, Qt::Alignment alignment,
                 int drop) {
    constexpr int kMargin = 4;
    constexpr int kFaint = 42; // of 255: a sixth of black at most
    const qreal ratio = qApp->devicePixelRatio();
    QImage drawn((box + QSize(2 * kMargin, 2 * kMargin)) * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setFont(font);
    painter.drawText(QRect(QPoint(kMargin, kMargin + drop), box),
                     static_cast<int>(alignment) | Qt::TextDontClip, text);
    painter.end();
    const QRect inside(QPoint(kMargin, kMargin) * ratio, box * ratio);
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            if (qAlpha(line[x]) > kFaint && !inside.contains(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// Whether the text stays on one line with all its ink inside the box, drawn
// `drop` pixels lower. Ink, not the line box: some faces leave a wide band
// below their characters, others draw a little above their line. An
// underline is ink too.
bool standsInside(const QFont& font, const QString& text, QSize box, Qt::Alignment alignment,
                  int drop) {
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    if (advance > box.width()) {
        return false; // it would break onto a second line
    }
    QRectF ink = metrics.tightBoundingRect(text); // rounded out to whole pixels
    if (font.underline()) {
        ink.setBottom(std::max(ink.bottom(), metrics.underlinePos() + metrics.lineWidth()));
    }
    const qreal left = (alignment & Qt::AlignRight)     ? box.width() - advance
                       : (alignment & Qt::AlignHCenter) ? (box.width() - advance) / 2
                                                        : 0.0;
    const qreal baseline =
        ((alignment & Qt::AlignVCenter) ? (box.height() - metrics.height()) / 2 : 0.0) +
        metrics.ascent() + drop;
    if (QRectF(QPointF(), box).adjusted(1, 1, -1, -1).contains(ink.translated(left, baseline))) {
        return true;
    }
    // Within a pixel or two of an edge, rounding to the screen's pixels
    // decides: draw it and see.
    return drawnInside(font, text, box, alignment, drop);
}

} // namespace

FittedLettering fitted(const QFont& lettering, const QString& text, QSize box,
                       Qt::Alignment alignment) {
    if (text.isEmpty()) {
        return {lettering};
    }
    // Text centred down has no top to move down from.
    const int lowest = (alignment & Qt::AlignVCenter) ? 0 : kLowestDrop;
    const int size = lettering.pixelSize();
    const int stretch = lettering.stretch() == QFont::AnyStretch ? 100 : lettering.stretch();
    QFont candidate = lettering;
    for (int smaller = size; smaller * 100 >= size * kSmallestSize; --smaller) {
        candidate.setPixelSize(smaller);
        for (int narrower = stretch; narrower >= kNarrowestStretch; narrower -= kStretchStep) {
            candidate.setStretch(narrower);
            for (int drop = 0; drop <= lowest; ++drop) {
                if (standsInside(candidate, text, box, alignment, drop)) {
                    return {candidate, drop};
                }
            }
        }
    }
    return {lettering};
}

} // namespace vantoriku
