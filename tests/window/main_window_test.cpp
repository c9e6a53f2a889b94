#include "window/window_fixture.h"

#include <cmath>
#include <fstream>

using namespace vantoriku;
using vantoriku::testing::BoxCloser;
using vantoriku::testing::MainWindowTest;
using vantoriku::testing::str;

namespace {

// A field's own menu, opened from the keyboard.
QWidget* menuOf(QLineEdit* field) {
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2}, field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &menuKey);
    return QApplication::activePopupWidget();
}

} // namespace

TEST_F(MainWindowTest, OpensInItsStartStateWithTheFocusInTheFirstAnswer) {
    EXPECT_EQ(window.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}})) << "the icon's sizes";
    EXPECT_EQ(str(caption("prompt")), "\u3000最初に時代を選択してください");
    EXPECT_EQ(spoken(field(1), QAccessible::Description), caption("prompt")) << "what a screen reader hears first";
    EXPECT_EQ(control<QScrollArea>("clientScroll")->viewport()->size(), QSize(728, 512)) << "the sheet not all shown";
    window.resize(1000, 800);
    EXPECT_EQ(window.clientArea().geometry(), QRect(0, 0, 728, 512)) << "the sheet moved or grew in a larger window";
    EXPECT_TRUE(control("scoreButton")->isEnabled());
    EXPECT_FALSE(control("evaluateButton")->isEnabled());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    QStringList tabOrder{"answer1"}; // the answers in order, then the buttons
    for (QWidget* next = field(1)->nextInFocusChain(); next != field(1); next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus)
            tabOrder << next->objectName();
    EXPECT_EQ(str(tabOrder.first(3).join(' ')), "answer1 answer2 answer3");
    EXPECT_EQ(str(tabOrder.sliced(kSheetRows - 2).join(' ')),
              "answer39 answer40 scoreButton evaluateButton clearButton");
    QStringList items;
    for (const char* menu : {"fileMenu", "eraMenu", "helpMenu"})
        for (QAction* item : control<QMenu>(menu)->actions())
            items << item->text() + item->shortcut().toString(); // no item has a key
    EXPECT_EQ(str(items.join(' ')), "印刷 クリア  終了 奈良から鎌倉 室町から江戸 明治から昭和 昭和から平成 目次");
}

// However text gets into a field, scoring reads what the field shows; pasted
// and dropped text keeps its first line, as in a native single-line field.
// Japanese input methods turn digits into full-width ones unless the field
// keeps them out; then a typed key arrives as typed, and Alt with a letter,
// meant for the menus, types nothing.
TEST_F(MainWindowTest, TextEnteredAnyWayReachesTheSheet) {
    EXPECT_FALSE(field(1)->inputMethodQuery(Qt::ImEnabled).toBool()) << "an answer field takes input methods";
    QTest::keyClick(field(2), Qt::Key_5);
    QTest::keyClick(field(2), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(field(2), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(field(2), Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(window.sheet().answer(2), "538") << "typed 5, keypad 3, Alt+F, keypad 8";
    // The field's own menu, in the window's language, each item on only when it can act.
    QGuiApplication::clipboard()->setText("1");
    field(2)->setSelection(0, 2);
    QWidget* menu = menuOf(field(2));
    QStringList items;
    for (const QAction* item : menu->actions())
        items << (item->isSeparator() ? "|" : item->text().section('\t', 0, 0) + (item->isEnabled() ? "" : " (off)"));
    menu->close();
    EXPECT_EQ(str(items.join(", ")), "元に戻す, やり直し (off), |, 切り取り, コピー, 貼り付け, 削除, |, すべて選択")
        << "the answer field's menu";
    // What the AT-SPI bridge does for SetTextContents.
    QAccessible::queryAccessibleInterface(field(1))->editableTextInterface()->replaceText(0, 0, "538");
    EXPECT_EQ(window.sheet().answer(1), "538") << "text set by an assistive tool";
    const auto drop = [](QLineEdit* f) {
        QMimeData data;
        data.setText(QGuiApplication::clipboard()->text());
        QDragEnterEvent enter({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f, &enter);
        QApplication::sendEvent(f, &drop);
    };
    const std::pair<std::function<void(QLineEdit*)>, const char*> ways[] = {
        {[](QLineEdit* f) { QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier); }, "Ctrl+V"}, {drop, "a drop"}};
    for (const auto& [text, kept] : {std::pair{"603\r\n4", "603"}, {" ６0 3\n", " ６0 3"}}) {
        QGuiApplication::clipboard()->setText(text);
        for (const auto& [enter, way] : ways) {
            field(3)->clear();
            enter(field(3));
            EXPECT_EQ(window.sheet().answer(3), kept) << way << " of \"" << text << '"';
        }
    }
}

// A drill by keyboard and mouse. A screen reader speaks a field as it stands
// when it learns that the field took the focus, and it learns of the focus
// and of each write in the order they happen: so the first answer takes the
// focus before scoring writes it and then holds the era's result; choosing
// an era starts over there; and a button that goes off never leaves the
// focus on クリア, where one more Space would empty every mark unread. (The
// focus, or where it returns to once the window is active again.)
TEST_F(MainWindowTest, ADrillThroughTheWidgetsWithTheFocusWhereAScreenReaderReadsOn) {
    QTest::keyClick(field(1), Qt::Key_F10);
    EXPECT_TRUE(control("fileMenu")->isVisible()) << "F10, as elsewhere on the desktop, does not open ファイル";
    control("fileMenu")->close();
    control("clearButton")->setFocus();
    trigger("era1Item");
    EXPECT_EQ(str(window.focusWidget()->objectName()), "answer1") << "the focus after choosing an era";
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "") << "the prompt is gone";
    QTest::keyClicks(field(1), "538");
    QTest::keyClicks(field(2), "593");
    BoxCloser boxes([this](QMessageBox& box) { // the level, then the message that asks for an era
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(str(box.windowTitle()), "Vantoriku");
        EXPECT_EQ(box.font(), window.font()) << "the window's face";
        EXPECT_EQ(spoken(&box, QAccessible::Description), box.text()) << "a screen reader skips the message";
    });
    const auto pressWithSpace = [this](const char* button) {
        control(button)->setFocus();
        QTest::keyClick(control(button), Qt::Key_Space);
    };
    { // what happens, in order, while a Space presses 採点
        QStringList happened;
        const QObject listening; // the connections end with it
        QObject::connect(
            qApp, &QApplication::focusChanged, &listening,
            [&](QWidget*, QWidget* now) { happened << "focus " + now->objectName(); });
        QObject::connect(field(1), &QLineEdit::textChanged, &listening, [&] { happened << "text answer1"; });
        pressWithSpace("scoreButton");
        EXPECT_EQ(str(happened.join(", ")), "focus scoreButton, focus answer1, text answer1")
            << "the focus moves first, once";
    }
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "奈良から鎌倉、40問中2問正解、正答率5%、赤、30%未満");
    field(7)->setFocus();
    trigger("printItem");
    EXPECT_FALSE(services.buttonsPrinted) << "採点 or 総合評価 on the printed page";
    EXPECT_EQ(QApplication::focusWidget(), field(7)) << "printing, which hides two buttons, moved the focus";
    for (const char* button : {"scoreButton", "evaluateButton"})
        EXPECT_TRUE(control(button)->isVisible()) << button << " not shown again after printing";
    trigger("clearItem"); // the menu's clear leaves scoring off, the button's turns it on
    EXPECT_FALSE(control("scoreButton")->isEnabled());
    click("clearButton");
    for (const char* era : {"era2Item", "era3Item", "era4Item"}) {
        trigger(era);
        click("scoreButton");
    }
    EXPECT_FALSE(field(31)->isVisible()) << "era 4 has thirty rows";
    EXPECT_TRUE(control<QAction>("era4Item")->isChecked());
    EXPECT_FALSE(control<QAction>("era3Item")->isChecked()) << "the mark of the era chosen before";
    pressWithSpace("evaluateButton");
    EXPECT_EQ(str(caption("level")), "初級");
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)),
              "総合、150問中2問正解、正答率1%、赤、30%未満、レベルは初級")
        << "what a screen reader hears after the evaluation";
    EXPECT_EQ(str(window.focusWidget()->objectName()), "answer1") << "the focus after the evaluation";
    click("clearButton");
    window.sheet().setQuestionCaption(1, ""); // no era on the sheet
    pressWithSpace("scoreButton");
    EXPECT_EQ(str(window.focusWidget()->objectName()), "answer1") << "the focus after the box that asks for an era";
    EXPECT_EQ(str(boxes.shown.join(" | ")), "あなたのレベルは初級です。残念でした | 時代を選択してください");
    window.sheet().setCaption(Cell::Era1Score, "30");
    click("total");
    EXPECT_EQ(str(caption("total")), "30") << "a click on the total did not post it";
}

TEST_F(MainWindowTest, AssistiveToolsHearEachQuestionAndEachCellWithItsGrade) {
    trigger("era4Item");
    EXPECT_EQ(str(spoken(field(30), QAccessible::Name)), "インド・パキスタンが核実験実施");
    for (const int row : {1, 30}) {
        const auto labelled = QAccessible::queryAccessibleInterface(control("question" + QString::number(row)))
                                  ->relations(QAccessible::Labelled);
        EXPECT_EQ(labelled.value(0).first->object(), field(row)) << "question " << row << " labels no answer";
    }
    window.sheet().setCaption(Cell::Era1Percentage, "87");
    EXPECT_EQ(control("era1Percentage")->palette().color(QPalette::WindowText), QColor(Qt::blue)) << "87 %";
    window.sheet().setCaption(Cell::Era2Percentage, "0");
    window.sheet().setCaption(Cell::TotalPercentage, "50");
    // clang-format off
    const std::pair<const char*, const char*> cells[] = {{"era1Score", "奈良から鎌倉 得点"}, {"era4Score", "昭和から平成 得点"},
        {"era1Percentage", "奈良から鎌倉 正答率、青、79%以上"}, {"era2Percentage", "室町から江戸 正答率、赤、30%未満"},
        {"totalPercentage", "総合 正答率、黒、30%以上79%未満"}, {"total", "総合 得点"}, {"level", "レベル"}};
    // clang-format on
    for (const auto& [cell, description] : cells)
        EXPECT_EQ(str(spoken(control(cell), QAccessible::Description)), description) << cell;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) // Qt's announcements, which screen readers speak at once
    static QStringList heard;               // "polite: the message"
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (const auto* said = dynamic_cast<QAccessibleAnnouncementEvent*>(event))
            heard << (said->politeness() == QAccessible::AnnouncementPoliteness::Polite ? "polite: " : "assertive: ") +
                         said->message();
    });
    for (const int era : {1, 2, 3})
        window.sheet().setCaption(eraCells(era).score, "40");
    click("scoreButton");
    const BoxCloser box;
    click("evaluateButton");
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_EQ(str(heard.join(" | ")), "polite: 昭和から平成、30問中0問正解、正答率0%、赤、30%未満 | "
                                      "polite: 総合、150問中120問正解、正答率80%、青、79%以上、レベルは上級")
        << "採点 and 総合評価 did not announce the result once each, in its turn";
#endif
}

// A control in the words of lettering.txt: "era3Score 632 256 25 17 12 bold underlined centre".
std::string lettering(QWidget* widget) {
    const QRect at = widget->geometry();
    const QFont font = widget->font();
    QStringList words{widget->objectName()};
    for (const int number : {at.x(), at.y(), at.width(), at.height(), font.pixelSize()})
        words << QString::number(number);
    QStringList style{font.bold() ? "bold" : "", font.italic() ? "italic" : "", font.underline() ? "underlined" : "",
                      font.stretch() != 100 ? "narrowed" : ""};
    style.removeAll("");
    words << (style.isEmpty() ? "regular" : style.join(' '));
    const auto* label = qobject_cast<QLabel*>(widget);
    const auto alignment = label ? label->alignment() & Qt::AlignHorizontal_Mask : Qt::Alignment();
    words << (!label ? "-" : alignment == Qt::AlignLeft ? "left" : alignment == Qt::AlignRight ? "right" : "centre");
    return str(words.join(' '));
}

// Pixels and letters written out by hand in lettering.txt, not taken from the layout table. Run at
// several scales too, where the window opens centred and, on a screen it would overflow, smaller.
TEST_F(MainWindowTest, ControlsStandAndAreLetteredAsTheLetteringTableSaysInAWindowCentredOnTheScreen) {
    const QRect screen = window.screen()->availableGeometry(), frame = window.frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << "part of the window is off the screen";
    // Centred, unless a compositor places windows, as on Wayland.
    const QPoint centre = QGuiApplication::platformName() == "wayland" ? frame.center() : screen.center();
    EXPECT_EQ(frame.center(), centre) << "not centred";
    std::ifstream table(VANTORIKU_LETTERING_TABLE);
    for (std::string line; std::getline(table, line);) {
        const QString row = QString::fromStdString(line).simplified();
        if (row.isEmpty() || row.startsWith('#'))
            continue;
        EXPECT_EQ(lettering(control(row.section(' ', 0, 0))), str(row)) << "in lettering.txt";
    }
    // IPA's face, by whichever of its names the locale lists it.
    EXPECT_EQ(str(QFontInfo(window.font()).family()), str(QFontInfo(QFont("IPAPGothic")).family()))
        << "the window's face";
    // Each face asked for but not installed costs the start a search for substitutes.
    for (const QString& family : window.font().families())
        EXPECT_TRUE(QFontDatabase::hasFamily(family)) << str(family) << " not installed";
}

// The ink of a label's or a button's letters where the window draws them, at the control's place in the sheet,
// which at some scales starts part-way through a device pixel: a button drawn with its caption less drawn without.
int lettersInk(QWidget* control) {
    const auto ink = [control] {
        // Drawn from the same fraction of a device pixel as in the window.
        const qreal ratio = control->devicePixelRatioF();
        const QPointF at = QPointF(control->pos()) * ratio;
        QImage drawn((QSizeF(control->size()) * ratio).toSize() + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        painter.translate(QPointF(at.x() - std::floor(at.x()), at.y() - std::floor(at.y())) / ratio);
        control->render(&painter);
        painter.end();
        int ink = 0; // pixels darker than a light grey
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                ink += qGray(drawn.pixel(x, y)) < 200 ? 1 : 0;
        return ink;
    };
    auto* button = qobject_cast<QPushButton*>(control);
    if (!button)
        return ink();
    const QString caption = button->text();
    const int withCaption = ink();
    button->setText("");
    const int bare = ink();
    button->setText(caption);
    return withCaption - bare;
}

// Run at several scales and with each Japanese face alone: at start, with the score table at its
// widest and in every era, no caption loses ink to the edges of its cell or button.
TEST_F(MainWindowTest, EveryCaptionShowsWhole) {
    QHash<QWidget*, QString> checked; // each caption once
    const auto checkAll = [&](const char* when) {
        for (QWidget* each : window.clientArea().findChildren<QWidget*>()) {
            const QString caption = each->property("text").toString();
            if ((!qobject_cast<QLabel*>(each) && !qobject_cast<QPushButton*>(each)) ||
                std::exchange(checked[each], caption) == caption)
                continue;
            const int inCell = lettersInk(each);
            // Room all round the letters, which stand still: a button's stay centred, a label's stay
            // aligned in its text's box, which moves down inside the label.
            const QRect cell = each->geometry();
            auto* label = qobject_cast<QLabel*>(each);
            const auto align = label ? label->alignment() & Qt::AlignHorizontal_Mask : Qt::AlignHCenter;
            const int left = align == Qt::AlignRight ? 32 : align == Qt::AlignHCenter ? 16 : 0;
            each->setGeometry(cell.adjusted(-left, -16, 32 - left, 16));
            each->setContentsMargins(0, label ? 16 : 0, 0, label ? 16 : 0);
            const int whole = lettersInk(each);
            each->setContentsMargins(0, 0, 0, 0);
            each->setGeometry(cell);
            // A button's shading differs with its size, and moves an edge pixel or two.
            EXPECT_LE(whole - inCell, label ? 0 : whole / 100)
                << str(each->objectName()) << " \"" << str(each->property("text").toString()) << "\" cut " << when
                << " at scale " << each->devicePixelRatio();
        }
    };
    checkAll("at start");
    for (const Cell cell : kCells)
        if (cell != Cell::Prompt)
            window.sheet().setCaption(cell, isPercentageCell(cell) ? "100" : cell == Cell::Level ? "完璧" : "150");
    for (const char* era : {"era1Item", "era2Item", "era3Item", "era4Item"}) {
        trigger(era);
        checkAll(era);
    }
}
