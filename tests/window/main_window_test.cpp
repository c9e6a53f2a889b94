#include "content/question_bank.h"
#include "window/window_fixture.h"

using namespace vantoriku;
using vantoriku::testing::BoxCloser;
using vantoriku::testing::Form1Test;
using vantoriku::testing::str;

namespace {

int inkIn(const QImage& image, const QRect& area, int below = 200) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += qGray(image.pixel(x, y)) < below ? 1 : 0;
        }
    }
    return ink;
}

} // namespace

TEST_F(Form1Test, OpensInItsStartStateWithTheFocusInTheFirstAnswer) {
    EXPECT_EQ(str(form.windowTitle()), "Vantoriku");
    EXPECT_EQ(str(caption("Label41")), "\u3000最初に時代を選択してください");
    EXPECT_EQ(spoken(field(1), QAccessible::Description), caption("Label41")) << "what a screen reader hears first";
    EXPECT_EQ(form.clientArea().size(), QSize(728, 512));
    EXPECT_TRUE(control("Command1")->isEnabled());
    EXPECT_FALSE(control("Command2")->isEnabled());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    QStringList items;
    for (const char* menu : {"munfail", "munjidai", "help"}) {
        for (QAction* item : control<QMenu>(menu)->actions()) {
            items << item->text() + item->shortcut().toString(); // no item has a key
        }
    }
    EXPECT_EQ(str(items.join(' ')), "印刷 クリア  終了 奈良から鎌倉 室町から江戸 明治から昭和 昭和から平成 目次");
}

// Run at several scales, on screens the window fits and screens it overflows.
TEST_F(Form1Test, OpensWithTheWholeTitleBarInReach) {
    if (QGuiApplication::platformName() == "wayland") {
        GTEST_SKIP() << "the compositor places windows";
    }
    const QRect screen = form.screen()->availableGeometry(), frame = form.frameGeometry();
    const bool fitsAcross = frame.width() <= screen.width(), fitsDown = frame.height() <= screen.height();
    EXPECT_EQ(fitsAcross ? frame.center().x() : frame.left(), fitsAcross ? screen.center().x() : screen.left())
        << (fitsAcross ? "not centred across" : "too wide, and its left edge is off the screen");
    EXPECT_EQ(fitsDown ? frame.center().y() : frame.top(), fitsDown ? screen.center().y() : screen.top())
        << (fitsDown ? "not centred down" : "too high, and its title bar is off the screen");
}

TEST_F(Form1Test, ADrillThroughTheWidgets) {
    BoxCloser boxes([this](QMessageBox& box) { // the message, then the level
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(str(box.windowTitle()), "Vantoriku");
        EXPECT_EQ(box.palette(), form.palette()) << "the window's light colours";
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->role(), QAccessible::AlertMessage);
        EXPECT_EQ(str(caption("Label69")), "") << "the level shows only after OK";
    });
    click("Command1"); // before any era
    trigger("jidai2");
    for (const Question& q : QuestionBank::questionsOf(2)) {
        QTest::keyClicks(field(q.row), q.row <= 30 ? QString::fromLatin1(q.year.data(), 4) : "1");
    }
    QTest::keyClick(field(31), Qt::Key_Backspace);
    click("Command1");
    EXPECT_EQ(str(field(30)->text()), "正解");
    EXPECT_EQ(str(field(31)->text()), "1825") << "emptied by Backspace, then corrected";
    EXPECT_EQ(str(caption("Label56")), "75");
    EXPECT_EQ(control("Label56")->palette().color(QPalette::WindowText), QColor(Qt::black));
    trigger("munprintitem");
    EXPECT_FALSE(services.buttonsPrinted) << "採点 or 総合評価 on the printed page";
    EXPECT_TRUE(control("Command1")->isVisible()) << "not shown again";
    EXPECT_TRUE(control("Command2")->isVisible()) << "not shown again";
    trigger("muncliaitem"); // the menu's clear leaves scoring off, the button's turns it on
    EXPECT_FALSE(control("Command1")->isEnabled());
    click("Command3");
    for (const char* era : {"jidai1", "jidai2", "jidai3", "jidai4"}) {
        trigger(era);
        click("Command1");
    }
    EXPECT_FALSE(field(31)->isVisible()) << "era 4 has thirty rows";
    click("Command2");
    EXPECT_EQ(str(boxes.shown.join(" | ")), "時代を選択してください | あなたのレベルは初級です。残念でした");
    EXPECT_EQ(str(caption("Label69")), "初級");
    form.sheet().setCaption(Cell::Label47, "30");
    const std::tuple<Qt::MouseButton, int, const char*, const char*> clicks[] = {
        {Qt::RightButton, 5, "0", "a right click"},
        {Qt::LeftButton, 200, "0", "a press dragged off"},
        {Qt::LeftButton, 5, "30", "a left click"}};
    for (const auto& [button, releasedAt, total, what] : clicks) {
        QTest::mousePress(control("Label64"), button, {}, {5, 5});
        QTest::mouseRelease(control("Label64"), button, {}, {releasedAt, 5});
        EXPECT_EQ(str(caption("Label64")), total) << what << " on the total";
    }
}

// However text gets into a field, scoring reads what the field shows; pasted
// and dropped text keeps its first line, as in a native single-line field.
TEST_F(Form1Test, TextEnteredAnyWayReachesTheSheet) {
    // What the AT-SPI bridge does for SetTextContents.
    QAccessible::queryAccessibleInterface(field(1))->editableTextInterface()->replaceText(0, 0, "538");
    EXPECT_EQ(form.sheet().answer(1), "538") << "text set by an assistive tool";
    const auto pasteFromMenu = [](QLineEdit* f) {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2}, f->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(f, &menuKey);
        for (QAction* item : QApplication::activePopupWidget()->actions()) {
            item->text().startsWith("貼り付け") ? item->trigger() : void();
        }
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
    for (const auto& [text, kept] : {std::pair{"603\n", "603"}, {"603\r\n4", "603"}, {" ６0 3\r", " ６0 3"}}) {
        QGuiApplication::clipboard()->setText(text);
        for (const auto& [enter, way] : ways) {
            field(3)->clear();
            enter(field(3));
            EXPECT_EQ(form.sheet().answer(3), kept) << way << " of \"" << text << '"';
        }
    }
}

// Japanese input methods turn digits into full-width ones unless the field
// keeps them out; then a typed key arrives as typed, and Alt with a letter,
// meant for the menus, types nothing.
TEST_F(Form1Test, AnswerFieldsKeepInputMethodsOutAndTakeKeysAsTyped) {
    for (int row = 1; row <= kSheetRows; ++row) {
        EXPECT_FALSE(field(row)->inputMethodQuery(Qt::ImEnabled).toBool()) << "Text" << row << " takes input methods";
    }
    QTest::keyClick(field(1), Qt::Key_5);
    QTest::keyClick(field(1), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(field(1), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(field(1), Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(str(field(1)->text()), "538") << "typed 5, keypad 3, Alt+F, keypad 8";
}

// A screen reader speaks a field as it stands when it learns that the field
// took the focus, and it learns of the focus and of each write in the order
// they happen: the first answer takes the focus before scoring writes it,
// and then holds the era's result.
TEST_F(Form1Test, AfterScoringTheFirstAnswerHasTheFocusAndTellsTheResult) {
    trigger("jidai1");
    EXPECT_EQ(str(spoken(field(1), QAccessible::Name)), "仏教伝来") << "the first question";
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "") << "the prompt is gone";
    QTest::keyClicks(field(1), "538");
    QTest::keyClicks(field(2), "593");
    control("Command1")->setFocus();
    QStringList happened;
    const QObject listening; // connections end with it
    QObject::connect(qApp, &QApplication::focusChanged, &listening,
                     [&](QWidget*, QWidget* now) { happened << "focus " + now->objectName(); });
    QObject::connect(field(1), &QLineEdit::textChanged, &listening, [&] { happened << "text Text1"; });
    QTest::keyClick(control("Command1"), Qt::Key_Space);
    EXPECT_EQ(str(happened.join(", ")), "focus Text1, text Text1") << "the focus moves first, once";
    EXPECT_EQ(str(spoken(field(1), QAccessible::Description)), "奈良から鎌倉 2点 5%、30%未満");
}

// Where the focus is, or returns to once the window is active again: a button
// that goes off never leaves it on クリア, where one more Space empties every
// mark unread. Choosing an era starts over at the first question.
TEST_F(Form1Test, NoCommandLeavesTheFocusOnClear) {
    const auto pressWithSpace = [this](const char* button) {
        const BoxCloser boxes;
        control(button)->setFocus();
        QTest::keyClick(control(button), Qt::Key_Space);
    };
    const std::pair<std::function<void()>, const char*> commands[] = {
        {[&] { pressWithSpace("Command1"); }, "the box that asks for an era"},
        {[&] {
             control("Command3")->setFocus();
             trigger("jidai4");
         },
         "choosing an era"},
        {[&] {
             for (const char* era : {"jidai1", "jidai2", "jidai3", "jidai4"}) {
                 trigger(era);
                 click("Command1");
             }
             pressWithSpace("Command2");
         },
         "the evaluation"},
        {[&] {
             control("Command2")->setFocus();
             trigger("munprintitem");
         },
         "printing"}};
    for (const auto& [command, what] : commands) {
        command();
        EXPECT_EQ(str(form.focusWidget()->objectName()), "Text1") << "the focus after " << what;
    }
}

TEST_F(Form1Test, F10OpensTheFirstMenu) {
    QTest::keyClick(field(1), Qt::Key_F10);
    ASSERT_NE(control<QMenuBar>("menuBar")->activeAction(), nullptr) << "F10 highlights no menu";
    EXPECT_TRUE(control("munfail")->isVisible()) << "F10 does not open ファイル";
    control("munfail")->close();
}

TEST_F(Form1Test, AssistiveToolsHearEachQuestionAndEachCellWithItsGrade) {
    trigger("jidai4");
    EXPECT_EQ(str(spoken(field(30), QAccessible::Name)), "インド・パキスタンが核実験実施");
    EXPECT_EQ(str(spoken(field(31), QAccessible::Name)), "") << "a row that era 4 does not have";
    const auto labelled = QAccessible::queryAccessibleInterface(control("Label30"))->relations(QAccessible::Labelled);
    EXPECT_EQ(labelled.value(0).first->object(), field(30)) << "Label30 labels no field";
    form.sheet().setCaption(Cell::Label55, "87");
    form.sheet().setCaption(Cell::Label56, "0");
    form.sheet().setCaption(Cell::Label66, "50");
    const std::pair<const char*, const char*> cells[] = {{"Label47", "奈良から鎌倉 得点"},
                                                         {"Label54", "昭和から平成 得点"},
                                                         {"Label55", "奈良から鎌倉 正答率、79%以上"},
                                                         {"Label56", "室町から江戸 正答率、30%未満"},
                                                         {"Label66", "総合 正答率、30%以上79%未満"},
                                                         {"Label64", "総合 得点"},
                                                         {"Label69", "レベル"}};
    for (const auto& [cell, description] : cells) {
        EXPECT_EQ(str(spoken(control(cell), QAccessible::Description)), description) << cell;
    }
}

// Pixels and letters written out by hand, not taken from the layout table.
TEST_F(Form1Test, ControlsStandAndAreLetteredAsSpecified) {
    struct Lettering {
        const char* name;
        QRect geometry;
        int pixels;
        bool bold, italic, underlined;
        Qt::Alignment alignment; // labels only
        int stretch = 100;
    };
    const auto L = Qt::AlignLeft, C = Qt::AlignHCenter, R = Qt::AlignRight;
    const Lettering controls[] = {{"Label18", {0, 408, 177, 25}, 12, false, false, false, L},
                                  {"Text1", {184, 0, 73, 18}, 12, false, false, false, {}},
                                  {"Label21", {264, 0, 193, 17}, 12, false, false, false, L},
                                  {"Label31", {264, 240, 201, 17}, 12, false, false, false, L},
                                  {"Text40", {464, 456, 81, 18}, 12, false, false, false, {}},
                                  {"Command1", {584, 8, 97, 89}, 24, true, true, true, {}},
                                  {"Label42", {568, 168, 121, 25}, 24, true, true, true, C},
                                  {"Label49", {632, 256, 25, 17}, 12, true, false, true, C},
                                  {"Label58", {680, 280, 25, 17}, 12, false, false, false, R},
                                  {"Label62", {712, 256, 9, 17}, 12, false, false, false, L, 85},
                                  {"Label67", {712, 288, 17, 17}, 12, false, false, false, L},
                                  {"Shape1", {552, 304, 169, 1}, 12, false, false, false, {}},
                                  {"Label63", {552, 312, 65, 17}, 16, true, false, false, C},
                                  {"Label64", {624, 312, 41, 17}, 12, false, false, false, L},
                                  {"Label68", {552, 344, 49, 25}, 13, true, false, false, R},
                                  {"Command2", {552, 376, 177, 33}, 21, true, false, false, {}},
                                  {"Label41", {240, 480, 281, 25}, 19, true, false, false, L}};
    for (const Lettering& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* widget = control(c.name);
        EXPECT_EQ(widget->geometry(), c.geometry);
        EXPECT_EQ(widget->font().pixelSize(), c.pixels);
        EXPECT_EQ(widget->font().bold(), c.bold);
        EXPECT_EQ(widget->font().italic(), c.italic);
        EXPECT_EQ(widget->font().underline(), c.underlined);
        EXPECT_EQ(widget->font().stretch(), c.stretch);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, c.alignment);
        }
    }
    EXPECT_EQ(str(QFontInfo(form.font()).family()), "IPAPGothic") << "the window's face";
    form.resize(300, 200); // a smaller window cuts the sheet off; nothing moves
    QApplication::processEvents();
    EXPECT_EQ(control("Command2")->geometry(), QRect(552, 376, 177, 33));
}

// Run at several scales: no fixed caption loses ink to the edges of its cell.
// Its underline aside: at 1.25, 得点's falls a fraction of a pixel below.
TEST_F(Form1Test, EveryCaptionShowsWhole) {
    for (QLabel* label : form.clientArea().findChildren<QLabel*>()) {
        QFont letters = label->font();
        letters.setUnderline(false);
        label->setFont(letters);
        const QImage inCell = label->grab().toImage();
        label->resize(label->size() + QSize(8, 8)); // shifts stay whole pixels at these scales
        const QImage unbounded = label->grab().toImage();
        EXPECT_EQ(inkIn(inCell, inCell.rect(), 230), inkIn(unbounded, unbounded.rect(), 230))
            << str(label->objectName()) << " \"" << str(label->text()) << "\" cut at scale "
            << inCell.devicePixelRatio();
    }
}

TEST_F(Form1Test, LongCaptionsBreakWithinTheirCellAndTheRuleIsDrawn) {
    form.sheet().setQuestionCaption(18, "聖徳太子が推古天皇の摂政となる聖徳太子が推古天皇");
    EXPECT_GT(inkIn(control("Label18")->grab().toImage(), {0, 17, 177, 8}), 0) << "no second line in Label18";
    const QImage rule = control("Shape1")->grab().toImage();
    EXPECT_EQ(inkIn(rule, rule.rect()), rule.width()) << "the rule is not one line from end to end";
}

// An era item carries a mark only while it is checked, in any style.
TEST(EraMenuTest, OnlyTheCheckedEraCarriesAMark) {
    const QString desktopStyle = QApplication::style()->name();
    for (const char* style : {"Fusion", "Windows"}) {
        QApplication::setStyle(style);
        vantoriku::testing::NoServices services;
        Form1 form(services);
        form.findChild<QAction*>("jidai2")->trigger();
        auto* menu = form.findChild<QMenu*>("munjidai");
        menu->popup({0, 0});
        const QImage image = menu->grab().toImage();
        for (QAction* item : menu->actions()) { // the column left of the caption, inside the frame
            const QRect mark(menu->actionGeometry(item).topLeft() + QPoint(3, 2), QSize(12, 15));
            EXPECT_EQ(inkIn(image, mark, 230) > 0, item->isChecked()) << style << " " << str(item->text());
        }
        menu->close();
    }
    QApplication::setStyle(desktopStyle);
}
