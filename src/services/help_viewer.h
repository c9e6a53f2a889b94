#pragma once

#include <QMainWindow>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTreeWidget;

namespace vantoriku {

// A window of its own that shows the help document, with a contents pane
// built from its headings and an index of its keywords. Links never leave
// the document. A main window, so assistive tools announce it as a window
// by its title; Esc closes it.
class HelpViewer : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads the document; if it cannot be read the viewer says so in one line.
    void open(const QString& path);

  private:
    void buildPanes();
    void filterIndex(const QString& text);
    void goTo(const QString& anchor);

    QTreeWidget* contents_;
    QLineEdit* filter_;
    QListWidget* index_;
    QTextBrowser* page_;
};

} // namespace vantoriku
