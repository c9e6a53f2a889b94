#include "sheet/form1_message_box.h"

#include <QMessageBox>

namespace vantoriku {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.setObjectName("messageBox");
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace vantoriku
