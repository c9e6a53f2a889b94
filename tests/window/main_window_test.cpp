#include "content/question_bank.h"
#include "window/window_fixture.h"

#include <QMenuBar>

namespace vantoriku::testing {
namespace {

TEST_F(Form1Test, OpensInItsStartState) {
    EXPECT_EQ(form.windowTitle(), "Vantoriku");
    EXPECT_EQ(form.clientArea().size(), QSize(728, 512));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(caption("Label41"), "\u3000最初に時代を選択してください");
    EXPECT_TRUE(control<QPushButton>("Command1")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Command2")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Command3")->isEnabled());
    QApplication::setActiveWindow(&form);
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        EXPECT_FALSE(control<QPushButton>(name)->isDefault()) << name;
        EXPECT_FALSE(control<QPushButton>(name)->autoDefault()) << name;
    }
}

TEST_F(Form1Test, MenusInOrderWithoutShortcuts) {
    const std::vector<std::pair<QString, QStringList>> expected{
        {"ファイル", {"印刷", "クリア", "", "終了"}},
        {"時代選択", {"奈良から鎌倉", "室町から江戸", "明治から昭和", "昭和から平成"}},
        {"ヘルプ", {"目次"}},
    };
    const auto menus = form.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    for (std::size_t m = 0; m < expected.size(); ++m) {
        QAction* menu = menus[static_cast<qsizetype>(m)];
        EXPECT_EQ(menu->text(), expected[m].first);
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << item->text();
            EXPECT_TRUE(item->shortcut().isEmpty());
            EXPECT_FALSE(item->text().contains('&'));
            EXPECT_TRUE(item->isEnabled());
            EXPECT_FALSE(item->isChecked());
        }
        EXPECT_EQ(items, expected[m].second);
    }
    EXPECT_TRUE(control<QAction>("mun")->isSeparator());
}

TEST_F(Form1Test, TypicalDrillThroughTheWidgets) {
    trigger("jidai2");
    EXPECT_TRUE(control<QAction>("jidai2")->isChecked());
    EXPECT_EQ(caption("Label1"), "足利尊氏が室町幕府を開く");
    EXPECT_EQ(caption("Label41"), "");
    const auto questions = QuestionBank::questionsOf(2);
    for (const Question& q : questions) {
        if (q.row <= 30) { // ten right answers missing: 75%
            QTest::keyClicks(field(q.row), QString::fromUtf8(q.year.data(), 4));
        }
    }
    EXPECT_EQ(form.sheet().answer(1), "1338");
    click("Command1");
    EXPECT_EQ(field(1)->text(), "正解");
    EXPECT_EQ(field(40)->text(), "1867");
    EXPECT_EQ(caption("Label48"), "30");
    EXPECT_EQ(caption("Label56"), "75");
    EXPECT_EQ(control<QLabel>("Label56")->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());

    trigger("jidai3");
    click("Command1");
    EXPECT_EQ(control<QLabel>("Label57")->palette().color(QPalette::WindowText), QColor(Qt::red));
    trigger("jidai2");
    EXPECT_FALSE(control<QAction>("jidai3")->isChecked());
    EXPECT_TRUE(control<QAction>("jidai2")->isChecked())
        << "choosing the checked era keeps it checked";
    trigger("jidai2");
    EXPECT_TRUE(control<QAction>("jidai2")->isChecked());
}

TEST_F(Form1Test, ScoringWithNoEraShowsARealMessageBox) {
    SeenBox seen;
    answerNextBox(seen);
    click("Command1");
    EXPECT_EQ(seen.text, "時代を選択してください");
    EXPECT_EQ(seen.title, "Vantoriku");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.palette, form.palette());
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());
    EXPECT_EQ(caption("Label47"), "");
}

TEST_F(Form1Test, ShortEraHidesTheLastTenFieldsAndTabPassesOverThem) {
    trigger("jidai4");
    for (int row = 31; row <= 40; ++row) {
        EXPECT_FALSE(field(row)->isVisible()) << row;
    }
    QApplication::setActiveWindow(&form);
    field(30)->setFocus();
    QTest::keyClick(field(30), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // Command2 is disabled
    EXPECT_EQ(QApplication::focusWidget(), control("Command3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), field(1));

    trigger("jidai1");
    for (int row = 31; row <= 40; ++row) {
        EXPECT_TRUE(field(row)->isVisible()) << row;
        EXPECT_EQ(field(row)->text(), "");
    }
    field(30)->setFocus();
    QTest::keyClick(field(30), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), field(31));
}

TEST_F(Form1Test, OnlyTheClearButtonEnablesScoringAgain) {
    trigger("jidai1");
    QTest::keyClicks(field(1), "538");
    click("Command1");
    trigger("muncliaitem");
    EXPECT_EQ(field(1)->text(), "");
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());
    EXPECT_EQ(caption("Label47"), "1");
    click("Command3");
    EXPECT_TRUE(control<QPushButton>("Command1")->isEnabled());
}

TEST_F(Form1Test, EvaluationPostsTheLevelAfterTheBoxIsClosed) {
    for (const char* era : {"jidai1", "jidai2", "jidai3", "jidai4"}) {
        trigger(era);
        click("Command1");
    }
    ASSERT_TRUE(control<QPushButton>("Command2")->isEnabled());
    SeenBox seen;
    QString levelWhileOpen = "not seen";
    seen.whileOpen = [&] { levelWhileOpen = caption("Label69"); };
    answerNextBox(seen);
    click("Command2");
    EXPECT_EQ(seen.text, "あなたのレベルは初級です。残念でした");
    EXPECT_EQ(levelWhileOpen, "");
    EXPECT_EQ(caption("Label69"), "初級");
    EXPECT_EQ(caption("Label64"), "0");
    EXPECT_EQ(control<QLabel>("Label66")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(control<QPushButton>("Command2")->isEnabled());
}

TEST_F(Form1Test, TotalCellAnswersAClick) {
    form.sheet().setCaption(Cell::Label47, "30");
    form.sheet().setCaption(Cell::Label48, "20");
    click("Label64");
    EXPECT_EQ(caption("Label64"), "50");
    EXPECT_EQ(caption("Label66"), "33");
}

TEST_F(Form1Test, JapaneseTypedThroughAnInputMethod) {
    trigger("jidai1");
    commitText(field(1), "５３８");
    commitText(field(2), "593");
    EXPECT_EQ(form.sheet().answer(1), "５３８");
    click("Command1");
    EXPECT_EQ(field(1)->text(), "538");
    EXPECT_EQ(field(2)->text(), "正解");
    EXPECT_EQ(field(1)->inputMethodHints() & Qt::ImhPreferNumbers, Qt::ImhPreferNumbers);
    EXPECT_EQ(field(1)->inputMethodHints() & Qt::ImhDigitsOnly, 0);
}

TEST_F(Form1Test, EveryKindOfEditReachesTheSheet) {
    trigger("jidai1");
    QTest::keyClicks(field(3), "6033");
    QTest::keyClick(field(3), Qt::Key_Backspace);
    EXPECT_EQ(form.sheet().answer(3), "603");
    QTest::keyClick(field(3), Qt::Key_Z, Qt::ControlModifier); // undo
    EXPECT_EQ(form.sheet().answer(3), field(3)->text().toStdString());
    field(3)->selectAll();
    QTest::keyClick(field(3), Qt::Key_Delete);
    EXPECT_EQ(form.sheet().answer(3), "");
}

TEST_F(Form1Test, AnswerFieldsTakeTextOfAnyLength) {
    const QString longText(40000, QChar('9'));
    field(5)->setFocus();
    commitText(field(5), longText);
    EXPECT_EQ(field(5)->text().size(), longText.size());
    EXPECT_EQ(form.sheet().answer(5).size(), 40000u);
}

} // namespace
} // namespace vantoriku::testing
