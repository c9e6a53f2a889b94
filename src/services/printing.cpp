#include "services/printing.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QWidget>
#include <algorithm>
#include <cups/cups.h>
#include <dlfcn.h>

namespace vantoriku {
namespace {

// A function of libcups, which Qt's print plugin has already loaded to find the
// default printer. Looked up rather than linked: the program then starts
// without libcups and its dozen dependencies, which only printing needs.
template <typename Function> Function* cupsFunction(const char* name) {
    static void* const library = dlopen("libcups.so.2", RTLD_LAZY);
    return library != nullptr ? reinterpret_cast<Function*>(dlsym(library, name)) : nullptr;
}

// The widget as one PDF page with the given layout, scaled to fit with its
// aspect ratio kept. A PDF writer keeps the text as text: on a QPrinter,
// QWidget::render would first turn the whole page into one picture.
bool writePdfPage(QWidget& widget, const QPageLayout& layout, QIODevice& pdf) {
    QPdfWriter writer(&pdf);
    writer.setTitle(QStringLiteral("Vantoriku"));
    writer.setResolution(1200);
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const QRect page = layout.paintRectPixels(writer.resolution());
    const double scale =
        std::min(double(page.width()) / widget.width(), double(page.height()) / widget.height());
    painter.scale(scale, scale);
    widget.render(&painter, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return painter.end();
}

} // namespace

bool printOnDefaultPrinter(QWidget& widget, QString& failure) {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        failure = QStringLiteral("既定のプリンターがないため、印刷できませんでした。");
        return false;
    }
    const QString name = printer.printerName();
    QTemporaryFile pdf(QDir::temp().filePath(QStringLiteral("vantoriku-XXXXXX.pdf")));
    if (!pdf.open() || !writePdfPage(widget, QPrinter(printer).pageLayout(), pdf) || !pdf.flush()) {
        failure = QStringLiteral("プリンター「%1」で印刷を始められませんでした。").arg(name);
        return false;
    }
    const auto printFile = cupsFunction<decltype(cupsPrintFile)>("cupsPrintFile");
    const auto lastError = cupsFunction<decltype(cupsLastErrorString)>("cupsLastErrorString");
    const bool handedOver = printFile != nullptr && printFile(name.toLocal8Bit().constData(),
                                                              QFile::encodeName(pdf.fileName()),
                                                              "Vantoriku", 0, nullptr) != 0;
    if (!handedOver) {
        const QString reason = lastError != nullptr ? QString::fromUtf8(lastError()) : QString();
        failure = QStringLiteral("プリンター「%1」が印刷を受け付けませんでした（%2）。")
                      .arg(name, reason);
        return false;
    }
    return true;
}

} // namespace vantoriku
