#include "printing/printing.h"

#include "printing/password_dialog.h"
#include "printing/print_server.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QWidget>
#include <algorithm>
#include <optional>
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

// One conversation as the window's thread sees it.
struct Printer::Talk {
    std::shared_ptr<Conversation> conversation = std::make_shared<Conversation>();
    std::thread thread;
    QPointer<QWidget> printed;
    std::function<void(const QString&)> done; // empty once the user has been told
    QTimer silence;                           // the server's time to answer
    QPointer<PasswordDialog> dialog;
    bool finished = false; // the thread has its result and ends
};

Printer::Printer(std::string library) : library_(std::move(library)) {}

Printer::~Printer() {
    end();
}

void Printer::print(QWidget& widget, std::function<void(const QString& failure)> done) {
    talks_.remove_if([](Talk& talk) {
        if (talk.finished) {
            talk.thread.join(); // it has posted its result, its last step
        }
        return talk.finished;
    });
    if (std::any_of(talks_.begin(), talks_.end(), [](const Talk& talk) { return talk.done; })) {
        refuse(widget, std::move(done),
               QStringLiteral("前の印刷をまだプリンターに送っています。"
                              "送り終えてから、もう一度印刷してください。"));
        return;
    }
    if (talks_.size() >= kStuckAllowed) {
        refuse(
            widget, std::move(done),
            QStringLiteral("印刷サーバーが前の印刷にまだ応答していないため、印刷できませんでした。"
                           "しばらくしてから、もう一度印刷してください。"));
        return;
    }
    Talk& talk = talks_.emplace_back();
    talk.printed = &widget;
    talk.done = std::move(done);
    const std::shared_ptr<Conversation> conversation = talk.conversation;
    conversation->post = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(&receiver_, std::move(call), Qt::QueuedConnection);
    };
    conversation->passwordWanted = [this, &talk] { askPassword(talk); };
    talk.silence.setSingleShot(true);
    QObject::connect(&talk.silence, &QTimer::timeout, &receiver_, [&talk] { checkSilence(talk); });
    talk.silence.start(std::chrono::duration_cast<std::chrono::milliseconds>(kSilence));
    talk.thread = std::thread([&talk, conversation, library = library_, drawing = draw(widget)] {
        const std::optional<QString> failure =
            handToDefaultPrinter(library.c_str(), *conversation, [&](const QPageLayout& layout) {
                // No Qt once the program has begun to end.
                return conversation->stopping() ? std::nullopt
                                                : std::optional(pdfPage(drawing, layout));
            });
        const std::lock_guard lock(conversation->mutex);
        conversation->stage = Stage::Done;
        conversation->changed.notify_all();
        if (conversation->post) {
            conversation->post([&talk, failure] { finish(talk, failure); });
        }
    });
}

void Printer::refuse(QWidget& widget, std::function<void(const QString&)> done,
                     const QString& why) {
    QMetaObject::invokeMethod(
        &receiver_,
        [widget = QPointer(&widget), done = std::move(done), why] {
            if (widget) {
                done(why);
            }
        },
        Qt::QueuedConnection);
}

void Printer::tell(Talk& talk, const QString& failure) {
    const auto done = std::exchange(talk.done, nullptr);
    if (done && talk.printed) {
        done(failure);
    }
}

void Printer::finish(Talk& talk, const std::optional<QString>& failure) {
    talk.finished = true;
    talk.silence.stop();
    if (failure) {
        tell(talk, *failure);
    }
    talk.done = nullptr;
}

void Printer::checkSilence(Talk& talk) {
    if (!talk.done) {
        return;
    }
    Conversation& conversation = *talk.conversation;
    if (const auto left = conversation.silenceLeft(); left > Clock::duration::zero()) {
        talk.silence.start(std::chrono::ceil<std::chrono::milliseconds>(left));
        return;
    }
    std::unique_lock lock(conversation.mutex);
    conversation.abandoned = true;
    const QString failure = silenceReason(conversation.stage, conversation.server);
    lock.unlock();
    tell(talk, failure);
}

void Printer::askPassword(Talk& talk) {
    Conversation& conversation = *talk.conversation;
    std::unique_lock lock(conversation.mutex);
    if (!talk.printed || !talk.done || !conversation.credentials) {
        lock.unlock();
        conversation.answer(std::nullopt);
        return;
    }
    auto* dialog = new PasswordDialog(talk.printed->window(), conversation.server,
                                      conversation.credentials->user, conversation.refused);
    lock.unlock();
    talk.dialog = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, &receiver_, [&conversation, dialog](int result) {
        conversation.answer(result == QDialog::Accepted ? std::optional(dialog->credentials())
                                                        : std::nullopt);
    });
    dialog->open();
}

bool Printer::end(std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    for (Talk& talk : talks_) {
        Conversation& conversation = *talk.conversation;
        {
            const std::lock_guard lock(conversation.mutex);
            conversation.ending = true;
            // The thread's own last steps, cancelling a job, end a little before.
            conversation.endBy = until - limit / 10;
            conversation.post = nullptr;
            conversation.changed.notify_all();
        }
        delete talk.dialog;
    }
    bool ended = true;
    for (Talk& talk : talks_) {
        Conversation& conversation = *talk.conversation;
        std::unique_lock lock(conversation.mutex);
        if (conversation.changed.wait_until(lock, until,
                                            [&] { return conversation.stage == Stage::Done; })) {
            lock.unlock();
            talk.thread.join();
        } else {
            lock.unlock();
            talk.thread.detach(); // still inside libcups, holding only the conversation
            ended = false;
        }
    }
    talks_.clear();
    // What the threads posted before may name a conversation that is gone.
    QCoreApplication::removePostedEvents(&receiver_);
    return ended;
}

} // namespace vantoriku
