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
#include <utility>
#include <vector>

namespace vantoriku {
namespace {

// A function of libcups, which Qt's print plugin has already loaded to find the
// default printer. Looked up rather than linked: the program then starts
// without libcups and its dozen dependencies, which only printing needs.
template <typename Function> Function* cupsFunction(const char* name) {
    static void* const library = dlopen("libcups.so.2", RTLD_LAZY);
    return library != nullptr ? reinterpret_cast<Function*>(dlsym(library, name)) : nullptr;
}

// While it lives, every font in the widget may look for other faces. The
// window's fonts do not, to start faster; but Qt then records a face's own
// weight and slant for them, and a PDF loses the bold and italic that the
// screen draws for a face that has neither. The glyphs are the same.
class MergingFonts {
  public:
    explicit MergingFonts(QWidget& widget) {
        QList<QWidget*> widgets = widget.findChildren<QWidget*>();
        widgets.prepend(&widget);
        for (QWidget* each : widgets) {
            if (each == &widget || each->testAttribute(Qt::WA_SetFont)) {
                fonts_.emplace_back(each,
                                    each->testAttribute(Qt::WA_SetFont) ? each->font() : QFont());
                QFont merging = each->font();
                merging.setStyleStrategy(QFont::PreferDefault);
                each->setFont(merging);
            }
        }
    }
    ~MergingFonts() {
        for (const auto& [widget, font] : fonts_) {
            widget->setFont(font); // an empty font inherits again
        }
    }
    MergingFonts(const MergingFonts&) = delete;
    MergingFonts& operator=(const MergingFonts&) = delete;

  private:
    std::vector<std::pair<QWidget*, QFont>> fonts_;
};

// The widget as one PDF page with the given layout, scaled to fit with its
// aspect ratio kept. A PDF writer keeps the text as text: on a QPrinter,
// QWidget::render would first turn the whole page into one picture.
bool writePdfPage(QWidget& widget, const QPageLayout& layout, QIODevice& pdf) {
    const MergingFonts merging(widget);
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
    const auto namedDest = cupsFunction<decltype(cupsGetNamedDest)>("cupsGetNamedDest");
    const auto freeDests = cupsFunction<decltype(cupsFreeDests)>("cupsFreeDests");
    // A default such as "queue/instance" names an instance: the queue with
    // options of its own. CUPS takes the queue and the options, not the pair.
    const QByteArray queue = name.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray instance = name.section(u'/', 1).toLocal8Bit();
    cups_dest_t* dest = namedDest != nullptr
                            ? namedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                        instance.isEmpty() ? nullptr : instance.constData())
                            : nullptr;
    const bool handedOver =
        printFile != nullptr && printFile(queue.constData(), QFile::encodeName(pdf.fileName()),
                                          "Vantoriku", dest != nullptr ? dest->num_options : 0,
                                          dest != nullptr ? dest->options : nullptr) != 0;
    if (dest != nullptr && freeDests != nullptr) {
        freeDests(1, dest);
    }
    if (!handedOver) {
        const QString reason = lastError != nullptr ? QString::fromUtf8(lastError()) : QString();
        failure = QStringLiteral("プリンター「%1」が印刷を受け付けませんでした（%2）。")
                      .arg(name, reason);
        return false;
    }
    return true;
}

} // namespace vantoriku
