#pragma once

#include "drill/drill.h"
#include "sheet/drill_sheet.h"
#include "window/qt_message_box.h"
#include "window/window_services.h"

#include <QMainWindow>
#include <array>

class QAction;
class QPushButton;

namespace vantoriku {

class AnswerField;
struct FontSpec;
class SheetLabel;

// The main window. It draws the DrillSheet, writes typed answers into it and
// hands every command to the drill or to the window services.
class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(WindowServices& services, QWidget* parent = nullptr);

    // Shows the window centred on the screen with the focus in the first answer.
    void Form_Load();

    void mokuji_Click();
    void munprintitem_Click();
    void munquititem_Click();

    DrillSheet& sheet() { return sheet_; }
    QWidget& clientArea() { return *client_; }
    static QFont fontFor(const FontSpec& size);

  private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void render(const Member& member);
    void renderAll(); // the whole sheet, once, when the window is built

    DrillSheet sheet_;
    QtMessageBox messageBox_{this};
    Drill drill_{sheet_, messageBox_};
    WindowServices& services_;

    QWidget* client_ = nullptr;
    std::array<SheetLabel*, 40> questionLabels_{};
    std::array<AnswerField*, 40> answerFields_{};
    std::array<SheetLabel*, kCells.size()> cellLabels_{};
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    std::array<QAction*, 4> eraItems_{};
    bool drawing_ = false; // the window is showing a write of the sheet
};

} // namespace vantoriku
