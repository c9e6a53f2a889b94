// The yardstick for start-up: a bare Qt window with one Japanese label,
// linking Qt Widgets alone.
#include "first_paint.h"

#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    startup::FirstPaint firstPaint;
    QWidget window;
    auto* label = new QLabel(QStringLiteral("日本史の年号"), &window);
    label->setGeometry(10, 10, 200, 20);
    window.resize(728, 512);
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
