#include "look/program_look.h"
#include "services/desktop_services.h"
#include "services/font_warm_up.h"
#include "window/main_window.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

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
    const int status = QApplication::exec();
    // A print thread that is still inside libcups after printing has had its
    // time to end would run on while the static destructors took Qt and
    // libcups away from under it: the process ends here instead.
    if (!services.endPrinting()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
