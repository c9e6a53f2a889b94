#include "services/printing.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>
#include <cups/cups.h>
#include <dlfcn.h>
#include <optional>

namespace vantoriku {
namespace {

// What CUPS said of the job Qt just handed it, or nothing when the job did not
// go through CUPS. libcups is looked up where Qt's print plugin loaded it
// rather than linked: the program then starts without it and its dozen
// dependencies, which only printing needs.
std::optional<QString> cupsRejection() {
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (cups == nullptr) {
        return std::nullopt;
    }
    using LastError = ipp_status_t (*)();
    using LastErrorString = const char* (*)();
    const auto lastError = reinterpret_cast<LastError>(dlsym(cups, "cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<LastErrorString>(dlsym(cups, "cupsLastErrorString"));
    std::optional<QString> rejection;
    if (lastError != nullptr && lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        rejection = lastErrorString != nullptr ? QString::fromUtf8(lastErrorString()) : QString();
    }
    dlclose(cups);
    return rejection;
}

} // namespace

bool printOnDefaultPrinter(QWidget& widget, QString& failure) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        failure = QStringLiteral("既定のプリンターがないため、印刷できませんでした。");
        return false;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Vantoriku"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        failure = QStringLiteral("プリンター「%1」で印刷を始められませんでした。")
                      .arg(defaultPrinter.printerName());
        return false;
    }
    // Draw the widgets themselves at printer resolution rather than a
    // stretched screen grab, so the text prints sharp.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / widget.width(), page.height() / widget.height());
    painter.scale(scale, scale);
    widget.render(&painter, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();

    // Qt hands the job to CUPS as the painter ends and ignores the answer.
    if (const auto rejection = cupsRejection()) {
        failure = QStringLiteral("プリンター「%1」が印刷を受け付けませんでした（%2）。")
                      .arg(defaultPrinter.printerName(), *rejection);
        return false;
    }
    return true;
}

} // namespace vantoriku
