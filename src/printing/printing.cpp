#include "printing/printing.h"

#include "printing/print_server.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QWidget>
#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace vantoriku {
namespace {

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

// The widget as the screen shows it, recorded as drawing commands: the text
// stays text, and the page is laid out once the printer's paper is known.
struct Drawing {
    QPicture picture;
    QSize size;
    int dpi = 0; // the picture's, which its text is sized for
};

Drawing draw(QWidget& widget) {
    const MergingFonts merging(widget);
    Drawing drawing;
    QPainter painter(&drawing.picture);
    widget.render(&painter, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    drawing.size = widget.size();
    drawing.dpi = drawing.picture.logicalDpiY();
    return drawing;
}

// The drawing as one PDF page with the given layout, scaled to fit with its
// aspect ratio kept.
QByteArray pdfPage(const Drawing& drawing, const QPageLayout& layout) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(QStringLiteral("Vantoriku"));
    writer.setResolution(drawing.dpi);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    const QSizeF page = layout.paintRect(QPageLayout::Inch).size() * drawing.dpi;
    const double scale =
        std::min(page.width() / drawing.size.width(), page.height() / drawing.size.height());
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, drawing.picture);
    painter.end();
    return pdf.data();
}

} // namespace

// The drawing waits here for the handing-over thread. Qt objects may be used
// only while the program has not begun to end: the lock keeps the end waiting
// while the page is made, never while the print server is.
struct Printer::Job {
    // The PDF page on the given paper, or nothing once the program has begun to end.
    std::optional<QByteArray> page(const QPageLayout& layout) {
        const std::lock_guard lock(mutex);
        if (!drawing) {
            return std::nullopt;
        }
        QByteArray pdf = pdfPage(*drawing, layout);
        drawing.reset();
        return pdf;
    }

    std::mutex mutex;
    std::optional<Drawing> drawing; // gone once the page is made, or the program ends
    QObject* receiver = nullptr;    // null once the program ends
};

Printer::Printer() = default;

Printer::~Printer() {
    if (job_ != nullptr) {
        const std::lock_guard lock(job_->mutex);
        job_->drawing.reset();
        job_->receiver = nullptr;
    }
}

void Printer::print(QWidget& widget, std::function<void(const QString& failure)> done) {
    if (done_) {
        const QString busy = QStringLiteral("前の印刷をまだプリンターに送っています。"
                                            "送り終えてから、もう一度印刷してください。");
        QMetaObject::invokeMethod(
            &receiver_,
            [widget = QPointer(&widget), done = std::move(done), busy] {
                if (widget) {
                    done(busy);
                }
            },
            Qt::QueuedConnection);
        return;
    }
    printed_ = &widget;
    done_ = std::move(done);
    job_ = std::make_shared<Job>();
    job_->drawing = draw(widget);
    job_->receiver = &receiver_;
    std::thread([this, job = job_] {
        const std::optional<QString> failure =
            handToDefaultPrinter([&job](const QPageLayout& layout) { return job->page(layout); });
        const std::lock_guard lock(job->mutex);
        job->drawing.reset();
        if (failure && job->receiver != nullptr) {
            QMetaObject::invokeMethod(
                job->receiver, [this, failure = *failure] { finish(failure); },
                Qt::QueuedConnection);
        }
    }).detach();
}

void Printer::finish(const QString& failure) {
    const auto done = std::exchange(done_, nullptr);
    if (printed_) {
        done(failure);
    }
}

} // namespace vantoriku