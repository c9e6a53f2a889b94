#include "services/desktop_services.h"

#include "help/help_path.h"
#include "help/help_viewer.h"

#include <QApplication>
#include <QLibraryInfo>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vantoriku {
namespace {

// A signal handler may only write to a file; the event loop reads the other end.
int signalSocket = -1;

void onSignal(int /*signal*/) {
    const char byte = 0;
    [[maybe_unused]] const auto written = write(signalSocket, &byte, 1);
}

} // namespace

DesktopServices::DesktopServices(std::string printingLibrary)
    : printer_(std::move(printingLibrary)) {
    if (qtJapanese_.load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtJapanese_);
    }
    if (int sockets[2]; signalSocket < 0 && socketpair(AF_UNIX, SOCK_STREAM, 0, sockets) == 0) {
        signalSocket = sockets[0];
        signalled_ = std::make_unique<QSocketNotifier>(sockets[1], QSocketNotifier::Read);
        QObject::connect(signalled_.get(), &QSocketNotifier::activated, [socket = sockets[1]] {
            char byte = 0;
            [[maybe_unused]] const auto read = ::read(socket, &byte, 1);
            QApplication::exit(0); // as 終了: printing gets its second to end
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            sigaction(signal, &action, nullptr);
        }
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

bool DesktopServices::endPrinting() {
    return printer_.end();
}

void DesktopServices::quit() {
    // Leaves the event loop with status 0 at once; no window is asked to close.
    QApplication::exit(0);
}

} // namespace vantoriku
