// The yardstick for start-up: a bare Qt window of the main window's size with
// one Japanese label in the default font, linking Qt Widgets alone.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(728, 512);
    auto* label = new QLabel(QStringLiteral("仏教伝来"), &window);
    label->move(24, 24);
    window.show();
    return QApplication::exec();
}
