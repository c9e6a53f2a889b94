#include "content/question_bank.h"
#include "window/window_fixture.h"

using namespace vantoriku;
using vantoriku::testing::BoxCloser;
using vantoriku::testing::Form1Test;

TEST_F(Form1Test, OpensCentredInItsStartStateWithTheFocusInTheFirstAnswer) {
    EXPECT_EQ(form.objectName() + form.windowTitle() + caption("Label41"),
              "Form1Vantoriku\u3000最初に時代を選択してください");
    EXPECT_EQ(form.clientArea().size(), QSize(728, 512));
    EXPECT_EQ(form.geometry().center(), form.screen()->availableGeometry().center());
    EXPECT_TRUE(control("Command1")->isVisibleTo(&form) && control("Command1")->isEnabled() &&
                !control("Command2")->isEnabled());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    // Shown, activated by the window system, with the focus in the first answer.
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == field(1); }));
    QString items; // in order, without shortcuts
    for (const char* menu : {"munfail", "munjidai", "help"}) {
        for (QAction* item : control<QMenu>(menu)->actions()) {
            items += item->text() + item->shortcut().toString() + " ";
        }
    }
    EXPECT_EQ(items, "印刷 クリア  終了 奈良から鎌倉 室町から江戸 明治から昭和 昭和から平成 目次 ");
}

TEST_F(Form1Test, ADrillThroughTheWidgets) {
    BoxCloser boxes([this](QMessageBox& box) { // the message, then the level
        EXPECT_TRUE(box.icon() == QMessageBox::NoIcon && box.buttons().size() == 1 && box.isModal());
        EXPECT_TRUE(box.windowTitle() == "Vantoriku" && box.palette() == form.palette() && box.font() == form.font());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->role(), QAccessible::AlertMessage);
        EXPECT_EQ(caption("Label69"), ""); // the level shows only after OK
    });
    click("Command1"); // before any era
    trigger("jidai2");
    for (const Question& q : QuestionBank::questionsOf(2)) {
        QTest::keyClicks(field(q.row), q.row <= 30 ? QString::fromLatin1(q.year.data(), 4) : "1");
    }
    QTest::keyClick(field(31), Qt::Key_Backspace);
    click("Command1");
    EXPECT_EQ(caption("Label1") + field(30)->text() + field(31)->text() + caption("Label56"),
              "足利尊氏が室町幕府を開く正解182575");
    EXPECT_EQ(control("Label56")->palette().color(QPalette::WindowText), QColor(Qt::black));
    trigger("munprintitem"); // without the two main buttons
    EXPECT_TRUE(!services.buttonsPrinted && control("Command1")->isVisible() && control("Command2")->isVisible());
    trigger("muncliaitem"); // the menu's clear leaves scoring off, the button's turns it on
    EXPECT_TRUE(field(1)->text().isEmpty() && !control("Command1")->isEnabled());
    click("Command3");
    for (const char* era : {"jidai1", "jidai2", "jidai3", "jidai4"}) {
        trigger(era);
        click("Command1");
    }
    EXPECT_FALSE(field(31)->isVisible());
    click("Command2");
    EXPECT_EQ(boxes.shown.join("|"), "時代を選択してください|あなたのレベルは初級です。残念でした");
    EXPECT_TRUE(caption("Label69") == "初級" && !control("Command2")->isEnabled());
    // A left click released on the total cell counts, no other.
    form.sheet().setCaption(Cell::Label47, "30");
    for (const auto& [button, release, total] :
         {std::tuple{Qt::RightButton, 5, "0"}, {Qt::LeftButton, 200, "0"}, {Qt::LeftButton, 5, "30"}}) {
        QTest::mousePress(control("Label64"), button, {}, {5, 5});
        QTest::mouseRelease(control("Label64"), button, {}, {release, 5});
        EXPECT_EQ(caption("Label64"), total);
    }
}

// However text gets into a field, scoring reads what the field shows; pasted
// and dropped text keeps its first line, as in a native single-line field.
TEST_F(Form1Test, TextEnteredAnyWayReachesTheSheet) {
    trigger("jidai1");
    // What the AT-SPI bridge does for SetTextContents; an input method's commit.
    QAccessible::queryAccessibleInterface(field(1))->editableTextInterface()->replaceText(0, 0, "538");
    QInputMethodEvent commit;
    commit.setCommitString("５９３");
    QApplication::sendEvent(field(2), &commit);
    click("Command1");
    EXPECT_EQ(field(1)->text() + field(2)->text(), "正解593");
    for (const auto& [text, kept] : {std::pair{"603\n", "603"}, {"603\r\n4", "603"}, {" ６0 3\r", " ６0 3"}}) {
        for (const int row : {3, 4, 5}) {
            field(row)->clear();
        }
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field(3), Qt::Key_V, Qt::ControlModifier);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2}, field(4)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(field(4), &menuKey);
        qobject_cast<QMenu*>(QApplication::activePopupWidget())->actions().at(5)->trigger(); // 貼り付け
        QApplication::activePopupWidget()->close();
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field(5), &enter);
        QApplication::sendEvent(field(5), &drop);
        EXPECT_EQ(form.sheet().answer(3) + form.sheet().answer(4) + form.sheet().answer(5),
                  std::string(kept) + kept + kept);
    }
}

TEST_F(Form1Test, AssistiveToolsHearTheQuestionOfEachFieldAndGradesInWords) {
    const auto said = [this](const char* name) { return QAccessible::queryAccessibleInterface(control(name)); };
    trigger("jidai4");
    EXPECT_EQ(said("Text30")->text(QAccessible::Name) + said("Text31")->text(QAccessible::Name),
              "インド・パキスタンが核実験実施");
    trigger("jidai1");
    EXPECT_EQ(said("Label31")->relations(QAccessible::Labelled).value(0).first->text(QAccessible::Name),
              "富士川の戦い");
    form.sheet().setCaption(Cell::Label55, "87");
    form.sheet().setCaption(Cell::Label56, "0");
    form.sheet().setCaption(Cell::Label66, "50");
    QString cells;
    for (const char* cell : {"Label47", "Label54", "Label55", "Label56", "Label66", "Label64", "Label69"}) {
        cells += said(cell)->text(QAccessible::Description) + "|";
    }
    EXPECT_EQ(cells, "奈良から鎌倉 得点|昭和から平成 得点|奈良から鎌倉 正答率、79%以上|室町から江戸 正答率、30%未満|"
                     "総合 正答率、30%以上79%未満|総合 得点|レベル|");
}

// Pixels and letters written out by hand, not taken from the layout table:
// geometry, pixel size, bold/italic/underlined, alignment.
TEST_F(Form1Test, ControlsStandAndAreLetteredAsSpecified) {
    const auto L = Qt::AlignLeft;
    const auto C = Qt::AlignHCenter;
    const auto R = Qt::AlignRight;
    // clang-format off
    const std::tuple<const char*, QRect, int, const char*, Qt::Alignment> cases[] = {
        {"Label18", {0, 408, 177, 25}, 12, "", L},     {"Text1", {184, 0, 73, 18}, 12, "", {}},
        {"Label21", {264, 0, 193, 17}, 12, "", L},     {"Label31", {264, 240, 201, 17}, 12, "", L},
        {"Text40", {464, 456, 81, 18}, 12, "", {}},    {"Command1", {584, 8, 97, 89}, 24, "biu", {}},
        {"Label49", {632, 256, 25, 17}, 12, "bu", C},  {"Label58", {680, 280, 25, 17}, 12, "", R},
        {"Label67", {712, 288, 17, 17}, 12, "", L},    {"Shape1", {552, 304, 169, 1}, 12, "", {}},
        {"Label63", {552, 312, 65, 17}, 16, "b", C},   {"Label68", {552, 344, 49, 25}, 13, "b", R},
        {"Command2", {552, 376, 177, 33}, 21, "b", {}}, {"Label41", {240, 480, 281, 25}, 19, "b", L}};
    // clang-format on
    for (const auto& [name, geometry, pixels, style, alignment] : cases) {
        QWidget* widget = control(name);
        const QFont font = widget->font();
        const QString seen =
            QString(font.bold() ? "b" : "") + (font.italic() ? "i" : "") + (font.underline() ? "u" : "");
        EXPECT_EQ(widget->geometry(), geometry) << name;
        EXPECT_EQ(QString::number(font.pixelSize()) + seen, QString::number(pixels) + style) << name;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, alignment) << name;
        }
    }
    // Captions skip the search for other faces: the window's face must hold all that it shows.
    EXPECT_EQ(QFontInfo(form.font()).family(), "IPAPGothic");
    QString texts =
        "時代を選択してくださいあなたのレベルはです。初級残念でした中級なかなか!!上級すごい!!完璧すばらしい!!"
        "正解ファイル印刷クリア終了ヘルプ目次採点総合評価得点点%レベル:0123456789";
    for (const Question& q : QuestionBank::questions()) {
        texts += QString::fromUtf8(q.event.data(), static_cast<qsizetype>(q.event.size()));
    }
    const QRawFont face = QRawFont::fromFont(form.font());
    for (const char32_t c : texts.toStdU32String()) {
        EXPECT_TRUE(face.supportsCharacter(c)) << QString::fromUcs4(&c, 1).toStdString();
    }
    form.resize(300, 200); // a smaller window cuts the sheet off; nothing moves
    QApplication::processEvents();
    EXPECT_EQ(control("Command2")->geometry(), QRect(552, 376, 177, 33));
}

int inkIn(const QImage& image, const QRect& area, int below = 200) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += qGray(image.pixel(x, y)) < below ? 1 : 0;
        }
    }
    return ink;
}

TEST_F(Form1Test, LongCaptionsBreakWithinTheirCellAndTheRuleIsDrawn) {
    form.sheet().setQuestionCaption(18, "聖徳太子が推古天皇の摂政となる聖徳太子が推古天皇");
    EXPECT_GT(inkIn(control("Label18")->grab().toImage(), {0, 17, 177, 8}), 0) << "no second line";
    const QImage rule = control("Shape1")->grab().toImage();
    EXPECT_EQ(inkIn(rule, rule.rect()), rule.width()) << "not one line from end to end";
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
            EXPECT_EQ(inkIn(image, mark, 230) > 0, item->isChecked()) << style << item->text().toStdString();
        }
        menu->close();
    }
    QApplication::setStyle(desktopStyle);
}
