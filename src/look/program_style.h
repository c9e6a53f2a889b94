#pragma once

#include <QProxyStyle>

namespace vantoriku {

// Qt's Fusion style, which draws with the program's palette, made plainer
// where a user must see what is there and where the keyboard is: answer
// fields keep a border that stands out from the window, the focus shows as a
// two-pixel ring in the highlight colour on fields and buttons, the menu bar
// highlights the menu that the keyboard is on (after Alt, say), and a
// checkable menu item shows its mark only while it is checked.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
  public:
    ProgramStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace vantoriku
