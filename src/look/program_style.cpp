#include "look/program_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace vantoriku {
namespace {

// 4.5:1 against an answer field's white and 4:1 against the window's face.
const QColor kFieldBorder(0x76, 0x76, 0x76);

// A ring `width` pixels wide just inside the rectangle.
void drawRing(QPainter* painter, const QRect& rect, const QColor& colour, int width) {
    for (int inset = 0; inset < width; ++inset) {
        const QRect ring = rect.adjusted(inset, inset, -inset, -inset);
        painter->fillRect(ring.left(), ring.top(), ring.width(), 1, colour);
        painter->fillRect(ring.left(), ring.bottom(), ring.width(), 1, colour);
        painter->fillRect(ring.left(), ring.top(), 1, ring.height(), colour);
        painter->fillRect(ring.right(), ring.top(), 1, ring.height(), colour);
    }
}

} // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_FrameLineEdit:
        if ((option->state & State_HasFocus) != 0) {
            drawRing(painter, option->rect, option->palette.color(QPalette::Highlight), 2);
        } else {
            drawRing(painter, option->rect, kFieldBorder, 1);
        }
        return;
    case PE_PanelButtonCommand:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if ((option->state & State_HasFocus) != 0) {
            drawRing(painter, option->rect, option->palette.color(QPalette::Highlight), 2);
        }
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem plainer(*item);
    if (element == CE_MenuBarItem && (item->state & State_Selected) != 0) {
        // Fusion highlights a menu title only while its menu is open; the
        // keyboard's place in the menu bar must show as well.
        plainer.state |= State_Sunken;
    } else if (element == CE_MenuItem && !item->checked) {
        plainer.checkType = QStyleOptionMenuItem::NotCheckable;
    }
    QProxyStyle::drawControl(element, &plainer, painter, widget);
}

} // namespace vantoriku
