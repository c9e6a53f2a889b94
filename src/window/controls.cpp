#include "window/controls.h"

#include "window/caption_fitting.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <limits>

namespace vantoriku {
namespace {

QString firstLine(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    return text.left(text.indexOf(lineBreak)); // all of it when there is no break
}

} // namespace

// Like every label, it takes no focus; it draws its caption itself, as plain
// text that wraps within its width.
SheetLabel::SheetLabel(QWidget* parent) : QLabel(parent) {}

void SheetLabel::setCaption(const QString& caption) {
    setText(caption);
    fit();
}

void SheetLabel::setLettering(const QFont& lettering) {
    lettering_ = lettering;
    fit();
}

void SheetLabel::fit() {
    const FittedLettering fit =
        fitted(lettering_.value_or(parentWidget()->font()), text(), size(), alignment());
    drop_ = fit.drop;
    if (fit.font != font()) {
        setFont(fit.font);
    }
}

void SheetLabel::paintEvent(QPaintEvent* /*event*/) {
    // As a label draws its caption, but not cut at the top of the text's box:
    // a face that draws a little above its line stands lower in the cell
    // (drop_), where that ink shows.
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect().translated(0, drop_),
                          static_cast<int>(alignment()) | Qt::TextWordWrap | Qt::TextDontClip,
                          palette(), isEnabled(), text(), foregroundRole());
}

void SheetLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

RuleWidget::RuleWidget(QWidget* parent) : QWidget(parent) {}

void RuleWidget::paintEvent(QPaintEvent* /*event*/) {
    // A one-pixel outline of a one-pixel-high rectangle is the rectangle itself.
    QPainter(this).fillRect(rect(), palette().windowText());
}

AnswerField::AnswerField(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
    // Whatever is typed must show, so a field falls back to other faces for
    // characters that its own lacks. Finding those faces is slow; it waits
    // until the field first holds text, after the window has come up.
    connect(this, &QLineEdit::textChanged, this, &AnswerField::allowFallbackFaces,
            Qt::SingleShotConnection);
}

void AnswerField::allowFallbackFaces() {
    QFont merging = font();
    merging.setStyleStrategy(QFont::PreferDefault);
    setFont(merging);
}

void AnswerField::pasteFirstLine(QClipboard::Mode mode) {
    insert(firstLine(QGuiApplication::clipboard()->text(mode)));
}

QVariant AnswerField::inputMethodQuery(Qt::InputMethodQuery query) const {
    // With the input method on, Japanese input methods turn digits into
    // full-width ones, which look alike in the window's face and are never the
    // year; a field that declines input methods gets the keys as typed.
    if (query == Qt::ImEnabled) {
        return false;
    }
    return QLineEdit::inputMethodQuery(query);
}

void AnswerField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFirstLine(QClipboard::Clipboard);
        return;
    }
    // Alt and the logo key with a letter are for the menus and the desktop,
    // not text: passed on, they type nothing.
    if ((event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) != 0) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AnswerField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFirstLine(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// The field's own menu, in Japanese like the rest of the window, whose paste
// keeps the first line.
void AnswerField::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(window()->font());
    const auto add = [this, menu](const char* text, QKeySequence::StandardKey key, bool enabled,
                                  auto slot) {
        const QString keys = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu->addAction(QString::fromUtf8(text) + u'\t' + keys, this, slot);
        action->setEnabled(enabled);
    };
    const bool selected = hasSelectedText();
    add("元に戻す", QKeySequence::Undo, isUndoAvailable(), &QLineEdit::undo);
    add("やり直し", QKeySequence::Redo, isRedoAvailable(), &QLineEdit::redo);
    menu->addSeparator();
    add("切り取り", QKeySequence::Cut, selected, &QLineEdit::cut);
    add("コピー", QKeySequence::Copy, selected, &QLineEdit::copy);
    add("貼り付け", QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { pasteFirstLine(QClipboard::Clipboard); });
    add("削除", QKeySequence::Delete, selected, &QLineEdit::del);
    menu->addSeparator();
    add("すべて選択", QKeySequence::SelectAll, !text().isEmpty(), &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

void AnswerField::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData firstLineOnly;
    firstLineOnly.setText(firstLine(event->mimeData()->text()));
    QDropEvent drop(event->position(), event->possibleActions(), &firstLineOnly, event->buttons(),
                    event->modifiers());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

} // namespace vantoriku
