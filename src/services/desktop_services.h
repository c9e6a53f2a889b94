#pragma once

#include "window/window_services.h"

#include <QPointer>

namespace vantoriku {

class HelpViewer;

// The services of a real desktop session: the help viewer, the default
// printer and the end of the program.
class DesktopServices : public WindowServices {
  public:
    DesktopServices();
    ~DesktopServices() override;
    void showHelp(QWidget& window) override;
    bool printClientArea(QWidget& clientArea, std::string& failure) override;
    void quit() override;

  private:
    QPointer<HelpViewer> helpViewer_;
};

} // namespace vantoriku
