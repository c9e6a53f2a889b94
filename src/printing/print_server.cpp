#include "printing/print_server.h"

#include "printing/libcups.h"

#include <algorithm>
#include <string>

namespace vantoriku {

namespace {

// One conversation with the print server about one job; what it holds is
// freed when it ends.
class Handover {
  public:
    Handover(const Libcups& cups, Conversation& conversation)
        : cups_(cups), conversation_(conversation) {
        // Asked here rather than on a terminal, which the desktop may not have.
        cups_.cupsSetPasswordCB2(password, this);
    }
    ~Handover() {
        cups_.cupsSetPasswordCB2(nullptr, nullptr);
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
        const QString host = QString::fromLocal8Bit(cups_.cupsServer());
        {
            const std::lock_guard lock(conversation_.mutex);
            conversation_.server = server();
            conversation_.stage = host.startsWith(u'/') ? Stage::Connecting : Stage::LookingUp;
        }
        if (!host.startsWith(u'/')) {
            const QByteArray port = QByteArray::number(cups_.ippPort());
            http_addrlist_t* addresses =
                cups_.httpAddrGetList(cups_.cupsServer(), AF_UNSPEC, port.constData());
            if (addresses == nullptr) {
                return QStringLiteral("印刷サーバー名「%1」のアドレスが見つからない").arg(host) +
                       kCannotPrint;
            }
            cups_.httpAddrFreeList(addresses);
            conversation_.heard(Stage::Connecting);
        }
        http_ = connect(kSilence);
        if (http_ == nullptr) {
            const http_encryption_t encryption = cups_.cupsEncryption();
            const bool encrypted =
                encryption == HTTP_ENCRYPTION_REQUIRED || encryption == HTTP_ENCRYPTION_ALWAYS;
            const ipp_status_t error = cups_.cupsLastError();
            return QStringLiteral("印刷サーバー「%1」%2")
                       .arg(server(),
                            error == IPP_STATUS_ERROR_CUPS_PKI ||
                                    (encrypted && error != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
                                ? QStringLiteral("と暗号化した接続ができなかった")
                                : QStringLiteral("に接続できない")) +
                   kCannotPrint;
        }
        cups_.httpSetTimeout(http_, kCheckSeconds, giveUp, this);
        conversation_.heard(Stage::Talking);
        // The default may be an instance, "queue/instance": the queue with
        // options of its own, which CUPS reads from the user's settings.
        dest_ = cups_.cupsGetNamedDest(http_, nullptr, nullptr);
        if (dest_ == nullptr) {
            return reason(cups_.cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND
                              ? QStringLiteral("ふだん使うプリンターが見つからない") + kCannotPrint
                              : QStringLiteral("ふだん使うプリンターを印刷サーバー「%1」に"
                                               "問い合わせられなかった")
                                        .arg(server()) +
                                    kCannotPrint + serverWords());
        }
        conversation_.heard();
        info_ = cups_.cupsCopyDestInfo(http_, dest_);
        if (info_ == nullptr || gaveUp_) {
            return reason(QStringLiteral("プリンター「%1」の用紙などの情報を印刷サーバーから"
                                         "受け取れなかった")
                              .arg(printer()) +
                          kCannotPrint + serverWords());
        }
        conversation_.heard();
        media_ = paper();
        return {};
    }

    [[nodiscard]] QPageLayout layout() const { return pageLayout(media_); }

    // Hands the PDF page over as one job with the printer's options.
    QString send(const QByteArray& pdf) {
        conversation_.heard(); // making the page took our time, not the server's
        if (conversation_.stopping()) {
            return silent();
        }
        // A wait that gave up may leave libcups's last status as it was: each
        // step is judged by that too.
        if (cups_.cupsCreateDestJob(http_, dest_, info_, &job_, "Vantoriku", dest_->num_options,
                                    dest_->options) != IPP_STATUS_OK ||
            gaveUp_) {
            return reason(
                QStringLiteral("プリンター「%1」が印刷を受け付けなかった").arg(printer()) +
                kCannotPrint + serverWords());
        }
        conversation_.heard(Stage::JobCreated);
        const bool written =
            !conversation_.stopping() &&
            cups_.cupsStartDestDocument(http_, dest_, info_, job_, "Vantoriku", CUPS_FORMAT_PDF, 0,
                                        nullptr, 1) == HTTP_STATUS_CONTINUE &&
            cups_.cupsWriteRequestData(http_, pdf.constData(), static_cast<size_t>(pdf.size())) ==
                HTTP_STATUS_CONTINUE &&
            !gaveUp_;
        if (written) {
            conversation_.heard(Stage::PageSent);
            if (cups_.cupsFinishDestDocument(http_, dest_, info_) == IPP_STATUS_OK && !gaveUp_) {
                return {};
            }
        }
        QString refused =
            reason(QStringLiteral("プリンター「%1」がページを受け取らなかった").arg(printer()) +
                   kCannotPrint + serverWords());
        bool ending = false;
        Stage stage = Stage::JobCreated;
        {
            const std::lock_guard lock(conversation_.mutex);
            ending = conversation_.ending;
            stage = conversation_.stage;
        }
        // A job without its whole page would wait on the queue; one whose page
        // went out may yet print, and is left to the server unless the
        // program ends.
        if ((stage == Stage::JobCreated || ending) && cancel()) {
            return gaveUp_ ? silenceReason(Stage::Talking, server()) : refused;
        }
        return refused;
    }

  private:
    static constexpr double kCheckSeconds = 0.1; // how often a wait looks up

    [[nodiscard]] http_t* connect(Clock::duration within) const {
        const auto msec = std::chrono::duration_cast<std::chrono::milliseconds>(within).count();
        return cups_.httpConnect2(cups_.cupsServer(), cups_.ippPort(), nullptr, AF_UNSPEC,
                                  cups_.cupsEncryption(), 1,
                                  static_cast<int>(std::max<decltype(msec)>(msec, 1)), nullptr);
    }

    // Cancels the job on a connection of its own: the first may be broken,
    // or busy with a request. Waits until the silence or the program's end.
    bool cancel() {
        {
            const std::lock_guard lock(conversation_.mutex);
            cancelBy_ = std::min(Clock::now() + kSilence, conversation_.endBy);
        }
        cancelling_ = true;
        http_t* http = connect(cancelBy_ - Clock::now());
        if (http == nullptr) {
            return false;
        }
        cups_.httpSetTimeout(http, kCheckSeconds, giveUpCancelling, this);
        const bool cancelled = cups_.cupsCancelDestJob(http, dest_, job_) == IPP_STATUS_OK;
        cups_.httpClose(http);
        return cancelled;
    }

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

    // libcups asks while a wait lasts: on (1) or give up (0).
    static int giveUp(http_t* /*http*/, void* handover) {
        auto& self = *static_cast<Handover*>(handover);
        self.gaveUp_ = self.conversation_.givingUp();
        return self.gaveUp_ ? 0 : 1;
    }
    static int giveUpCancelling(http_t* /*http*/, void* handover) {
        return Clock::now() < static_cast<Handover*>(handover)->cancelBy_ ? 1 : 0;
    }

    // libcups asks when the server wants a password: the user is asked on
    // the window's thread, three times at most.
    static const char* password(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                                const char* /*resource*/, void* handover) {
        auto& self = *static_cast<Handover*>(handover);
        if (self.cancelling_) { // the password that was taken, if any, without asking again
            return self.password_.empty() ? nullptr : self.password_.c_str();
        }
        if (self.asked_ == kPasswordTries) {
            self.passwordFailure_ =
                QStringLiteral("パスワードが%1回とも受け付けられなかった").arg(kPasswordTries) +
                kCannotPrint;
            return nullptr;
        }
        const std::optional<Credentials> given = self.conversation_.askPassword(
            QString::fromLocal8Bit(self.cups_.cupsUser()), self.asked_);
        if (!given || given->password.isEmpty()) {
            self.passwordFailure_ = QStringLiteral("パスワードの入力が取り消された") + kCannotPrint;
            return nullptr;
        }
        ++self.asked_;
        self.cups_.cupsSetUser(given->user.toLocal8Bit().constData());
        self.password_ = given->password.toStdString();
        return self.password_.c_str();
    }
    static constexpr int kPasswordTries = 3;

    // As the user's settings name it: a socket's path, or a host and its port.
    [[nodiscard]] QString server() const {
        const QString host = QString::fromLocal8Bit(cups_.cupsServer());
        return host.startsWith(u'/') ? host : host + u':' + QString::number(cups_.ippPort());
    }
    [[nodiscard]] QString printer() const {
        const QString queue = QString::fromLocal8Bit(dest_->name);
        return dest_->instance != nullptr ? queue + u'/' + QString::fromLocal8Bit(dest_->instance)
                                          : queue;
    }
    // libcups's words for the last failure, standing apart from ours.
    [[nodiscard]] QString serverWords() const {
        const QString words = QString::fromUtf8(cups_.cupsLastErrorString());
        // A connection that broke leaves the last status as it was, often "successful-ok".
        return words.isEmpty() || cups_.cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE
                   ? QString()
                   : QStringLiteral("（サーバーの応答: %1）").arg(words);
    }
    // A refused password, or a wait that gave up, fails the step and every
    // call after it: that is the reason, not what the step says.
    [[nodiscard]] QString reason(const QString& otherwise) const {
        if (!passwordFailure_.isEmpty()) {
            return passwordFailure_;
        }
        if (gaveUp_) {
            return silent();
        }
        const ipp_status_t error = cups_.cupsLastError();
        if (error == IPP_STATUS_ERROR_NOT_AUTHORIZED || error == IPP_STATUS_ERROR_FORBIDDEN) {
            return QStringLiteral("印刷サーバー「%1」が印刷を許可しなかった").arg(server()) +
                   kCannotPrint;
        }
        return otherwise;
    }
    [[nodiscard]] QString silent() const {
        const std::lock_guard lock(conversation_.mutex);
        return silenceReason(conversation_.stage, conversation_.server);
    }

    const Libcups& cups_;
    Conversation& conversation_;
    http_t* http_ = nullptr;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
    std::optional<cups_size_t> media_;
    int job_ = 0;
    bool gaveUp_ = false;
    bool cancelling_ = false;
    Clock::time_point cancelBy_;
    int asked_ = 0;
    std::string password_;
    QString passwordFailure_;
};

} // namespace

std::optional<QString>
handToDefaultPrinter(const char* library, Conversation& conversation,
                     const std::function<std::optional<QByteArray>(const QPageLayout&)>& page) {
    auto loaded = loadLibcups(library);
    if (auto* failure = std::get_if<QString>(&loaded)) {
        return *failure;
    }
    Handover handover(*std::get<std::unique_ptr<const Libcups>>(loaded), conversation);
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
