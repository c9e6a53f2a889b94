#include "look/faces.h"
#include "window/caption_fitting.h"

#include <QFontInfo>
#include <QSize>
#include <gtest/gtest.h>

using namespace vantoriku;

// A fitted lettering in words: "11 px, 85 %, 1 px lower".
static std::string inWords(const FittedLettering& fit) {
    return std::to_string(fit.font.pixelSize()) + " px, " + std::to_string(fit.font.stretch()) + " %, " +
           std::to_string(fit.drop) + " px lower";
}

// With the window's own face, IPA P Gothic: a caption keeps its lettering where it fits; else it stands a pixel or
// two lower, then narrower, then smaller, as little as it takes, within bounds; a caption centred down never moves
// lower; an underline is ink like the letters.
TEST(CaptionFittingTest, ACaptionTakesTheLeastChangeThatShowsItWhole) {
    const Qt::Alignment top = Qt::AlignLeft | Qt::AlignTop, centred = Qt::AlignLeft | Qt::AlignVCenter;
    const Lettering window{}, bold{12, true}, score{12, true, false, true}, total{21, true},
        heading{24, true, true, true};
    struct Case {
        Lettering lettering;
        const char* text;
        QSize box;
        Qt::Alignment alignment;
        const char *fitted, *what;
    };
    // clang-format off
    const Case cases[] = {
        {window, "奈良から鎌倉", {71, 14}, top, "12 px, 100 %, 0 px lower", "room enough"},
        {window, "", {1, 1}, top, "12 px, 100 %, 0 px lower", "no caption"},
        {window, "奈良から鎌倉", {67, 14}, top, "12 px, 95 %, 0 px lower", "a little too wide"},
        {{.stretch = QFont::AnyStretch}, "奈良から鎌倉", {67, 14}, top, "12 px, 95 %, 0 px lower",
         "a little too wide, in a face of its own width"},
        {window, "奈良から鎌倉", {62, 14}, top, "12 px, 85 %, 0 px lower", "as wide as its narrowest"},
        {window, "奈良から鎌倉", {55, 14}, top, "11 px, 85 %, 0 px lower", "too wide even at its narrowest"},
        {window, "奈良から鎌倉", {41, 14}, top, "12 px, 100 %, 0 px lower", "far too wide, to wrap as a long caption"},
        {bold, "40", {20, 12}, top, "12 px, 100 %, 0 px lower", "just tall enough"},
        {score, "40", {20, 12}, top, "11 px, 100 %, 0 px lower", "just tall enough but for its underline"},
        {score, "40", {17, 10}, top, "9 px, 100 %, 0 px lower", "as small as it may be"},
        {total, "総合評価", {86, 24}, top, "21 px, 100 %, 1 px lower", "drawn above its line"},
        {total, "総合評価", {86, 22}, top, "21 px, 100 %, 1 px lower", "drawn above its line, in a box just tall enough"},
        {total, "総合評価", {86, 22}, centred, "20 px, 100 %, 0 px lower", "centred down in a box just tall enough"},
        {heading, "「", {17, 22}, top, "24 px, 100 %, 2 px lower", "drawn far above its line"},
    };
    // clang-format on
    ASSERT_EQ(QFontInfo(fontFor(window)).family(), QFontInfo(QFont("IPAPGothic")).family()) << "not IPA's face";
    for (const Case& c : cases)
        EXPECT_EQ(inWords(fitted(fontFor(c.lettering), QString::fromUtf8(c.text), c.box, c.alignment)), c.fitted)
            << "\"" << c.text << "\" in " << c.box.width() << " × " << c.box.height() << ": " << c.what;
}
