// The floor for start-up: the main window as Qt alone draws it, made with
// plain Qt calls straight from the layout table. The same controls stand at
// the same places with the same faces and start captions, under the same
// menus, with the same title, frame and icon; nothing else of the program's
// own: no sheet, handlers, style, palette, fitting of captions, scroll area,
// accessible texts, placement, translator or warm-up thread.
#include "drill/message_box.h"
#include "window/layout_table.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

using namespace vantoriku;

QString qString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The faces the program asks for: those of its list that are installed, with
// the same strategy and sizes, so that the font work is the same as its own.
QFont fontFor(const Lettering& lettering) {
    static const QStringList families = [] {
        QStringList installed;
        for (const std::string_view family : windowFontFamilies()) {
            if (QFontDatabase::hasFamily(qString(family))) {
                installed << qString(family);
            }
        }
        return installed;
    }();
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(lettering.pixelSize == 0 ? kWindowFontPixels : lettering.pixelSize);
    font.setBold(lettering.bold);
    font.setItalic(lettering.italic);
    font.setUnderline(lettering.underline);
    font.setStretch(lettering.stretch);
    return font;
}

QWidget* controlFor(const LayoutRow& row, QWidget* client) {
    switch (row.kind) {
    case ControlKind::Label: {
        // The prompt is the only cell with a caption at start.
        auto* label = new QLabel(
            row.cell == Cell::Label41 ? QString::fromUtf8(kPrompt) : qString(row.caption), client);
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
        button->setEnabled(row.command != Command::Command2); // 総合評価 is off at start
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
    window.setWindowTitle(QString::fromUtf8(kApplicationTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/vantoriku-16.png"));
    icon.addFile(QStringLiteral(":/icons/vantoriku-32.png"));
    window.setWindowIcon(icon);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
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
