#include "window/appearance.h"

#include "window/utf8.h"

#include <QFontDatabase>

namespace vantoriku {
namespace {

// The window's faces in order of preference, less those not installed: Qt
// runs a slow search for substitutes of every missing face it is asked for,
// once per size and style, even when a later face in the list is there. With
// none of them installed, Qt may search: a substitute beats missing glyphs.
const QStringList& installedFamilies() {
    static const QStringList installed = [] {
        const QStringList available = QFontDatabase::families();
        QStringList wanted;
        QStringList families;
        for (const std::string_view family : windowFontFamilies()) {
            wanted << qString(family);
            if (available.contains(wanted.back(), Qt::CaseInsensitive)) {
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

QPalette lightPalette() {
    QPalette palette;
    const QColor face(0xF0, 0xF0, 0xF0);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, Qt::darkGray);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, QColor(0x6D, 0x6D, 0x6D));
    }
    return palette;
}

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/vantoriku-16.png"));
    icon.addFile(QStringLiteral(":/icons/vantoriku-32.png"));
    return icon;
}

} // namespace vantoriku
