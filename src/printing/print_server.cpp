#include "printing/print_server.h"

#include <QSizeF>
#include <cups/cups.h>
#include <dlfcn.h>

namespace vantoriku {
namespace {

// A member named and typed as the libcups function of that name.
// NOLINTBEGIN(bugprone-macro-parentheses): a name, not an expression
#define VANTORIKU_CUPS(name)                                                                       \
    decltype(&::name) name = reinterpret_cast<decltype(&::name)>(find(#name))
// NOLINTEND(bugprone-macro-parentheses)

// The functions of libcups that printing uses, from one handle of the library,
// opened when first needed rather than linked: the program then starts
// without libcups and its dozen dependencies, which only printing needs.
// Every libcups since 1.7 has them all.
struct Libcups {
    void* library = dlopen("libcups.so.2", RTLD_LAZY);
    [[nodiscard]] void* find(const char* name) const {
        return library != nullptr ? dlsym(library, name) : nullptr;
    }
    VANTORIKU_CUPS(cupsServer);
    VANTORIKU_CUPS(ippPort);
    VANTORIKU_CUPS(cupsEncryption);
    VANTORIKU_CUPS(httpConnect2);
    VANTORIKU_CUPS(httpSetTimeout);
    VANTORIKU_CUPS(httpClose);
    VANTORIKU_CUPS(cupsGetNamedDest);
    VANTORIKU_CUPS(cupsFreeDests);
    VANTORIKU_CUPS(cupsCopyDestInfo);
    VANTORIKU_CUPS(cupsFreeDestInfo);
    VANTORIKU_CUPS(cupsGetOption);
    VANTORIKU_CUPS(cupsFindDestDefault);
    VANTORIKU_CUPS(ippGetString);
    VANTORIKU_CUPS(cupsGetDestMediaByName);
    VANTORIKU_CUPS(cupsCreateDestJob);
    VANTORIKU_CUPS(cupsStartDestDocument);
    VANTORIKU_CUPS(cupsWriteRequestData);
    VANTORIKU_CUPS(cupsFinishDestDocument);
    VANTORIKU_CUPS(cupsCancelDestJob);
    VANTORIKU_CUPS(cupsLastError);
    VANTORIKU_CUPS(cupsLastErrorString);
};
#undef VANTORIKU_CUPS

const Libcups* libcups() {
    static const Libcups library;
    return library.library != nullptr ? &library : nullptr;
}

// The printer's paper, less the margins it cannot print on; A4 without
// margins for a printer that does not say.
QPageLayout pageLayout(const std::optional<cups_size_t>& media) {
    if (!media) {
        return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    }
    return {QPageSize(QSizeF(media->width, media->length) / 100, QPageSize::Millimeter),
            QPageLayout::Portrait,
            QMarginsF(media->left, media->top, media->right, media->bottom) / 100,
            QPageLayout::Millimeter};
}

const QString kNoPrinter = QStringLiteral("既定のプリンターがないため、印刷できませんでした。");

QString unreachable(const QString& server) {
    return QStringLiteral("印刷サーバー「%1」に接続できないため、印刷できませんでした。")
        .arg(server);
}

QString silence(const QString& server) {
    return QStringLiteral("印刷サーバー「%1」が%2秒待っても応答しないため、印刷できませんでした。")
        .arg(server)
        .arg(kPrintServerSilenceSeconds);
}

QString unconfirmed(const QString& server) {
    return QStringLiteral("印刷サーバー「%1」が%2秒待っても応答しないため、"
                          "印刷されたかどうか確かめられませんでした。")
        .arg(server)
        .arg(kPrintServerSilenceSeconds);
}

// One conversation with the print server about one job, each wait for it
// bounded; what it holds is freed when it ends.
class Handover {
  public:
    explicit Handover(const Libcups& cups) : cups_(cups) {}
    ~Handover() {
        if (info_ != nullptr) {
            cups_.cupsFreeDestInfo(info_);
        }
        if (dest_ != nullptr) {
            cups_.cupsFreeDests(1, dest_);
        }
        if (http_ != nullptr) {
            cups_.httpClose(http_);
        }
    }
    Handover(const Handover&) = delete;
    Handover& operator=(const Handover&) = delete;

    // Finds the default printer and its paper; a reason in Japanese if it cannot.
    QString findPrinter() {
        http_ = cups_.httpConnect2(cups_.cupsServer(), cups_.ippPort(), nullptr, AF_UNSPEC,
                                   cups_.cupsEncryption(), 1, kPrintServerSilenceSeconds * 1000,
                                   nullptr);
        if (http_ == nullptr) {
            return unreachable(server());
        }
        cups_.httpSetTimeout(http_, kPrintServerSilenceSeconds, giveUp, &silent_);
        // The default may be an instance, "queue/instance": the queue with
        // options of its own, which CUPS reads from the user's settings.
        dest_ = cups_.cupsGetNamedDest(http_, nullptr, nullptr);
        if (dest_ == nullptr) {
            return unlessSilent(
                cups_.cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND
                    ? kNoPrinter
                    : QStringLiteral(
                          "印刷サーバー「%1」から既定のプリンターを得られませんでした（%2）。")
                          .arg(server(), lastError()));
        }
        info_ = cups_.cupsCopyDestInfo(http_, dest_);
        if (info_ != nullptr) {
            media_ = paper();
        }
        return unlessSilent({});
    }

    [[nodiscard]] QString printer() const {
        const QString queue = QString::fromLocal8Bit(dest_->name);
        return dest_->instance != nullptr ? queue + u'/' + QString::fromLocal8Bit(dest_->instance)
                                          : queue;
    }
    [[nodiscard]] QPageLayout layout() const { return pageLayout(media_); }

    // Hands the PDF page over as one job with the printer's options.
    QString send(const QByteArray& pdf) {
        int id = 0;
        if (cups_.cupsCreateDestJob(http_, dest_, info_, &id, "Vantoriku", dest_->num_options,
                                    dest_->options) != IPP_STATUS_OK) {
            return refused();
        }
        const bool written =
            cups_.cupsStartDestDocument(http_, dest_, info_, id, "Vantoriku", CUPS_FORMAT_PDF, 0,
                                        nullptr, 1) == HTTP_STATUS_CONTINUE &&
            cups_.cupsWriteRequestData(http_, pdf.constData(), static_cast<size_t>(pdf.size())) ==
                HTTP_STATUS_CONTINUE;
        if (written && cups_.cupsFinishDestDocument(http_, dest_, info_) == IPP_STATUS_OK) {
            return {};
        }
        if (written && silent_) {
            // The whole page went out; only the server's word on it did not come.
            return unconfirmed(server());
        }
        QString reason = refused();
        if (!silent_) { // a job without its page would wait on the queue
            cups_.cupsCancelDestJob(http_, dest_, id);
        }
        return reason;
    }

  private:
    // The paper that the printer's options name (an instance's, say), or
    // else the printer's default, with the margins it cannot print on.
    std::optional<cups_size_t> paper() {
        const char* name = cups_.cupsGetOption("media", dest_->num_options, dest_->options);
        if (name == nullptr) {
            ipp_attribute_t* fallback = cups_.cupsFindDestDefault(http_, dest_, info_, "media");
            name = fallback != nullptr ? cups_.ippGetString(fallback, 0, nullptr) : nullptr;
        }
        cups_size_t size{};
        if (name == nullptr || cups_.cupsGetDestMediaByName(http_, dest_, info_, name,
                                                            CUPS_MEDIA_FLAGS_DEFAULT, &size) == 0) {
            return {};
        }
        return size;
    }
    static int giveUp(http_t* /*http*/, void* silent) {
        *static_cast<bool*>(silent) = true;
        return 0;
    }
    // As the user's settings name it: a socket's path, or a host and its port.
    [[nodiscard]] QString server() const {
        const QString host = QString::fromLocal8Bit(cups_.cupsServer());
        return host.startsWith(u'/') ? host : host + u':' + QString::number(cups_.ippPort());
    }
    [[nodiscard]] QString lastError() const {
        return QString::fromUtf8(cups_.cupsLastErrorString());
    }
    [[nodiscard]] QString refused() const {
        return unlessSilent(QStringLiteral("プリンター「%1」が印刷を受け付けませんでした（%2）。")
                                .arg(printer(), lastError()));
    }
    // A wait that gave up fails each call after it as well; that is the reason.
    [[nodiscard]] QString unlessSilent(const QString& result) const {
        return silent_ ? silence(server()) : result;
    }

    const Libcups& cups_;
    http_t* http_ = nullptr;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
    std::optional<cups_size_t> media_;
    bool silent_ = false;
};

} // namespace

std::optional<QString>
handToDefaultPrinter(const std::function<std::optional<QByteArray>(const QPageLayout&)>& page) {
    const Libcups* cups = libcups();
    if (cups == nullptr) {
        return kNoPrinter;
    }
    Handover handover(*cups);
    if (QString failure = handover.findPrinter(); !failure.isEmpty()) {
        return failure;
    }
    const std::optional<QByteArray> pdf = page(handover.layout());
    if (!pdf) {
        return std::nullopt;
    }
    return handover.send(*pdf);
}

} // namespace vantoriku
