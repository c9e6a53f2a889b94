#include "printing/libcups.h"

#include <QSizeF>

namespace vantoriku {

std::variant<std::unique_ptr<const Libcups>, QString> loadLibcups(const char* fileName) {
    // Never closed: a conversation that the window gave up may still be inside it.
    void* library = dlopen(fileName, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        return QStringLiteral(
                   "印刷に使うライブラリー「%1」が見つからないため、印刷できませんでした。")
            .arg(QString::fromLocal8Bit(fileName));
    }
    auto cups = std::make_unique<const Libcups>(library);
    if (cups->missing() != nullptr) {
        return QStringLiteral("ライブラリー「%1」に印刷に使う関数「%2」がないため、"
                              "印刷できませんでした。")
            .arg(QString::fromLocal8Bit(fileName), QString::fromLatin1(cups->missing()));
    }
    return cups;
}

QPageLayout pageLayout(const std::optional<cups_size_t>& media) {
    if (!media) {
        return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    }
    return {QPageSize(QSizeF(media->width, media->length) / 100, QPageSize::Millimeter),
            QPageLayout::Portrait,
            QMarginsF(media->left, media->top, media->right, media->bottom) / 100,
            QPageLayout::Millimeter};
}

} // namespace vantoriku
