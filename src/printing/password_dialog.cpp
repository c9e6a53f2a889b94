#include "printing/password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace vantoriku {

PasswordDialog::PasswordDialog(QWidget* parent, const QString& server, const QString& user,
                               int refused)
    : QDialog(parent), user_(new QLineEdit(user)), password_(new QLineEdit) {
    setObjectName("passwordDialog");
    setWindowTitle(QStringLiteral("Vantoriku 印刷"));
    auto* message = new QLabel(
        refused == 0
            ? QStringLiteral("印刷サーバー「%1」で印刷するには、ユーザー名とパスワードが必要です。")
                  .arg(server)
            : QStringLiteral("ユーザー名かパスワードが違います。もう一度入力してください。"));
    message->setObjectName("passwordMessage");
    message->setWordWrap(true);
    user_->setObjectName("userName");
    password_->setObjectName("password");
    password_->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(message);
    form->addRow(QStringLiteral("ユーザー名"), user_);
    form->addRow(QStringLiteral("パスワード"), password_);
    form->addRow(buttons);
    (user.isEmpty() ? user_ : password_)->setFocus();
}

Credentials PasswordDialog::credentials() const {
    return {user_->text(), password_->text()};
}

} // namespace vantoriku
