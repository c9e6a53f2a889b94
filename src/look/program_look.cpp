#include "look/program_look.h"

#include "look/program_style.h"

#include <QApplication>

namespace vantoriku {

QPalette lightPalette() {
    // Every role is derived from the light face, so none of a dark desktop
    // palette shows through; then the few that need more contrast.
    QPalette palette(QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x5F, 0xB8));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, QColor(0x5F, 0x5F, 0x5F));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, QColor(0x5F, 0x5F, 0x5F));
    }
    return palette;
}

void useProgramLook() {
    if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new ProgramStyle);
    }
    QApplication::setPalette(lightPalette());
}

} // namespace vantoriku
