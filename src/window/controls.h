#pragma once

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QWidget>

namespace vantoriku {

// A fixed text cell on the window's background: top-aligned, wrapping within
// its width and cut at its bottom edge. Emits clicked() for a left click
// released inside it.
class SheetLabel : public QLabel {
    Q_OBJECT
  public:
    explicit SheetLabel(QWidget* parent);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A one-pixel outline in the window text colour; one pixel high, it is a line.
class RuleWidget : public QWidget {
    Q_OBJECT
  public:
    explicit RuleWidget(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A single-line answer field without a length limit. As in a native
// single-line field, pasted or dropped text keeps only its first line.
// Input methods stay out of it: a year typed on the digit keys arrives as
// those digits, whatever mode a Japanese input method is in.
class AnswerField : public QLineEdit {
    Q_OBJECT
  public:
    explicit AnswerField(QWidget* parent);
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void allowFallbackFaces();
    void pasteFirstLine(QClipboard::Mode mode);
};

// Draws a checkable menu item's mark only while it is checked; styles such as
// Fusion otherwise draw an empty box beside every unchecked item.
class CheckedMarkOnlyStyle : public QProxyStyle {
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace vantoriku
