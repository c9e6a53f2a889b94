#pragma once

#include <QHash>
#include <QMainWindow>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QTreeWidget;

namespace vantoriku {

// A window of its own that shows the help document, with a contents pane
// built from its headings and an index of its keywords. Links never leave
// the document. A main window, so assistive tools announce it as a window
// by its title; Esc closes it. Given the program's main window, it is that
// window's transient: it floats where dialogs float and closes with it.
class HelpViewer : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* mainWindow = nullptr);

    // Loads the document; if it cannot be read the viewer says so in one line.
    void open(const QString& path);
    // Sizes the window to fit the screen and places it beside the main
    // window, on the side with room, or else over it.
    void placeBeside(const QWidget& mainWindow);

  private:
    void buildPanes();
    void filterIndex(const QString& text);
    [[nodiscard]] QListWidgetItem* firstShownEntry() const;
    void goTo(const QString& anchor);

    QTreeWidget* contents_;
    QLineEdit* filter_;
    QListWidget* index_;
    QListWidgetItem* noMatch_ = nullptr; // what the index says when the filter matches nothing
    QTextBrowser* page_;
    QHash<QString, int> anchors_; // where each anchor of the document starts
};

} // namespace vantoriku
