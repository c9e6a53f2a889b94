#include "look/frame.h"

#include "drill/message_box.h"

#include <QWidget>

namespace vantoriku {

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/vantoriku-16.png"));
    icon.addFile(QStringLiteral(":/icons/vantoriku-32.png"));
    return icon;
}

void frameMainWindow(QWidget& window) {
    window.setWindowTitle(QString::fromUtf8(kApplicationTitle));
    window.setWindowIcon(programIcon());
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
}

} // namespace vantoriku
