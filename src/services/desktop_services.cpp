#include "services/desktop_services.h"

#include "help/help_path.h"
#include "help/help_viewer.h"

#include <QApplication>
#include <QLibraryInfo>

namespace vantoriku {

DesktopServices::DesktopServices() {
    if (qtJapanese_.load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtJapanese_);
    }
}

DesktopServices::~DesktopServices() {
    delete helpViewer_;
}

void DesktopServices::showHelp(QWidget& window) {
    // Opened once; asked again, the help only comes to the front, where the reader left it.
    if (helpViewer_ == nullptr) {
        helpViewer_ = new HelpViewer(&window);
        helpViewer_->open(helpFilePath());
        helpViewer_->placeBeside(window);
    }
    helpViewer_->show();
    helpViewer_->raise();
    helpViewer_->activateWindow();
}

void DesktopServices::printClientArea(QWidget& clientArea,
                                      std::function<void(const std::string& failure)> done) {
    printer_.print(clientArea, [done = std::move(done)](const QString& failure) {
        done(failure.toStdString());
    });
}

void DesktopServices::quit() {
    // Leaves the event loop with status 0 at once; no window is asked to close.
    QApplication::exit(0);
}

} // namespace vantoriku
