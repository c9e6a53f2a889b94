#include "services/desktop_services.h"
#include "sheet/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("vantoriku");
    QApplication::setDesktopFileName("org.vantoriku.Vantoriku");

    vantoriku::DesktopServices services;
    vantoriku::Form1 form(services);
    form.Form_Load();
    return QApplication::exec();
}
