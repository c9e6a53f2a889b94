#include "window/main_window.h"

#include "content/question_bank.h"
#include "window/controls.h"
#include "window/layout_table.h"

#include <QAction>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

namespace vantoriku {
namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect pixelRect(const ControlSpec& control) {
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

std::size_t indexOf(Cell cell) {
    return static_cast<std::size_t>(std::ranges::find(kCells, cell) - kCells.begin());
}

QColor toQColor(Colour colour) {
    return {static_cast<int>(colour.bgr & 0xFF), static_cast<int>((colour.bgr >> 8) & 0xFF),
            static_cast<int>((colour.bgr >> 16) & 0xFF)};
}

// A light dialog palette of the window's own, so the red, black and blue of
// the score cells stay readable under a dark desktop theme.
QPalette lightPalette() {
    QPalette palette;
    const QColor face(0xF0, 0xF0, 0xF0);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, Qt::darkGray);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, QColor(0x6D, 0x6D, 0x6D));
    }
    return palette;
}

// What a screen reader says a cell of the score table is.
QString cellDescription(Cell cell) {
    for (const Era& era : QuestionBank::eras()) {
        if (static_cast<int>(cell) == era.scoreLabel) {
            return text(era.menuCaption) + QStringLiteral(" 得点");
        }
        if (static_cast<int>(cell) == era.percentageLabel) {
            return text(era.menuCaption) + QStringLiteral(" 正答率");
        }
    }
    switch (cell) {
    case Cell::Label64:
        return QStringLiteral("総合 得点");
    case Cell::Label66:
        return QStringLiteral("総合 正答率");
    case Cell::Label69:
        return QStringLiteral("レベル");
    default:
        return {};
    }
}

// The grade a colour stands for, in words, so colour is not the only cue.
QString gradeInWords(Colour colour) {
    if (colour == kRed) {
        return QStringLiteral("30%未満");
    }
    if (colour == kBlue) {
        return QStringLiteral("79%以上");
    }
    return QStringLiteral("30%以上79%未満");
}

// The window's faces in order of preference, less those not installed: Qt
// runs a slow search for substitutes of every missing face it is asked for,
// once per size and style, even when a later face in the list is there. With
// none of them installed, Qt may search: a substitute beats missing glyphs.
const QStringList& installedFamilies() {
    static const QStringList installed = [] {
        const QStringList available = QFontDatabase::families();
        QStringList wanted;
        QStringList families;
        for (const std::string_view family : windowFontFamilies()) {
            wanted << text(family);
            if (available.contains(wanted.back(), Qt::CaseInsensitive)) {
                families << wanted.back();
            }
        }
        return families.isEmpty() ? wanted : families;
    }();
    return installed;
}

} // namespace

QFont Form1::fontFor(const FontSpec& size) {
    QFont font;
    font.setFamilies(installedFamilies());
    font.setStyleHint(QFont::SansSerif);
    // The listed faces hold every fixed caption (a test checks it), so skip the
    // per-script fallback search that otherwise dominates start-up.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(size.pixelSize == 0 ? kWindowFontPixels : size.pixelSize);
    font.setBold(size.bold);
    font.setItalic(size.italic);
    font.setUnderline(size.underline);
    return font;
}

Form1::Form1(WindowServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("Form1");
    setWindowTitle(kApplicationTitle);
    QIcon icon;
    icon.addFile(":/icons/vantoriku-16.png");
    icon.addFile(":/icons/vantoriku-32.png");
    setWindowIcon(icon);
    // A sizable frame with minimise and close but no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setPalette(lightPalette());
    setFont(fontFor({}));

    client_ = new QWidget(this);
    client_->setObjectName("clientArea");
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    createControls();
    createMenus();
    setTabOrder();
    for (std::size_t row = 0; row < questionLabels_.size(); ++row) {
        questionLabels_[row]->setBuddy(answerFields_[row]); // the label-for relation
    }

    renderAll();
    sheet_.addListener([this](const Member& member) { render(member); });
    resize(pixels(kClientWidthTwips), pixels(kClientHeightTwips) + menuBar()->sizeHint().height());
}

void Form1::createControls() {
    for (const ControlSpec& control : layoutTable()) {
        QWidget* widget = nullptr;
        const QString name = text(control.name);
        switch (control.kind) {
        case ControlKind::Label: {
            auto* label = new SheetLabel(client_);
            label->setText(text(control.caption));
            label->setAlignment(alignmentOf(control.alignment) | Qt::AlignTop);
            if (control.blackText) {
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, Qt::black);
                label->setPalette(palette);
            }
            const int number = name.mid(5).toInt();
            if (number >= 1 && number <= 40) {
                questionLabels_[static_cast<std::size_t>(number - 1)] = label;
            } else if (const auto cell = cellOfLabel(number)) {
                cellLabels_[indexOf(*cell)] = label;
                label->setAccessibleDescription(cellDescription(*cell));
            }
            if (name == "Label64") {
                connect(label, &SheetLabel::clicked, this, [this] { drill_.Label64_Click(); });
            }
            widget = label;
            break;
        }
        case ControlKind::AnswerField: {
            auto* field = new AnswerField(client_);
            const int row = name.mid(4).toInt();
            answerFields_[static_cast<std::size_t>(row - 1)] = field;
            // Typing, input methods, paste, undo, drops and assistive tools all
            // change the text; the window's own writes are already in the sheet.
            connect(field, &QLineEdit::textChanged, this, [this, row](const QString& text) {
                if (!drawing_) {
                    sheet_.setAnswer(row, text.toStdString());
                }
            });
            widget = field;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text(control.caption), client_);
            button->setAutoDefault(false);
            button->setDefault(false);
            if (name == "Command1") {
                command1_ = button;
                connect(button, &QPushButton::clicked, this, [this] { drill_.Command1_Click(); });
            } else if (name == "Command2") {
                command2_ = button;
                connect(button, &QPushButton::clicked, this, [this] { drill_.Command2_Click(); });
            } else {
                command3_ = button;
                connect(button, &QPushButton::clicked, this, [this] { drill_.Command3_Click(); });
            }
            widget = button;
            break;
        }
        case ControlKind::Rule:
            widget = new RuleWidget(client_);
            break;
        }
        widget->setObjectName(name);
        widget->setGeometry(pixelRect(control));
        if (control.font.pixelSize != 0) {
            widget->setFont(fontFor(control.font));
        }
    }
}

void Form1::createMenus() {
    menuBar()->setNativeMenuBar(false); // the client area starts right below it
    menuBar()->setObjectName("menuBar");
    const auto addMenu = [this](const char* name, const char* title) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        menu->setObjectName(name);
        menu->setFont(font());
        menu->setPalette(palette());
        return menu;
    };
    const auto addItem = [this](QMenu* menu, const char* name, std::string_view title,
                                auto handler) {
        QAction* action = menu->addAction(text(title));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* file = addMenu("munfail", "ファイル");
    addItem(file, "munprintitem", "印刷", [this] { munprintitem_Click(); });
    addItem(file, "muncliaitem", "クリア", [this] { drill_.muncliaitem_Click(); });
    file->addSeparator()->setObjectName("mun");
    addItem(file, "munquititem", "終了", [this] { munquititem_Click(); });

    QMenu* eras = addMenu("munjidai", "時代選択");
    auto* marks = new CheckedMarkOnlyStyle(QStyleFactory::create(style()->name()));
    marks->setParent(eras);
    eras->setStyle(marks);
    for (const Era& era : QuestionBank::eras()) {
        const std::string name(era.menuItem);
        QAction* item = addItem(eras, name.c_str(), era.menuCaption,
                                [this, number = era.number] { drill_.selectEra(number); });
        // Qt toggles the mark before triggered(); the selection then sets it from the sheet.
        item->setCheckable(true);
        eraItems_[static_cast<std::size_t>(era.number - 1)] = item;
    }

    QMenu* help = addMenu("help", "ヘルプ");
    addItem(help, "mokuji", "目次", [this] { mokuji_Click(); });
}

void Form1::setTabOrder() {
    QWidget* previous = answerFields_[0];
    const auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (std::size_t i = 1; i < answerFields_.size(); ++i) {
        chain(answerFields_[i]);
    }
    chain(command1_);
    chain(command2_);
    chain(command3_);
}

void Form1::render(const Member& member) {
    const auto at = static_cast<std::size_t>(member.index - 1);
    switch (member.kind) {
    case Member::Kind::QuestionCaption: {
        const QString caption = QString::fromStdString(sheet_.questionCaption(member.index));
        questionLabels_[at]->setText(caption);
        answerFields_[at]->setAccessibleName(caption); // the field is the answer to this question
        break;
    }
    case Member::Kind::Answer: {
        const QString answer = QString::fromStdString(sheet_.answer(member.index));
        // The field that the user types in already shows the text; setting it
        // again would move the cursor.
        if (answerFields_[at]->text() != answer) {
            const QScopedValueRollback drawing(drawing_, true);
            answerFields_[at]->setText(answer);
        }
        break;
    }
    case Member::Kind::AnswerVisible:
        answerFields_[at]->setVisible(sheet_.answerVisible(member.index));
        break;
    case Member::Kind::Caption:
    case Member::Kind::Foreground: {
        const Cell cell = static_cast<Cell>(member.index);
        SheetLabel* label = cellLabels_[indexOf(cell)];
        if (member.kind == Member::Kind::Caption) {
            label->setText(QString::fromStdString(sheet_.caption(cell)));
        } else {
            const Colour colour = *sheet_.foreground(cell);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, toQColor(colour));
            label->setPalette(palette);
            label->setAccessibleDescription(cellDescription(cell) + QStringLiteral("、") +
                                            gradeInWords(colour));
        }
        break;
    }
    case Member::Kind::ButtonEnabled:
    case Member::Kind::ButtonVisible: {
        const auto which = static_cast<Button>(member.index);
        QPushButton* button = which == Button::Command1 ? command1_ : command2_;
        if (member.kind == Member::Kind::ButtonEnabled) {
            button->setEnabled(sheet_.enabled(which));
        } else {
            button->setVisible(sheet_.visible(which));
        }
        break;
    }
    case Member::Kind::EraChecked:
        eraItems_[at]->setChecked(sheet_.eraChecked(member.index));
        break;
    }
}

void Form1::renderAll() {
    using Kind = Member::Kind;
    for (int row = 1; row <= kSheetRows; ++row) {
        for (const Kind kind : {Kind::QuestionCaption, Kind::Answer, Kind::AnswerVisible}) {
            render({kind, row});
        }
    }
    for (const Cell cell : kCells) {
        render({Kind::Caption, static_cast<int>(cell)});
        if (isPercentageCell(cell) && sheet_.foreground(cell)) {
            render({Kind::Foreground, static_cast<int>(cell)});
        }
    }
    for (const Button button : {Button::Command1, Button::Command2}) {
        render({Kind::ButtonEnabled, static_cast<int>(button)});
        render({Kind::ButtonVisible, static_cast<int>(button)});
    }
    for (int era = 1; era <= kEraCount; ++era) {
        render({Kind::EraChecked, era});
    }
}

void Form1::Form_Load() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    show();
    answerFields_[0]->setFocus(Qt::OtherFocusReason);
}

void Form1::mokuji_Click() {
    services_.showHelp(*this);
}

void Form1::munprintitem_Click() {
    sheet_.setVisible(Button::Command1, false);
    sheet_.setVisible(Button::Command2, false);
    std::string failure;
    const bool printed = services_.printClientArea(*client_, failure);
    sheet_.setVisible(Button::Command1, true);
    sheet_.setVisible(Button::Command2, true);
    if (!printed) {
        messageBox_.show(failure);
    }
}

void Form1::munquititem_Click() {
    services_.quit();
}

} // namespace vantoriku
