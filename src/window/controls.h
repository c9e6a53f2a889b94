#pragma once

#include <QLabel>
#include <QWidget>

namespace vantoriku {

// A fixed text cell: opaque, top-aligned, wrapping within its width and cut
// at its bottom edge. Emits clicked() for a left click released inside it.
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

} // namespace vantoriku
