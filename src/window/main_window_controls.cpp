#include "layout/layout_table.h"
#include "look/faces.h"
#include "look/utf8.h"
#include "window/caption_fitting.h"
#include "window/controls.h"
#include "window/main_window.h"
#include "window/spoken_texts.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionButton>
#include <span>

// The window's controls and menus, made from the layout table and wired to the handlers.
namespace vantoriku {
namespace {

QRect pixelRect(const LayoutRow& control) {
    return {pixels(control.left), pixels(control.top), pixels(control.width),
            pixels(control.height)};
}

Qt::Alignment alignmentOf(Alignment alignment) {
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// A caption that the face would draw past the button's inside is fitted to it.
void fitCaption(QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect inside =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QFont font = fitted(button.font(), button.text(), inside.size(), Qt::AlignCenter).font;
    if (font != button.font()) {
        button.setFont(font);
    }
}

} // namespace

SheetLabel*& MainWindow::cellLabel(Cell cell) {
    return cellLabels_[static_cast<std::size_t>(std::ranges::find(kCells, cell) - kCells.begin())];
}

QWidget* MainWindow::createControl(const LayoutRow& control) {
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new SheetLabel(client_);
        label->setAlignment(alignmentOf(control.alignment) | Qt::AlignTop);
        if (control.blackText) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(palette);
        }
        if (control.row != 0) {
            questionLabels_[static_cast<std::size_t>(control.row - 1)] = label;
        } else if (control.cell) {
            cellLabel(*control.cell) = label;
            label->setAccessibleDescription(cellName(*control.cell));
        }
        if (control.cell == Cell::Total) {
            connect(label, &SheetLabel::clicked, this, [this] { drill_.postTotal(); });
        }
        return label;
    }
    case ControlKind::AnswerField: {
        auto* field = new AnswerField(client_);
        answerFields_[static_cast<std::size_t>(control.row - 1)] = field;
        // Typing, input methods, paste, undo, drops and assistive tools all
        // change the text; the window's own writes are already in the sheet.
        connect(field, &QLineEdit::textChanged, this,
                [this, row = control.row](const QString& text) {
                    if (!drawing_) {
                        sheet_.setAnswer(row, text.toStdString());
                    }
                });
        return field;
    }
    case ControlKind::Button: {
        // Outside a dialog no push button is the default one, which Enter would press.
        auto* button = new QPushButton(qString(control.caption), client_);
        switch (*control.command) {
        case Command::Score:
            scoreButton_ = button;
            connect(button, &QPushButton::clicked, this, [this] {
                // The results begin in the first answer. The focus goes there
                // first: a screen reader, told of it before the writes, reads
                // the field as the run leaves it, the era's result with it.
                answerFields_[0]->setFocus(Qt::OtherFocusReason);
                drill_.score();
                if (const auto era = std::exchange(scoredEra_, std::nullopt)) {
                    const QString result = eraResult(sheet_, *era);
                    tellFirstAnswer(result);
                    announce(*answerFields_[0], result);
                }
            });
            break;
        case Command::Evaluate:
            evaluateButton_ = button;
            connect(button, &QPushButton::clicked, this, [this] {
                drill_.evaluate();
                if (std::exchange(rated_, false)) {
                    announce(*answerFields_[0], totalResult(sheet_));
                }
            });
            break;
        case Command::Clear:
            clearButton_ = button;
            connect(button, &QPushButton::clicked, this, [this] { drill_.clearForAnotherTry(); });
            break;
        }
        return button;
    }
    case ControlKind::Rule:
        return new RuleWidget(client_);
    }
    return nullptr;
}

void MainWindow::createControls() {
    for (const LayoutRow& control : layoutTable()) {
        QWidget* widget = createControl(control);
        widget->setObjectName(qString(control.name));
        widget->setGeometry(pixelRect(control));
        const bool lettered = control.font != Lettering{};
        if (auto* label = qobject_cast<SheetLabel*>(widget)) {
            if (lettered) {
                label->setLettering(fontFor(control.font));
            }
            label->setCaption(qString(control.caption));
        } else if (lettered) {
            widget->setFont(fontFor(control.font));
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            fitCaption(*button);
        }
    }
}

void MainWindow::createMenus() {
    menuBar()->setNativeMenuBar(false); // the client area starts right below it
    menuBar()->setObjectName("menuBar");
    for (const Menu& entry : menuTree()) {
        QMenu* menu = menuBar()->addMenu(qString(entry.title));
        menu->setObjectName(qString(entry.name));
        menu->setFont(font());
        for (const MenuItem& item : entry.items) {
            QAction* action = item.command == MenuCommand::Separator
                                  ? menu->addSeparator()
                                  : menu->addAction(qString(item.caption));
            action->setObjectName(qString(item.name));
            connectItem(*action, item);
        }
    }

    // F10 opens the menus, as on other desktop programs; the items themselves have no keys.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void MainWindow::connectItem(QAction& action, const MenuItem& item) {
    const auto on = [this, &action](auto handler) {
        connect(&action, &QAction::triggered, this, handler);
    };
    switch (item.command) {
    case MenuCommand::Print:
        on([this] { print(); });
        break;
    case MenuCommand::Clear:
        on([this] { drill_.clearAnswers(); });
        break;
    case MenuCommand::Quit:
        on([this] { quit(); });
        break;
    case MenuCommand::SelectEra:
        // Qt toggles the mark before triggered(); the selection then sets it from the sheet.
        action.setCheckable(true);
        eraItems_[static_cast<std::size_t>(item.era - 1)] = &action;
        on([this, era = item.era] {
            drill_.selectEra(era);
            // The drill starts over at the first question, which is then heard at once.
            answerFields_[0]->setFocus(Qt::OtherFocusReason);
        });
        break;
    case MenuCommand::Help:
        on([this] { openHelp(); });
        break;
    case MenuCommand::Separator:
        break;
    }
}

void MainWindow::setTabOrder() {
    QWidget* previous = answerFields_[0];
    const auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (AnswerField* next : std::span(answerFields_).subspan(1)) {
        chain(next);
    }
    chain(scoreButton_);
    chain(evaluateButton_);
    chain(clearButton_);
}

} // namespace vantoriku
