#include "look/faces.h"

#include "look/utf8.h"

#include <QFontDatabase>
#include <QStringList>

namespace vantoriku {
namespace {

// The window's faces in order of preference, less those not installed: Qt
// runs a slow search for substitutes of every missing face it is asked for,
// once per size and style, even when a later face in the list is there. A
// face is known by any of its names (a Japanese desktop lists IPA's as
// 「IPA Pゴシック」). With none of them installed, Qt may search: a
// substitute beats missing glyphs.
const QStringList& installedFamilies() {
    static const QStringList installed = [] {
        QStringList wanted;
        QStringList families;
        for (const std::string_view family : windowFontFamilies()) {
            wanted << qString(family);
            if (QFontDatabase::hasFamily(wanted.back())) {
                families << wanted.back();
            }
        }
        return families.isEmpty() ? wanted : families;
    }();
    return installed;
}

} // namespace

QFont fontFor(const Lettering& lettering) {
    QFont font;
    font.setFamilies(installedFamilies());
    font.setStyleHint(QFont::SansSerif);
    // The listed Japanese faces hold every character of the fixed captions, so skip
    // the per-script fallback search that otherwise dominates start-up.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(lettering.pixelSize == 0 ? kWindowFontPixels : lettering.pixelSize);
    font.setBold(lettering.bold);
    font.setItalic(lettering.italic);
    font.setUnderline(lettering.underline);
    font.setStretch(lettering.stretch);
    return font;
}

} // namespace vantoriku
