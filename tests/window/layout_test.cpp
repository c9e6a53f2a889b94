#include "content/question_bank.h"
#include "window/layout_table.h"
#include "window/window_fixture.h"

#include <QFontInfo>
#include <QMenu>
#include <QRawFont>

namespace vantoriku::testing {
namespace {

using Form1LayoutTest = Form1Test;

TEST_F(Form1LayoutTest, EveryControlStandsWhereTheLayoutSays) {
    int checked = 0;
    for (const ControlSpec& control : layoutTable()) {
        const QString name =
            QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size()));
        QWidget* widget = form.clientArea().findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(widget->geometry(), QRect(control.left / 15, control.top / 15, control.width / 15,
                                            control.height / 15))
            << name.toStdString();
        EXPECT_EQ(control.left % 15 + control.top % 15 + control.width % 15 + control.height % 15,
                  0);
        ++checked;
    }
    EXPECT_EQ(checked, 80 + 33);
}

// Spot checks in pixels, written out by hand rather than taken from the table.
TEST_F(Form1LayoutTest, ExceptionsAndCornersInPixels) {
    struct Case {
        const char* name;
        QRect geometry;
    };
    const Case cases[] = {
        {"Label1", {0, 0, 177, 17}},      {"Text1", {184, 0, 73, 18}},
        {"Label18", {0, 408, 177, 25}},   {"Label20", {0, 456, 177, 17}},
        {"Label21", {264, 0, 193, 17}},   {"Label31", {264, 240, 201, 17}},
        {"Text31", {464, 240, 81, 18}},   {"Text40", {464, 456, 81, 18}},
        {"Command1", {584, 8, 97, 89}},   {"Command3", {584, 120, 97, 33}},
        {"Label42", {568, 168, 121, 25}}, {"Label54", {632, 280, 25, 17}},
        {"Label58", {680, 280, 25, 17}},  {"Label67", {712, 288, 17, 17}},
        {"Shape1", {552, 304, 169, 1}},   {"Label64", {624, 312, 41, 17}},
        {"Label69", {656, 344, 65, 25}},  {"Command2", {552, 376, 177, 33}},
        {"Label41", {240, 480, 281, 25}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(control(c.name)->geometry(), c.geometry) << c.name;
    }
}

TEST_F(Form1LayoutTest, FontsAndAlignment) {
    struct Case {
        const char* name;
        int pixels;
        bool bold, italic, underline;
        Qt::Alignment horizontal;
    };
    const Case cases[] = {
        {"Command1", 24, true, true, true, {}},
        {"Label42", 24, true, true, true, Qt::AlignHCenter},
        {"Label47", 12, true, false, true, Qt::AlignHCenter},
        {"Label54", 12, true, false, true, Qt::AlignHCenter},
        {"Label55", 12, false, false, false, Qt::AlignRight},
        {"Label64", 12, false, false, false, Qt::AlignLeft},
        {"Label63", 16, true, false, false, Qt::AlignHCenter},
        {"Label68", 13, true, false, false, Qt::AlignRight},
        {"Label69", 12, false, false, false, Qt::AlignRight},
        {"Command2", 21, true, false, false, {}},
        {"Label41", 19, true, false, false, Qt::AlignLeft},
        {"Label1", 12, false, false, false, Qt::AlignLeft},
        {"Text1", 12, false, false, false, {}},
        {"Command3", 12, false, false, false, {}},
    };
    for (const Case& c : cases) {
        const QFont font = control(c.name)->font();
        EXPECT_EQ(font.pixelSize(), c.pixels) << c.name;
        EXPECT_EQ(font.bold(), c.bold) << c.name;
        EXPECT_EQ(font.italic(), c.italic) << c.name;
        EXPECT_EQ(font.underline(), c.underline) << c.name;
        EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic") << c.name;
        if (auto* label = qobject_cast<QLabel*>(control(c.name))) {
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, c.horizontal) << c.name;
        }
    }
    EXPECT_EQ(control<QLabel>("Label42")->palette().color(QPalette::WindowText), QColor(Qt::black));
}

// Every caption the window can show is drawn from the face it resolves to:
// no missing-glyph boxes.
TEST_F(Form1LayoutTest, EveryCaptionHasItsGlyphsInTheInstalledFont) {
    const QFontInfo resolved(form.font());
    EXPECT_TRUE(QStringList({"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "IPAGothic"})
                    .contains(resolved.family()))
        << resolved.family().toStdString();

    QStringList texts{"時代を選択してください",
                      "あなたのレベルはです。",
                      "初級残念でした",
                      "中級なかなか!!",
                      "上級すごい!!",
                      "完璧すばらしい!!",
                      "正解",
                      "ファイル印刷クリア終了時代選択ヘルプ目次",
                      "0123456789"};
    for (const Question& q : QuestionBank::questions()) {
        texts << QString::fromUtf8(q.event.data(), static_cast<qsizetype>(q.event.size()));
    }
    for (const ControlSpec& control : layoutTable()) {
        texts << QString::fromUtf8(control.caption.data(),
                                   static_cast<qsizetype>(control.caption.size()));
    }
    for (const FontSpec& control :
         {FontSpec{}, FontSpec{24, true, true, true}, FontSpec{19, true}}) {
        const QRawFont raw = QRawFont::fromFont(Form1::fontFor(control));
        ASSERT_TRUE(raw.isValid());
        for (const QString& text : texts) {
            for (const char32_t ch : text.toStdU32String()) {
                EXPECT_TRUE(raw.supportsCharacter(ch))
                    << QString::fromUcs4(&ch, 1).toStdString() << " in " << text.toStdString();
            }
        }
    }
}

// The longest texts each cell ever holds fit its width on one line.
TEST_F(Form1LayoutTest, FixedCaptionsAndNumbersFitTheirCells) {
    struct Case {
        const char* name;
        const char* widest;
    };
    const Case cases[] = {
        {"Label42", "得点"},
        {"Label43", "奈良から鎌倉"},
        {"Label44", "室町から江戸"},
        {"Label63", "総合"},
        {"Label68", "レベル:"},
        {"Label47", "40"},
        {"Label54", "30"},
        {"Label55", "100"},
        {"Label66", "100"},
        {"Label64", "150"},
        {"Label69", "完璧"},
        {"Label67", "%"},
        {"Label41", "\u3000最初に時代を選択してください"},
    };
    for (const Case& c : cases) {
        QLabel* label = control<QLabel>(c.name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(QString::fromUtf8(c.widest)),
                  label->width())
            << c.name;
        // Japanese captions have no descenders: what must fit is the ascent
        // and, where there is one, the underline below the baseline.
        const QFontMetrics metrics = label->fontMetrics();
        const int ink = label->font().underline()
                            ? metrics.ascent() + metrics.underlinePos() + metrics.lineWidth()
                            : metrics.height();
        EXPECT_LE(ink, label->height()) << c.name;
    }
    for (const char* button : {"Command1", "Command2", "Command3"}) {
        auto* b = control<QPushButton>(button);
        EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()), b->width()) << button;
    }
}

TEST_F(Form1LayoutTest, ResizingMovesNothing) {
    const QRect before = control("Command2")->geometry();
    form.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(control("Command2")->geometry(), before);
    form.resize(1000, 800);
    QApplication::processEvents();
    EXPECT_EQ(control("Command2")->geometry(), before);
    EXPECT_EQ(control("Label1")->geometry().topLeft(), QPoint(0, 0));
}

} // namespace
} // namespace vantoriku::testing

namespace vantoriku::testing {
namespace {

// A dark desktop theme must not turn the sheet's black text light on dark.
TEST(Form1ThemeTest, KeepsItsLightColoursUnderADarkDesktopTheme) {
    const QPalette desktop = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    {
        NoServices services;
        Form1 form(services);
        for (const char* name : {"Label1", "Label43", "Label64", "Text1", "Command3"}) {
            const QPalette seen = form.findChild<QWidget*>(name)->palette();
            EXPECT_GT(seen.color(QPalette::Window).lightness(), 200) << name;
            EXPECT_LT(seen.color(QPalette::WindowText).lightness(), 60) << name;
            EXPECT_GT(seen.color(QPalette::Base).lightness(), 200) << name;
            EXPECT_LT(seen.color(QPalette::Text).lightness(), 60) << name;
        }
        EXPECT_GT(form.findChild<QMenu*>("munfail")->palette().color(QPalette::Window).lightness(),
                  200);
    }
    QApplication::setPalette(desktop);
}

} // namespace
} // namespace vantoriku::testing
