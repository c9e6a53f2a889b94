#include "look/program_look.h"
#include "window/window_fixture.h"

#include <cmath>
#include <iostream>

using namespace vantoriku;
using vantoriku::testing::str;

namespace {

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
} // namespace

TEST(ProgramLookTest, TextsReadAndTheFocusShowsUnderEveryDesktopStyle) {
    for (const QString style : {"Fusion", "Windows", "Breeze", "Adwaita", "Adwaita-Dark", "Adwaita-HighContrast",
                                "Adwaita-HighContrastInverse"}) {
        if (!QStyleFactory::keys().contains(style, Qt::CaseInsensitive)) {
            std::cout << "not installed, not tried: the style " << str(style) << '\n';
            continue;
        }
        QApplication::setStyle(style); // as the desktop sets it, before the program starts
        useProgramLook();
        vantoriku::testing::NoServices services;
        MainWindow window(services);
        window.showAtStart();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == window.windowHandle(); }))
            << "the window system did not activate the window";
        const auto widget = [&](const char* name) { return window.findChild<QWidget*>(name); };
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
        letters("the prompt", widget("prompt"));
        for (const char* name : {"answer2", "clearButton"})
            changes(name, widget(name), widget(name)->rect(), [&] { widget(name)->setFocus(); });
        QMenuBar* bar = window.menuBar();
        const QRect title = bar->actionGeometry(bar->actions().constFirst());
        letters("a menu title", bar, title);
        changes("the first menu title after Alt", bar, title,
                [&] { QTest::keyClick(widget("answer1"), Qt::Key_Alt, Qt::AltModifier); });
        letters("the first menu title after Alt", bar, title);
        QTest::keyClick(bar, Qt::Key_Escape);
        window.findChild<QAction*>("era1Item")->trigger();
        static_cast<QLineEdit*>(widget("answer1"))->setText("正解");
        letters("an answer", widget("answer1"), widget("answer1")->rect().adjusted(3, 3, -3, -3));
        for (const auto& [name, what] : {std::pair{"question1", "a question"},
                                         {"scoreHeading", "得点"},
                                         {"scoreButton", "採点"},
                                         {"clearButton", "クリア"},
                                         {"evaluateButton", "総合評価 while off"}})
            letters(what, widget(name));
        auto* eras = window.findChild<QMenu*>("eraMenu");
        auto* second = window.findChild<QAction*>("era2Item");
        eras->popup(window.mapToGlobal(QPoint(60, 20)));
        changes("the highlighted era", eras, eras->actionGeometry(second), [&] { eras->setActiveAction(second); });
        letters("the highlighted era", eras, eras->actionGeometry(second));
        eras->close();
        const QImage around = window.clientArea().grab(widget("answer3")->geometry().adjusted(-1, -1, 1, 1)).toImage();
        EXPECT_GE(contrast(around.pixel(0, 9), around.pixel(1, 9)), 3)
            << str(style) << ": an answer's border hardly shows";
        window.sheet().setQuestionCaption(1, ""); // no era: 採点 shows a box
        const vantoriku::testing::BoxCloser boxes([&](QMessageBox& box) {
            letters("the box's text", &box, box.findChild<QLabel*>("qt_msgbox_label")->geometry());
            letters("the box's OK", box.button(QMessageBox::Ok));
        });
        QTest::mouseClick(widget("scoreButton"), Qt::LeftButton);
        for (const auto& [what, ratio] : texts)
            EXPECT_GE(ratio, 4.5) << str(style) << ": " << what << " reads at " << ratio << ":1";
        for (const auto& [what, shows] : marks)
            EXPECT_TRUE(shows) << str(style) << ": " << what << " does not show the keyboard's place all round";
    }
}
