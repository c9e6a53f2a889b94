#include "printing/conversation.h"

#include <utility>

namespace vantoriku {

const QString kCannotPrint = QStringLiteral("ため、印刷できませんでした。");

void Conversation::heard(std::optional<Stage> reached) {
    const std::lock_guard lock(mutex);
    lastHeard = Clock::now();
    if (reached) {
        stage = *reached;
    }
}

bool Conversation::stopping() {
    const std::lock_guard lock(mutex);
    return ending || abandoned;
}

bool Conversation::givingUp() {
    const std::lock_guard lock(mutex);
    return ending || abandoned || (!asking && Clock::now() - lastHeard >= kSilence);
}

std::optional<Credentials> Conversation::askPassword(const QString& user, int refusedBefore) {
    std::unique_lock lock(mutex);
    if (ending || abandoned || !post) {
        return std::nullopt;
    }
    asking = true;
    refused = refusedBefore;
    credentials = Credentials{user, {}};
    post(passwordWanted);
    changed.wait(lock, [this] { return !asking || ending; });
    asking = false;
    lastHeard = Clock::now(); // the silence is counted again from the answer
    return ending ? std::nullopt : std::exchange(credentials, std::nullopt);
}

void Conversation::answer(std::optional<Credentials> given) {
    const std::lock_guard lock(mutex);
    credentials = std::move(given);
    asking = false;
    changed.notify_all();
}

Clock::duration Conversation::silenceLeft() {
    const std::lock_guard lock(mutex);
    return asking ? kSilence : kSilence - (Clock::now() - lastHeard);
}

QString silenceReason(Stage stage, const QString& server) {
    const int seconds = kPrintServerSilenceSeconds;
    switch (stage) {
    case Stage::LookingUp: // the name alone, without the port
        return QStringLiteral("印刷サーバー名「%1」のアドレスが%2秒以内にわからなかった")
                   .arg(server.left(server.lastIndexOf(u':')))
                   .arg(seconds) +
               kCannotPrint;
    case Stage::JobCreated:
        return QStringLiteral("印刷サーバー「%1」から%2秒以内に応答がなかった")
                   .arg(server)
                   .arg(seconds) +
               kCannotPrint + QStringLiteral("ただし、後から印刷されることもあります。");
    case Stage::PageSent:
    case Stage::Done:
        return QStringLiteral("印刷サーバー「%1」にページを送りましたが、%2秒以内に応答がなかった"
                              "ため、印刷されたかどうか確かめられませんでした。")
            .arg(server)
            .arg(seconds);
    default:
        return QStringLiteral("印刷サーバー「%1」から%2秒以内に応答がなかった")
                   .arg(server)
                   .arg(seconds) +
               kCannotPrint;
    }
}

} // namespace vantoriku
