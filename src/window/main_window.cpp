#include "window/main_window.h"

#include "content/question_bank.h"
#include "look/faces.h"
#include "look/frame.h"
#include "window/controls.h"
#include "window/placement.h"
#include "window/spoken_texts.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>

namespace vantoriku {
namespace {

std::size_t rowIndex(int row) {
    return static_cast<std::size_t>(row - 1);
}

QColor toQColor(Colour colour) {
    return {static_cast<int>(colour.bgr & 0xFF), static_cast<int>((colour.bgr >> 8) & 0xFF),
            static_cast<int>((colour.bgr >> 16) & 0xFF)};
}

} // namespace

MainWindow::MainWindow(WindowServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
    setObjectName("mainWindow");
    frameMainWindow(*this);
    setFont(fontFor({}));

    // The sheet keeps its size; a smaller window, or a small screen at a
    // large text setting, scrolls it, so that every control stays in reach.
    client_ = new QWidget;
    client_->setObjectName("clientArea");
    client_->resize(pixels(kClientWidthTwips), pixels(kClientHeightTwips));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("clientScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes from 総合評価 back to the first answer
    scroll->setWidget(client_);
    setCentralWidget(scroll);
    createControls();
    createMenus();
    setTabOrder();
    for (std::size_t row = 0; row < questionLabels_.size(); ++row) {
        questionLabels_[row]->setBuddy(answerFields_[row]); // the label-for relation
    }

    renderAll();
    sheet_.addListener([this](const Member& member) { render(member); });
    resize(wholeSize());
}

QSize MainWindow::wholeSize() const {
    return client_->size() + QSize(0, menuBar()->sizeHint().height());
}

void MainWindow::render(const Member& member) {
    using Kind = Member::Kind;
    switch (member.kind()) {
    case Kind::QuestionCaption: {
        const QString caption = QString::fromStdString(sheet_.questionCaption(member.row()));
        questionLabels_[rowIndex(member.row())]->setCaption(caption);
        // The field is the answer to this question.
        answerFields_[rowIndex(member.row())]->setAccessibleName(caption);
        break;
    }
    case Kind::Answer: {
        AnswerField* field = answerFields_[rowIndex(member.row())];
        const QString answer = QString::fromStdString(sheet_.answer(member.row()));
        // The field that the user types in already shows the text; setting it
        // again would move the cursor.
        if (field->text() != answer) {
            const QScopedValueRollback drawing(drawing_, true);
            field->setText(answer);
        }
        break;
    }
    case Kind::AnswerVisible:
        answerFields_[rowIndex(member.row())]->setVisible(sheet_.answerVisible(member.row()));
        break;
    case Kind::Caption: {
        const QString caption = QString::fromStdString(sheet_.caption(member.cell()));
        cellLabel(member.cell())->setCaption(caption);
        if (member.cell() == Cell::Prompt) {
            tellFirstAnswer(caption); // what to do first, until an era is chosen
        } else if (member.cell() == Cell::Level && !caption.isEmpty()) {
            // Rated: told before 総合評価 turns off and hands the focus to the first answer.
            rated_ = true;
            tellFirstAnswer(totalResult(sheet_));
        }
        break;
    }
    case Kind::Foreground: {
        SheetLabel* label = cellLabel(member.cell());
        const Colour colour = *sheet_.foreground(member.cell());
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(colour));
        label->setPalette(palette);
        label->setAccessibleDescription(gradedCellName(member.cell(), colour));
        if (const auto era = eraOfCell(member.cell())) {
            scoredEra_ = era; // told once the run has posted the whole row
        }
        break;
    }
    case Kind::ButtonEnabled:
    case Kind::ButtonVisible: {
        QPushButton* button = buttonOf(member.button());
        const bool on = member.kind() == Kind::ButtonEnabled ? sheet_.enabled(member.button())
                                                             : sheet_.visible(member.button());
        // Qt would hand the focus of a button that goes off to the next one,
        // クリア, where one more Space empties every mark before it is read.
        // The first answer, where the results begin, loses nothing.
        if (!on && focusWidget() == button) {
            answerFields_[0]->setFocus(Qt::OtherFocusReason);
        }
        member.kind() == Kind::ButtonEnabled ? button->setEnabled(on) : button->setVisible(on);
        break;
    }
    case Kind::EraChecked:
        eraItems_[static_cast<std::size_t>(member.era() - 1)]->setChecked(
            sheet_.eraChecked(member.era()));
        break;
    }
}

void MainWindow::tellFirstAnswer(const QString& text) {
    // A screen reader speaks the description of the field that takes the
    // focus: the first answer has it at start, after an era is chosen, after
    // scoring and after the evaluation.
    answerFields_[0]->setAccessibleDescription(text);
}

QPushButton* MainWindow::buttonOf(Button button) const {
    return button == Button::Score ? scoreButton_ : evaluateButton_;
}

void MainWindow::renderAll() {
    using Kind = Member::Kind;
    for (int row = 1; row <= kSheetRows; ++row) {
        for (const Kind kind : {Kind::QuestionCaption, Kind::Answer, Kind::AnswerVisible}) {
            render(Member::ofRow(kind, row));
        }
    }
    for (const Cell cell : kCells) {
        render(Member::ofCell(Kind::Caption, cell));
        if (isPercentageCell(cell) && sheet_.foreground(cell)) {
            render(Member::ofCell(Kind::Foreground, cell));
        }
    }
    for (const Button button : {Button::Score, Button::Evaluate}) {
        render(Member::ofButton(Kind::ButtonEnabled, button));
        render(Member::ofButton(Kind::ButtonVisible, button));
    }
    for (int era = 1; era <= kEraCount; ++era) {
        render(Member::ofEra(era));
    }
}

void MainWindow::showAtStart() {
    placeOnScreen();
    show();
    answerFields_[0]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // On X11 the window manager tells the size of its frame only once the
    // window is mapped: centre the whole frame again then, once.
    if (!framed_ && frameGeometry().size() != size()) {
        framed_ = true;
        placeOnScreen();
    }
}

void MainWindow::placeOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        resize(wholeSize().boundedTo(available.size() - frame));
        move(centredFramePosition(frameGeometry().size(), available));
    }
}

void MainWindow::openHelp() {
    services_.showHelp(*this);
}

void MainWindow::print() {
    sheet_.setVisible(Button::Score, false);
    sheet_.setVisible(Button::Evaluate, false);
    services_.printClientArea(*client_, [this](const std::string& failure) {
        if (!failure.empty()) {
            messageBox_.show(failure);
        }
    });
    sheet_.setVisible(Button::Score, true);
    sheet_.setVisible(Button::Evaluate, true);
}

void MainWindow::quit() {
    services_.quit();
}

} // namespace vantoriku
