#include "look/program_look.h"
#include "services/desktop_services.h"
#include "services/font_warm_up.h"
#include "window/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    vantoriku::FontWarmUp fonts;
    QApplication application(argc, argv);
    fonts.finish();
    vantoriku::useProgramLook();
    QApplication::setApplicationName("vantoriku");
    QApplication::setDesktopFileName("org.vantoriku.vantoriku");

    vantoriku::DesktopServices services;
    vantoriku::MainWindow window(services);
    window.showAtStart();
    return QApplication::exec();
}
