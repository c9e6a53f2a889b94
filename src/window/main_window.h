#pragma once

#include "drill/drill.h"
#include "sheet/drill_sheet.h"
#include "window/qt_message_box.h"
#include "window/window_services.h"

#include <QMainWindow>
#include <array>
#include <optional>

class QAction;
class QPushButton;

namespace vantoriku {

class AnswerField;
struct LayoutRow;
struct MenuItem;
class SheetLabel;

// The main window. It draws the DrillSheet, writes typed answers into it and
// hands every command to the drill or to the window services.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(WindowServices& services, QWidget* parent = nullptr);

    // Shows the window centred on the screen with the focus in the first answer.
    void showAtStart();

    void openHelp();
    // Prints the sheet without the buttons 採点 and 総合評価.
    void print();
    void quit();

    DrillSheet& sheet() { return sheet_; }
    QWidget& clientArea() { return *client_; }

  protected:
    void moveEvent(QMoveEvent* event) override;

  private:
    QWidget* createControl(const LayoutRow& control);
    void createControls();
    void createMenus();
    void connectItem(QAction& action, const MenuItem& item);
    void setTabOrder();
    void render(const Member& member);
    void renderAll(); // the whole sheet, once, when the window is built
    [[nodiscard]] QPushButton* buttonOf(Button button) const;
    SheetLabel*& cellLabel(Cell cell);
    void tellFirstAnswer(const QString& text);
    void placeOnScreen();
    [[nodiscard]] QSize wholeSize() const; // the sheet and the menu bar above it

    DrillSheet sheet_;
    QtMessageBox messageBox_{this};
    Drill drill_{sheet_, messageBox_};
    WindowServices& services_;

    QWidget* client_ = nullptr;
    std::array<SheetLabel*, kSheetRows> questionLabels_{};
    std::array<AnswerField*, kSheetRows> answerFields_{};
    std::array<SheetLabel*, kCells.size()> cellLabels_{};
    QPushButton* scoreButton_ = nullptr;
    QPushButton* evaluateButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    std::array<QAction*, kEraCount> eraItems_{};
    bool drawing_ = false;         // the window is showing a write of the sheet
    bool framed_ = false;          // placed once more, knowing the size of the frame
    std::optional<int> scoredEra_; // the era whose row the scoring run posted
    bool rated_ = false;           // the evaluation posted the level
};

} // namespace vantoriku
