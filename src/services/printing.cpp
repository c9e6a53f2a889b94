#include "services/printing.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>
#include <cups/cups.h>

namespace vantoriku {

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
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        failure = QStringLiteral("プリンター「%1」が印刷を受け付けませんでした（%2）。")
                      .arg(defaultPrinter.printerName(), QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    return true;
}

} // namespace vantoriku
