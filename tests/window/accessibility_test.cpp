#include "window/window_fixture.h"

#include <QAccessible>
#include <QMenuBar>

namespace vantoriku::testing {
namespace {

using Form1AccessibilityTest = Form1Test;

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr);
    return iface;
}

QString name(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}
QString description(QObject* object) {
    return accessible(object)->text(QAccessible::Description);
}

TEST_F(Form1AccessibilityTest, AnswerFieldsAreNamedByTheirQuestion) {
    EXPECT_EQ(name(field(1)), "");
    struct Case {
        const char* era;
        int row;
        const char* name;
    };
    const Case cases[] = {
        {"jidai2", 1, "足利尊氏が室町幕府を開く"},
        {"jidai2", 40, "大政奉還"},
        {"jidai4", 30, "インド・パキスタンが核実験実施"},
        {"jidai4", 31, ""},
        {"jidai1", 31, "富士川の戦い"},
        {"jidai1", 1, "仏教伝来"},
    };
    for (const Case& c : cases) {
        trigger(c.era);
        QAccessibleInterface* iface = accessible(field(c.row));
        EXPECT_EQ(iface->text(QAccessible::Name), c.name) << c.era << " " << c.row;
        EXPECT_EQ(iface->role(), QAccessible::EditableText);
    }
    trigger("jidai4");
    EXPECT_TRUE(accessible(field(35))->state().invisible);
}

TEST_F(Form1AccessibilityTest, QuestionCaptionsLabelTheirFields) {
    trigger("jidai3");
    QAccessibleInterface* label = accessible(control("Label7"));
    EXPECT_EQ(label->role(), QAccessible::StaticText);
    EXPECT_EQ(label->text(QAccessible::Name), "日朝修好条規");
    const auto labelled = label->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.first().first->object(), field(7));
    const auto labels = accessible(field(7))->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->object(), control("Label7"));
}

TEST_F(Form1AccessibilityTest, ScoreTableCellsSayWhatTheyAre) {
    struct Case {
        const char* cell;
        const char* description;
    };
    const Case before[] = {
        {"Label47", "奈良から鎌倉 得点"},   {"Label54", "昭和から平成 得点"},
        {"Label55", "奈良から鎌倉 正答率"}, {"Label64", "総合 得点"},
        {"Label66", "総合 正答率"},         {"Label69", "レベル"},
    };
    for (const Case& c : before) {
        EXPECT_EQ(description(control(c.cell)), c.description) << c.cell;
    }
    EXPECT_EQ(name(control("Label43")), "奈良から鎌倉");

    trigger("jidai1");
    click("Command1"); // nothing right: 0%
    trigger("jidai2");
    form.sheet().setAnswer(1, "1338");
    for (int row = 2; row <= 32; ++row) {
        form.sheet().setAnswer(row, std::string(QuestionBank::question(2, row)->year));
    }
    click("Command1"); // 32 of 40: 80%
    click("Label64");
    const Case after[] = {
        {"Label55", "奈良から鎌倉 正答率、30%未満"},
        {"Label56", "室町から江戸 正答率、79%以上"},
        {"Label66", "総合 正答率、30%未満"},
    };
    for (const Case& c : after) {
        EXPECT_EQ(description(control(c.cell)), c.description) << c.cell;
    }
    EXPECT_EQ(name(control("Label56")), "80");
}

TEST_F(Form1AccessibilityTest, ButtonsAndMenusAreNamedByTheirCaptions) {
    for (const auto& [button, caption] :
         {std::pair{"Command1", "採点"}, std::pair{"Command2", "総合評価"},
          std::pair{"Command3", "クリア"}}) {
        QAccessibleInterface* iface = accessible(control(button));
        EXPECT_EQ(iface->role(), QAccessible::Button);
        EXPECT_EQ(iface->text(QAccessible::Name), caption);
    }
    EXPECT_TRUE(accessible(control("Command2"))->state().disabled);

    QAccessibleInterface* bar = accessible(form.menuBar());
    QStringList menus;
    for (int i = 0; i < bar->childCount(); ++i) {
        menus << bar->child(i)->text(QAccessible::Name);
    }
    EXPECT_EQ(menus, QStringList({"ファイル", "時代選択", "ヘルプ"}));
    QAccessibleInterface* eraMenu = accessible(control<QMenu>("munjidai"));
    QStringList eras;
    for (int i = 0; i < eraMenu->childCount(); ++i) {
        eras << eraMenu->child(i)->text(QAccessible::Name);
    }
    EXPECT_EQ(eras, QStringList({"奈良から鎌倉", "室町から江戸", "明治から昭和", "昭和から平成"}));
}

// A screen reader announces an alert by its role and reads its text; the
// offscreen platform has no bridge to send the event to, so look at what the
// bridge would read while the box is open.
TEST_F(Form1AccessibilityTest, MessageBoxesAreAlertsThatCarryTheirText) {
    QAccessible::Role role = QAccessible::NoRole;
    QString spoken;
    SeenBox seen;
    seen.whileOpen = [&] {
        QAccessibleInterface* box = accessible(QApplication::activeModalWidget());
        role = box->role();
        spoken = box->text(QAccessible::Name) + " " + box->text(QAccessible::Value) + " " +
                 box->text(QAccessible::Description);
    };
    answerNextBox(seen);
    click("Command1");
    EXPECT_EQ(role, QAccessible::AlertMessage);
    EXPECT_TRUE(spoken.contains("時代を選択してください")) << spoken.toStdString();
}

} // namespace
} // namespace vantoriku::testing
