// The floor for start-up: the main window as Qt alone draws it, made with
// plain Qt calls straight from the layout table. The same controls stand at
// the same places with the same faces and start captions, under the same
// menus, with the same title, frame and icon; nothing else of the program's
// own: no sheet, handlers, style, palette, fitting of captions, scroll area,
// accessible texts, placement, translator or warm-up thread.
#include "layout/layout_table.h"
#include "look/faces.h"
#include "look/frame.h"
#include "look/utf8.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

using namespace vantoriku;

QWidget* controlFor(const LayoutRow& row, QWidget* client) {
    switch (row.kind) {
    case ControlKind::Label: {
        // The prompt is the only cell with a caption at start.
        auto* label = new QLabel(
            row.cell == Cell::Prompt ? QString::fromUtf8(kPrompt) : qString(row.caption), client);
        const Qt::Alignment across = row.alignment == Alignment::Centre  ? Qt::AlignHCenter
                                     : row.alignment == Alignment::Right ? Qt::AlignRight
                                                                         : Qt::AlignLeft;
        label->setAlignment(across | Qt::AlignTop);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        if (row.blackText) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(palette);
        }
        return label;
    }
    case ControlKind::AnswerField:
        return new QLineEdit(client);
    case ControlKind::Button: {
        auto* button = new QPushButton(qString(row.caption), client);
        button->setEnabled(row.command != Command::Evaluate); // 総合評価 is off at start
        return button;
    }
    case ControlKind::Rule: {
        auto* rule = new QFrame(client);
        rule->setFrameStyle(QFrame::Box | QFrame::Plain);
        return rule;
    }
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    frameMainWindow(window);
    window.setFont(fontFor({}));

    auto* client = new QWidget;
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);
    for (const LayoutRow& row : layoutTable()) {
        QWidget* control = controlFor(row, client);
        control->setGeometry(pixels(row.left), pixels(row.top), pixels(row.width),
                             pixels(row.height));
        if (row.font != Lettering{}) {
            control->setFont(fontFor(row.font));
        }
    }

    window.menuBar()->setNativeMenuBar(false);
    for (const Menu& entry : menuTree()) {
        QMenu* menu = window.menuBar()->addMenu(qString(entry.title));
        menu->setFont(window.font());
        for (const MenuItem& item : entry.items) {
            if (item.command == MenuCommand::Separator) {
                menu->addSeparator();
            } else {
                menu->addAction(qString(item.caption))->setCheckable(item.era != 0);
            }
        }
    }
    window.resize(pixels(kClientWidthTwips),
                  pixels(kClientHeightTwips) + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
