#pragma once

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <optional>

namespace vantoriku {

// A fixed text cell on the window's background: top-aligned, wrapping within
// its width and cut at its bottom edge. Emits clicked() for a left click
// released inside it.
class SheetLabel : public QLabel {
    Q_OBJECT
  public:
    explicit SheetLabel(QWidget* parent);
    // Shows the caption in the label's lettering or, where the face would
    // draw it past the cell's edges, in one fitted to the cell.
    void setCaption(const QString& caption);
    // The label's own lettering; without one, the window's.
    void setLettering(const QFont& lettering);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fit();
    std::optional<QFont> lettering_;
    int drop_ = 0; // pixels the caption stands lower than the cell's top
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

} // namespace vantoriku
