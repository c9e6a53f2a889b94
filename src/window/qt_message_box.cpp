#include "window/qt_message_box.h"

#include <QMessageBox>

namespace vantoriku {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    if (parent_ != nullptr) {
        // A box is a window of its own and would take the desktop's font;
        // keep the main window's.
        box.setFont(parent_->font());
    }
    // Screen readers read a box's description; the message itself is a label,
    // which Orca skips under three words, as Japanese, without spaces, always is.
    box.setAccessibleDescription(box.text());
    box.exec();
}

} // namespace vantoriku
