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

// The pixels of each colour (without alpha) in an area.
QHash<QRgb, int> colourCounts(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    return counts;
}

// An area's ground, its commonest colour, and its letters, the colour farthest from the ground.
std::pair<QRgb, QRgb> groundAndLetters(const QImage& image, const QRect& area) {
    const QHash<QRgb, int> counts = colourCounts(image, area);
    const QRgb ground = std::ranges::max(
        counts.keys(), {}, [&](QRgb c) { return counts[c]; });
    return {ground, std::ranges::max(counts.keys(), {}, [&](QRgb c) { return contrast(c, ground); })};
}

// A colour in words: the program's own by their names, others by their shade.
std::string inWords(QRgb colour) {
    // Grey is what is off: 6.4:1 on white, 5.9:1 on the window's face.
    const std::pair<QRgb, const char*> names[] = {
        {0xFFFFFF, "white"}, {0xF0F0F0, "light grey"}, {0x005FB8, "blue"}, {0x5F5F5F, "grey"}};
    for (const auto& [known, name] : names)
        if (colour == known)
            return name;
    const int grey = qGray(colour);
    return grey < 0x30 ? "black" : grey > 0xD0 ? "white" : "#" + str(QString::number(colour, 16));
}

// How a menu item or title looks, in words: "white ground, black letters, marked". A mark is what stands out before
// the letters, in the square at the start of an item.
std::string looks(const QImage& image, const QRect& item, bool mayBeMarked) {
    const auto [ground, letters] = groundAndLetters(image, item);
    bool marked = false;
    for (int y = item.top() + 2; y < item.bottom() - 1; ++y)
        for (int x = item.left() + 3; x < item.left() + item.height(); ++x)
            marked = marked || contrast(image.pixel(x, y), ground) > 3;
    return inWords(ground) + " ground, " + inWords(letters) + " letters" + (mayBeMarked && marked ? ", marked" : "");
}

} // namespace

// Desktops set styles that draw in colours of their own; the window's light face and texts hold under each, and the
// menus show which item is chosen, highlighted or off, and no other.
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
        const auto letters = [&](const char* what, QWidget* w, QRect area = {}) { // read at 4.5:1 on their ground
            const auto [ground, ink] = groundAndLetters(w->grab().toImage(), area.isNull() ? w->rect() : area);
            EXPECT_GE(contrast(ground, ink), 4.5)
                << str(style) << ": " << what << " reads at " << contrast(ground, ink) << ":1";
        };
        letters("the prompt", widget("prompt"));
        for (const char* name : {"answer2", "clearButton"}) { // the focus, a ring two pixels wide
            widget(name)->setFocus();
            const QImage drawn = widget(name)->grab().toImage();
            const QSize size = widget(name)->size();
            EXPECT_EQ(colourCounts(drawn, drawn.rect()).value(0x005FB8), 4 * (size.width() + size.height()) - 16)
                << str(style) << ": the focus on " << name << " is not a ring two pixels wide in the highlight colour";
        }
        // The menus: after Alt the keyboard is on ファイル; era 1 is chosen, era 2 highlighted and era 4 off.
        QTest::keyClick(widget("answer1"), Qt::Key_Alt, Qt::AltModifier);
        QMenuBar* bar = window.menuBar();
        const QImage titles = bar->grab().toImage();
        QTest::keyClick(bar, Qt::Key_Escape);
        const auto item = [&](const char* name) { return window.findChild<QAction*>(name); };
        item("era1Item")->trigger();
        item("era4Item")->setEnabled(false); // no item is ever off; this tries how one would look
        auto* eras = window.findChild<QMenu*>("eraMenu");
        eras->popup(window.mapToGlobal(QPoint(60, 20)));
        eras->setActiveAction(item("era2Item"));
        const QImage menu = eras->grab().toImage();
        eras->close();
        item("era4Item")->setEnabled(true);
        const auto title = [&](int i) { return looks(titles, bar->actionGeometry(bar->actions()[i]), false); };
        const auto inMenu = [&](const char* name) { return looks(menu, eras->actionGeometry(item(name)), true); };
        // clang-format off
        const std::tuple<const char*, std::string, const char*> menus[] = {
            {"ファイル after Alt", title(0), "blue ground, white letters"},
            {"時代選択 after Alt", title(1), "light grey ground, black letters"},
            {"the chosen era", inMenu("era1Item"), "white ground, black letters, marked"},
            {"the highlighted era", inMenu("era2Item"), "blue ground, white letters"},
            {"another era", inMenu("era3Item"), "white ground, black letters"},
            {"an era that is off", inMenu("era4Item"), "white ground, grey letters"}};
        // clang-format on
        for (const auto& [what, seen, expected] : menus)
            EXPECT_EQ(seen, expected) << str(style) << ": " << what;
        static_cast<QLineEdit*>(widget("answer1"))->setText("正解");
        letters("an answer", widget("answer1"), widget("answer1")->rect().adjusted(3, 3, -3, -3));
        for (const auto& [name, what] : {std::pair{"question1", "a question"},
                                         {"scoreHeading", "得点"},
                                         {"scoreButton", "採点"},
                                         {"clearButton", "クリア"},
                                         {"evaluateButton", "総合評価 while off"}})
            letters(what, widget(name));
    }
}
