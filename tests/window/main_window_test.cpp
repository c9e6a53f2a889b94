#include "content/question_bank.h"
#include "window/window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStyle>

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
    // Shown, activated by the window system and with the focus in the first answer.
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == field(1); }));
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

// However text gets into a field, scoring reads what the field shows; pasted
// and dropped text keeps its first line, as in a native single-line field.
TEST_F(Form1Test, TextEnteredAnyWayReachesTheSheet) {
    trigger("jidai1");
    // What the AT-SPI bridge does for SetTextContents, and Qt's own setText.
    QAccessible::queryAccessibleInterface(field(1))->editableTextInterface()->replaceText(0, 0,
                                                                                          "538");
    QAccessible::queryAccessibleInterface(field(2))->setText(QAccessible::Value, "593");
    click("Command1");
    EXPECT_EQ(field(1)->text(), "正解");
    EXPECT_EQ(field(2)->text(), "正解");

    const std::pair<const char*, std::function<void(QLineEdit*)>> ways[] = {
        {"Ctrl+V", [](QLineEdit* f) { QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier); }},
        {"menu",
         [](QLineEdit* f) {
             QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2},
                                       f->mapToGlobal(QPoint(2, 2)));
             QApplication::sendEvent(f, &menuKey);
             auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             ASSERT_NE(menu, nullptr);
             for (QAction* item : menu->actions()) {
                 if (item->text().startsWith("貼り付け")) {
                     item->trigger();
                 }
             }
             menu->close();
         }},
        {"drop",
         [](QLineEdit* f) {
             QMimeData data;
             data.setText(QGuiApplication::clipboard()->text());
             QDragEnterEvent enter({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
             QDropEvent drop({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
             QApplication::sendEvent(f, &enter);
             QApplication::sendEvent(f, &drop);
         }},
    };
    const std::pair<QString, std::string> pasted[] = {
        {"603\n", "603"}, {"603\r\n604", "603"}, {" ６0 3\r", " ６0 3"}, {"603", "603"}};
    for (const auto& [way, paste] : ways) {
        for (const auto& [text, kept] : pasted) {
            field(3)->clear();
            QGuiApplication::clipboard()->setText(text);
            paste(field(3));
            EXPECT_EQ(form.sheet().answer(3), kept) << way << " " << text.toStdString();
        }
    }
}

// An era item shows a mark only while it is checked, in any style.
TEST(EraMenuTest, OnlyTheCheckedEraCarriesAMark) {
    const QString desktopStyle = QApplication::style()->name();
    for (const char* style : {"Fusion", "Windows"}) {
        QApplication::setStyle(style);
        NoServices services;
        Form1 form(services);
        form.Form_Load();
        form.findChild<QAction*>("jidai2")->trigger();
        auto* menu = form.findChild<QMenu*>("munjidai");
        menu->popup({0, 0});
        const QImage image = menu->grab().toImage();
        for (QAction* item : menu->actions()) {
            // The column left of the caption, inside the menu's frame.
            const QRect mark = menu->actionGeometry(item).adjusted(3, 2, 0, -2);
            int ink = 0;
            for (int y = mark.top(); y <= mark.bottom(); ++y) {
                for (int x = mark.left(); x < mark.left() + 12; ++x) {
                    ink += qGray(image.pixel(x, y)) < 230 ? 1 : 0;
                }
            }
            EXPECT_EQ(ink > 0, item->isChecked()) << style << " " << item->text().toStdString();
        }
        menu->close();
    }
    QApplication::setStyle(desktopStyle);
}

} // namespace
} // namespace vantoriku::testing
