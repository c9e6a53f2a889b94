#pragma once

#include "printing/conversation.h"

#include <QDialog>

class QLineEdit;

namespace vantoriku {

// Asks for the user name and password that a print server wants, as the
// desktop's print dialogs do: the name filled in, the password hidden.
class PasswordDialog : public QDialog {
  public:
    // `refused` says how many passwords the server has already turned down.
    PasswordDialog(QWidget* parent, const QString& server, const QString& user, int refused);
    [[nodiscard]] Credentials credentials() const;

  private:
    QLineEdit* user_;
    QLineEdit* password_;
};

} // namespace vantoriku
