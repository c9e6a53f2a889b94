#include "window/appearance.h"
#include "window/placement.h"
#include "window/window_fixture.h"

#include <cmath>
#include <fstream>
#include <iostream>

using namespace vantoriku;
using vantoriku::testing::BoxCloser;
using vantoriku::testing::Form1Test;
using vantoriku::testing::str;

namespace {

int inkIn(const QImage& image, const QRect& area, int below) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += qGray(image.pixel(x, y)) < below ? 1 : 0;
    return ink;
}

} // namespace

TEST_F(Form1Test, OpensInItsStartStateWithTheFocusInTheFirstAnswer) {
    EXPECT_EQ(str(form.windowTitle()), "Vantoriku");
    EXPECT_EQ(str(caption("Label41")), "\u3000最初に時代を選択してください");
    EXPECT_EQ(spoken(field(1), QAccessible::Description), caption("Label41")) << "what a screen reader hears first";
    EXPECT_EQ(control<QScrollArea>("clientScroll")->viewport()->size(), QSize(728, 512)) << "the sheet not all shown";
    EXPECT_TRUE(control("Command1")->isEnabled());
    EXPECT_FALSE(control("Command2")->isEnabled());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    QStringList tabOrder{"Text1"}; // the answers in order, then the buttons
    for (QWidget* next = field(1)->nextInFocusChain(); next != field(1); next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus)
            tabOrder << next->objectName();
    EXPECT_EQ(str(tabOrder.first(3).join(' ')), "Text1 Text2 Text3");
    EXPECT_EQ(str(tabOrder.sliced(kSheetRows - 2).join(' ')), "Text39 Text40 Command1 Command2 Command3");
    QStringList items;
    for (const char* menu : {"munfail", "munjidai", "help"})
        for (QAction* item : control<QMenu>(menu)->actions())
            items << item->text() + item->shortcut().toString(); // no item has a key
    EXPECT_EQ(str(items.join(' ')), "印刷 クリア  終了 奈良から鎌倉 室町から江戸 明治から昭和 昭和から平成 目次");
}

// Run at several scales, on screens the window fits and screens it would overflow, where it opens smaller.
TEST_F(Form1Test, OpensCentredAndWhollyOnTheScreen) {
    if (QGuiApplication::platformName() == "wayland")
        GTEST_SKIP() << "the compositor places windows";
    const QRect screen = form.screen()->availableGeometry(), frame = form.frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << "part of the window is off the screen";
    EXPECT_EQ(frame.center(), screen.center()) << "not centred";
}

// However text gets into a field, scoring reads what the field shows; pasted
// and dropped text keeps its first line, as in a native single-line field.
// Japanese input methods turn digits into full-width ones unless the field
// keeps them out; then a typed key arrives as typed, and Alt with a letter,
// meant for the menus, types nothing.
TEST_F(Form1Test, TextEnteredAnyWayReachesTheSheet) {
    EXPECT_FALSE(field(1)->inputMethodQuery(Qt::ImEnabled).toBool()) << "an answer field takes input methods";
    QTest::keyClick(field(2), Qt::Key_5);
    QTest::keyClick(field(2), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(field(2), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(field(2), Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(form.sheet().answer(2), "538") << "typed 5, keypad 3, Alt+F, keypad 8";
    // What the AT-SPI bridge does for SetTextContents.
    QAccessible::queryAccessibleInterface(field(1))->editableTextInterface()->replaceText(0, 0, "538");
    EXPECT_EQ(form.sheet().answer(1), "538") << "text set by an assistive tool";
    const auto pasteFromMenu = [](QLineEdit* f) {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2}, f->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(f, &menuKey);
        for (QAction* item : QApplication::activePopupWidget()->actions())
            if (item->text().startsWith("貼り付け"))
                item->trigger();
        QApplication::activePopupWidget()->close();
    };
    const auto drop = [](QLineEdit* f) {
        QMimeData data;
        data.setText(QGuiApplication::clipboard()->text());
        QDragEnterEvent enter({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f, &enter);
        QApplication::sendEvent(f, &drop);
    };
    const std::pair<std::function<void(QLineEdit*)>, const char*> ways[] = {
        {[](QLineEdit* f) { QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier); }, "Ctrl+V"},
        {pasteFromMenu, "the context menu's 貼り付け"},
        {drop, "a drop"}};
    QGuiApplication::clipboard()->setText(QString(40000, '1'));
    QTest::keyClick(field(4), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.sheet().answer(4).size(), 40000) << "the field has a length limit";
    for (const auto& [text, kept] : {std::pair{"603\r\n4", "603"}, {" ６0 3\n", " ６0 3"}}) {
        QGuiApplication::clipboard()->setText(text);
        for (const auto& [enter, way] : ways) {
            field(3)->clear();
            enter(field(3));
            EXPECT_EQ(form.sheet().answer(3), kept) << way << " of \"" << text << '"';
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
TEST_F(Form1Test, ADrillThroughTheWidgetsWithTheFocusWhereAScreenReaderReadsOn) {
    QTest::keyClick(field(1), Qt::Key_F10);
    EXPECT_TRUE(control("munfail")->isVisible()) << "F10, as elsewhere on the desktop, does not open ファイル";
    control("munfail")->close();
    control("Command3")->setFocus();
    trigger("jidai1");
    EXPECT_EQ(str(form.focusWidget()->objectName()), "Text1") << "the focus after choosing an era";
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "") << "the prompt is gone";
    QTest::keyClicks(field(1), "538");
    QTest::keyClicks(field(2), "593");
    BoxCloser boxes([this](QMessageBox& box) { // the level, then the message that asks for an era
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(str(box.windowTitle()), "Vantoriku");
        EXPECT_EQ(box.font(), form.font()) << "the window's face";
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
        QObject::connect(field(1), &QLineEdit::textChanged, &listening, [&] { happened << "text Text1"; });
        pressWithSpace("Command1");
        EXPECT_EQ(str(happened.join(", ")), "focus Command1, focus Text1, text Text1") << "the focus moves first, once";
    }
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "奈良から鎌倉 2点 5%、30%未満");
    trigger("munprintitem");
    EXPECT_FALSE(services.buttonsPrinted) << "採点 or 総合評価 on the printed page";
    for (const char* button : {"Command1", "Command2"})
        EXPECT_TRUE(control(button)->isVisible()) << button << " not shown again after printing";
    trigger("muncliaitem"); // the menu's clear leaves scoring off, the button's turns it on
    EXPECT_FALSE(control("Command1")->isEnabled());
    click("Command3");
    for (const char* era : {"jidai2", "jidai3", "jidai4"}) {
        trigger(era);
        click("Command1");
    }
    EXPECT_FALSE(field(31)->isVisible()) << "era 4 has thirty rows";
    EXPECT_TRUE(control<QAction>("jidai4")->isChecked());
    EXPECT_FALSE(control<QAction>("jidai3")->isChecked()) << "the mark of the era chosen before";
    pressWithSpace("Command2");
    EXPECT_EQ(str(caption("Label69")), "初級");
    EXPECT_EQ(str(form.focusWidget()->objectName()), "Text1") << "the focus after the evaluation";
    click("Command3");
    form.sheet().setQuestionCaption(1, ""); // no era on the sheet
    pressWithSpace("Command1");
    EXPECT_EQ(str(form.focusWidget()->objectName()), "Text1") << "the focus after the box that asks for an era";
    EXPECT_EQ(str(boxes.shown.join(" | ")), "あなたのレベルは初級です。残念でした | 時代を選択してください");
    form.sheet().setCaption(Cell::Label47, "30");
    for (const auto& [button, at, what] :
         {std::tuple{Qt::RightButton, 5, "right"}, {Qt::LeftButton, 200, "dragged off"}}) {
        QTest::mousePress(control("Label64"), button, {}, {5, 5});
        QTest::mouseRelease(control("Label64"), button, {}, {at, 5});
        EXPECT_EQ(str(caption("Label64")), "2") << "a click " << what << " counted on the total";
    }
    click("Label64");
    EXPECT_EQ(str(caption("Label64")), "30") << "a click on the total";
}

TEST_F(Form1Test, AssistiveToolsHearEachQuestionAndEachCellWithItsGrade) {
    trigger("jidai4");
    EXPECT_EQ(str(spoken(field(30), QAccessible::Name)), "インド・パキスタンが核実験実施");
    const auto labelled = QAccessible::queryAccessibleInterface(control("Label30"))->relations(QAccessible::Labelled);
    EXPECT_EQ(labelled.value(0).first->object(), field(30)) << "Label30 labels no field";
    form.sheet().setCaption(Cell::Label55, "87");
    EXPECT_EQ(control("Label55")->palette().color(QPalette::WindowText), QColor(Qt::blue)) << "87 %";
    form.sheet().setCaption(Cell::Label56, "0");
    form.sheet().setCaption(Cell::Label66, "50");
    // clang-format off
    const std::pair<const char*, const char*> cells[] = {{"Label47", "奈良から鎌倉 得点"}, {"Label54", "昭和から平成 得点"},
        {"Label55", "奈良から鎌倉 正答率、79%以上"}, {"Label56", "室町から江戸 正答率、30%未満"},
        {"Label66", "総合 正答率、30%以上79%未満"}, {"Label64", "総合 得点"}, {"Label69", "レベル"}};
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
    click("Command1");
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_EQ(str(heard.join(" | ")), "polite: 昭和から平成 0点 0%、30%未満")
        << "採点 did not announce the era's result once, in its turn";
#endif
}

// A control in the words of lettering.txt: "Label49 632 256 25 17 12 bold underlined centre".
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

// Pixels and letters written out by hand in lettering.txt, not taken from the layout table.
TEST_F(Form1Test, ControlsStandAndAreLetteredAsTheLetteringTableSays) {
    std::ifstream table(VANTORIKU_LETTERING_TABLE);
    for (std::string line; std::getline(table, line);) {
        const QString row = QString::fromStdString(line).simplified();
        if (row.isEmpty() || row.startsWith('#'))
            continue;
        EXPECT_EQ(lettering(control(row.section(' ', 0, 0))), str(row)) << "in lettering.txt";
    }
    // IPA's face, by whichever of its names the locale lists it.
    EXPECT_EQ(str(QFontInfo(form.font()).family()), str(QFontInfo(QFont("IPAPGothic")).family()))
        << "the window's face";
    // Each face asked for but not installed costs the start a search for substitutes.
    for (const QString& family : form.font().families())
        EXPECT_TRUE(QFontDatabase::hasFamily(family)) << str(family) << " not installed";
}

// The ink of a label's or a button's letters: a button drawn with its caption less drawn without.
int lettersInk(QWidget* control) {
    const auto ink = [control] {
        const QImage drawn = control->grab().toImage();
        return inkIn(drawn, drawn.rect(), 200);
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
TEST_F(Form1Test, EveryCaptionShowsWhole) {
    const auto checkAll = [this](const char* when) {
        for (QWidget* each : form.clientArea().findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(each) && !qobject_cast<QPushButton*>(each))
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
        if (cell != Cell::Label41)
            form.sheet().setCaption(cell, isPercentageCell(cell) ? "100" : cell == Cell::Label69 ? "完璧" : "150");
    for (const char* era : {"jidai1", "jidai2", "jidai3", "jidai4"}) {
        trigger(era);
        checkAll(era);
    }
}

// Shrunk by hand, or opened on a small screen at a large text setting, the window scrolls the
// sheet, and Tab brings each control into view; made larger, it moves nothing.
TEST_F(Form1Test, ASmallWindowScrollsToEveryControlAndALargeOneMovesNothing) {
    auto* scroll = control<QScrollArea>("clientScroll");
    form.resize(500, 400);
    field(40)->setFocus();
    for (const char* next : {"Command1", "Command3"}) { // 総合評価 is off
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QRect shown(control(next)->mapTo(scroll->viewport(), QPoint()), control(next)->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(shown)) << next << " out of sight in a window of 500 × 400";
    }
    form.resize(1000, 800);
    EXPECT_EQ(form.clientArea().geometry(), QRect(0, 0, 728, 512)) << "the sheet moved or grew in a larger window";
}

// WCAG's relative luminance, and the contrast of two colours.
double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}
double contrast(QRgb a, QRgb b) {
    return (std::max(luminance(a), luminance(b)) + 0.05) / (std::min(luminance(a), luminance(b)) + 0.05);
}

// The letters in an area against their ground: its commonest colour against the colour farthest from it.
double lettersContrast(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb ground = std::ranges::max(counts.keys(), {}, [&](QRgb c) { return counts[c]; });
    double farthest = 1;
    for (const QRgb colour : counts.keys())
        farthest = std::max(farthest, contrast(colour, ground));
    return farthest;
}

// Whether the focus, or a highlight, shows all round the area: at least a one-pixel ring's worth of
// pixels change by 3:1 or more between the two drawings.
bool showsAllRound(const QImage& before, const QImage& after, const QRect& area) {
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += contrast(before.pixel(x, y), after.pixel(x, y)) >= 3 ? 1 : 0;
    return changed >= 2 * (area.width() + area.height() - 4); // a ring one pixel inside the edge
}

// Desktops set styles that draw in colours of their own; the window's light face and texts hold under each.
TEST(AppearanceTest, TextsReadAndTheFocusShowsUnderEveryDesktopStyle) {
    for (const QString style : {"Fusion", "Windows", "Breeze", "Adwaita", "Adwaita-Dark", "Adwaita-HighContrast",
                                "Adwaita-HighContrastInverse"}) {
        if (!QStyleFactory::keys().contains(style, Qt::CaseInsensitive)) {
            std::cout << "not installed, not tried: the style " << str(style) << '\n';
            continue;
        }
        QApplication::setStyle(style); // as the desktop sets it, before the program starts
        useProgramLook();
        vantoriku::testing::NoServices services;
        Form1 form(services);
        form.Form_Load();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == form.windowHandle(); }))
            << "the window system did not activate the window";
        const auto widget = [&](const char* name) { return form.findChild<QWidget*>(name); };
        std::vector<std::pair<std::string, double>> texts; // the contrast of each text's letters with their ground
        std::vector<std::pair<std::string, bool>> marks;   // whether the focus or highlight shows all round
        const auto letters = [&](const char* what, QWidget* w, QRect area = {}) {
            texts.emplace_back(what, lettersContrast(w->grab().toImage(), area.isNull() ? w->rect() : area));
        };
        const auto changes = [&](const char* what, QWidget* w, const QRect& area, const std::function<void()>& act) {
            const QImage before = w->grab().toImage();
            act();
            marks.emplace_back(what, showsAllRound(before, w->grab().toImage(), area));
        };
        letters("the prompt", widget("Label41"));
        for (const char* name : {"Text2", "Command3"})
            changes(name, widget(name), widget(name)->rect(), [&] { widget(name)->setFocus(); });
        QMenuBar* bar = form.menuBar();
        const QRect title = bar->actionGeometry(bar->actions().constFirst());
        letters("a menu title", bar, title);
        changes("the first menu title after Alt", bar, title,
                [&] { QTest::keyClick(widget("Text1"), Qt::Key_Alt, Qt::AltModifier); });
        letters("the first menu title after Alt", bar, title);
        QTest::keyClick(bar, Qt::Key_Escape);
        form.findChild<QAction*>("jidai1")->trigger();
        static_cast<QLineEdit*>(widget("Text1"))->setText("正解");
        letters("an answer", widget("Text1"), widget("Text1")->rect().adjusted(3, 3, -3, -3));
        for (const auto& [name, what] : {std::pair{"Label1", "a question"},
                                         {"Label42", "得点"},
                                         {"Command1", "採点"},
                                         {"Command3", "クリア"},
                                         {"Command2", "総合評価 while off"}})
            letters(what, widget(name));
        auto* eras = form.findChild<QMenu*>("munjidai");
        auto* second = form.findChild<QAction*>("jidai2");
        eras->popup(form.mapToGlobal(QPoint(60, 20)));
        changes("the highlighted era", eras, eras->actionGeometry(second), [&] { eras->setActiveAction(second); });
        letters("the highlighted era", eras, eras->actionGeometry(second));
        eras->close();
        const QImage around = form.clientArea().grab(widget("Text3")->geometry().adjusted(-1, -1, 1, 1)).toImage();
        EXPECT_GE(contrast(around.pixel(0, 9), around.pixel(1, 9)), 3)
            << str(style) << ": an answer's border hardly shows";
        form.sheet().setQuestionCaption(1, ""); // no era: 採点 shows a box
        const vantoriku::testing::BoxCloser boxes([&](QMessageBox& box) {
            letters("the box's text", &box, box.findChild<QLabel*>("qt_msgbox_label")->geometry());
            letters("the box's OK", box.button(QMessageBox::Ok));
        });
        QTest::mouseClick(widget("Command1"), Qt::LeftButton);
        for (const auto& [what, ratio] : texts)
            EXPECT_GE(ratio, 4.5) << str(style) << ": " << what << " reads at " << ratio << ":1";
        for (const auto& [what, shows] : marks)
            EXPECT_TRUE(shows) << str(style) << ": " << what << " does not show the keyboard's place all round";
    }
}

// The help opens beside the main window on the side with room for it, narrowed where neither side
// has enough, else over it; on the screen either way.
TEST(PlacementTest, ASecondWindowOpensBesideTheMainWindowWhereThereIsRoomElseOverIt) {
    const QSize help(824, 564);
    const std::tuple<QRect, QRect, QRect, const char*> cases[] = {
        {{0, 0, 1600, 900}, {0, 0, 776, 555}, {776, 0, 824, 564}, "just room on the right"},
        {{0, 0, 1600, 900}, {824, 10, 730, 555}, {0, 10, 824, 564}, "just room on the left only"},
        {{0, 0, 1920, 1080}, {595, 40, 730, 555}, {1325, 40, 595, 564}, "room for a narrower help on either side"},
        {{200, 0, 1600, 900},
         {900, 10, 730, 555},
         {200, 10, 700, 564},
         "more room on the left of a screen further right"},
        {{0, 0, 1366, 768}, {318, 0, 730, 555}, {318, 0, 824, 564}, "too little room on either side"},
        {{0, 0, 800, 600}, {40, 20, 730, 555}, {0, 20, 800, 564}, "a screen narrower than the help"}};
    for (const auto& [screen, main, placed, what] : cases)
        EXPECT_EQ(besideOrOver(help, 560, main, screen), placed) << what;
}
