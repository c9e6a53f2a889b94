#pragma once

#include "printing/printing.h"
#include "window/window_services.h"

#include <QPointer>
#include <QTranslator>

namespace vantoriku {

class HelpViewer;

// The services of a real desktop session: the help viewer, the default
// printer and the end of the program. While they live, the texts that Qt
// draws itself (the standard context menus, say) are in Japanese, where Qt's
// own translation is installed.
class DesktopServices : public WindowServices {
  public:
    DesktopServices();
    ~DesktopServices() override;
    void showHelp(QWidget& window) override;
    void printClientArea(QWidget& clientArea,
                         std::function<void(const std::string& failure)> done) override;
    void quit() override;

  private:
    QTranslator qtJapanese_;
    QPointer<HelpViewer> helpViewer_;
    Printer printer_;
};

} // namespace vantoriku
