#pragma once

#include "printing/printing.h"
#include "window/window_services.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTranslator>
#include <memory>

namespace vantoriku {

class HelpViewer;

// The services of a real desktop session: the help viewer, the default
// printer and the end of the program. While they live, the texts that Qt
// draws itself (the standard context menus, say) are in Japanese, where Qt's
// own translation is installed, and SIGTERM, SIGINT and SIGHUP end the event
// loop as 終了 does.
class DesktopServices : public WindowServices {
  public:
    // `printingLibrary`: see Printer.
    explicit DesktopServices(std::string printingLibrary = "libcups.so.2");
    ~DesktopServices() override;
    void showHelp(QWidget& window) override;
    void printClientArea(QWidget& clientArea,
                         std::function<void(const std::string& failure)> done) override;
    void quit() override;
    // Ends printing, waiting 0.6 s at most, so that the program ends within a
    // second; see Printer::end().
    bool endPrinting();

  private:
    QTranslator qtJapanese_;
    QPointer<HelpViewer> helpViewer_;
    Printer printer_;
    std::unique_ptr<QSocketNotifier> signalled_;
};

} // namespace vantoriku
