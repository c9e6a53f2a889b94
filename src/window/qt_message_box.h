#pragma once

#include "drill/message_box.h"

class QWidget;

namespace vantoriku {

// The drill's messages as a real modal QMessageBox: the application title,
// one OK button, no icon.
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void show(const std::string& text) override;

  private:
    QWidget* parent_;
};

} // namespace vantoriku
