#include "help/help_viewer.h"

#include "look/faces.h"
#include "look/frame.h"
#include "window/placement.h"

#include <QApplication>
#include <QCollator>
#include <QFontInfo>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace vantoriku {
namespace {

// Index entries are anchors named "k:" and the keyword, then "/" and each of
// its readings in hiragana, where the keyword is explained.
constexpr QLatin1StringView kKeywordPrefix("k:");
constexpr int kAnchorRole = Qt::UserRole;
constexpr int kFoldedRole = Qt::UserRole + 1; // the keyword and its readings, folded
constexpr QSize kSize(820, 560);              // on a screen with room for it
constexpr int kNarrowest = 560; // beside the main window, still two panes that read well

// A text as the index compares it: full-width letters and half-width kana
// made plain, katakana as hiragana, upper case as lower.
QString folded(const QString& text) {
    QString plain = text.normalized(QString::NormalizationForm_KC).toLower();
    for (QChar& c : plain) {
        if (c >= QChar(0x30A1) && c <= QChar(0x30F6)) {
            c = QChar(c.unicode() - 0x60);
        }
    }
    return plain;
}

} // namespace

HelpViewer::HelpViewer(QWidget* mainWindow) : QMainWindow(mainWindow, Qt::Window) {
    setObjectName("helpViewer");
    setWindowTitle(QStringLiteral("Vantoriku ヘルプ"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window alone ends the program
    resize(kSize);
    // The window's own faces, not the desktop's (a fixed-width one, say), at
    // the desktop's size for reading; other faces stand in for what they lack.
    QFont face = fontFor({});
    face.setPixelSize(QFontInfo(QApplication::font()).pixelSize());
    face.setStyleStrategy(QFont::PreferDefault);
    setFont(face);

    auto* tabs = new QTabWidget;
    contents_ = new QTreeWidget;
    contents_->setObjectName("helpContents");
    contents_->setHeaderHidden(true);
    tabs->addTab(contents_, QStringLiteral("目次"));

    auto* indexPane = new QWidget;
    filter_ = new QLineEdit;
    filter_->setObjectName("helpIndexFilter");
    filter_->setPlaceholderText(QStringLiteral("キーワードを入力"));
    filter_->setClearButtonEnabled(true);
    index_ = new QListWidget;
    index_->setObjectName("helpIndex");
    auto* indexLayout = new QVBoxLayout(indexPane);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(filter_);
    indexLayout->addWidget(index_);
    tabs->addTab(indexPane, QStringLiteral("索引"));

    page_ = new QTextBrowser;
    page_->setObjectName("helpPage");
    page_->setOpenLinks(false);
    // A caret that the arrow keys move: screen readers read the page line by line.
    page_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { goTo(item->data(0, kAnchorRole).toString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { goTo(item->data(0, kAnchorRole).toString()); });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { goTo(item->data(kAnchorRole).toString()); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { goTo(item->data(kAnchorRole).toString()); });
    connect(filter_, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    connect(filter_, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem* first = firstShownEntry()) {
            index_->setCurrentItem(first);
            goTo(first->data(kAnchorRole).toString());
        }
    });
    auto* down =
        new QShortcut(QKeySequence(Qt::Key_Down), filter_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(down, &QShortcut::activated, this, [this] {
        index_->setFocus(Qt::TabFocusReason);
        if (QListWidgetItem* first = firstShownEntry()) {
            index_->setCurrentItem(first);
        }
    });
    // Only links within the document are followed.
    connect(page_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
            goTo(url.fragment());
        }
    });
}

void HelpViewer::open(const QString& path) {
    contents_->clear();
    index_->clear();
    anchors_.clear();
    noMatch_ = nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        page_->setPlainText(QStringLiteral("ヘルプファイルを開けません: %1").arg(path));
        return;
    }
    page_->setHtml(QString::fromUtf8(file.readAll()));
    buildPanes();
    filterIndex(filter_->text()); // the list agrees with the filter box
}

void HelpViewer::placeBeside(const QWidget& mainWindow) {
    // The window manager frames both windows alike.
    const QSize frame = mainWindow.frameGeometry().size() - mainWindow.size();
    const QRect placed = besideOrOver(kSize + frame, kNarrowest, mainWindow.frameGeometry(),
                                      mainWindow.screen()->availableGeometry());
    resize(placed.size() - frame);
    move(placed.topLeft()); // the frame's corner
    // Narrowed, the page keeps its share of the width.
    findChild<QSplitter*>()->setSizes({width() * 3 / 10, width() * 7 / 10});
}

void HelpViewer::buildPanes() {
    struct Keyword {
        QStringList wordAndReadings;
        QString anchor;
    };
    std::vector<Keyword> keywords;
    std::array<QTreeWidgetItem*, 7> lastAtLevel{}; // the latest heading of levels 1 to 6
    for (QTextBlock block = page_->document()->begin(); block.isValid(); block = block.next()) {
        QString firstAnchor;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            for (const QString& name : part.charFormat().anchorNames()) {
                anchors_.insert(name, part.position());
                if (name.startsWith(kKeywordPrefix)) {
                    keywords.push_back({name.mid(kKeywordPrefix.size()).split(u'/'), name});
                } else if (firstAnchor.isEmpty()) {
                    firstAnchor = name;
                }
            }
        }
        int level = block.blockFormat().headingLevel();
        if (level <= 0 || firstAnchor.isEmpty()) {
            continue;
        }
        level = std::min(level, 6);
        QTreeWidgetItem* parent = nullptr;
        for (int above = level - 1; above >= 1 && parent == nullptr; --above) {
            parent = lastAtLevel[static_cast<std::size_t>(above)];
        }
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
        item->setText(0, block.text().trimmed());
        item->setData(0, kAnchorRole, firstAnchor);
        lastAtLevel[static_cast<std::size_t>(level)] = item;
        std::fill(lastAtLevel.begin() + level + 1, lastAtLevel.end(), nullptr);
    }
    contents_->expandAll();

    // In the order of their first readings, as a Japanese index is.
    const QCollator japanese{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::ranges::sort(keywords, [&](const Keyword& a, const Keyword& b) {
        return japanese.compare(a.wordAndReadings.value(1), b.wordAndReadings.value(1)) < 0;
    });
    for (const Keyword& keyword : keywords) {
        auto* item = new QListWidgetItem(keyword.wordAndReadings.constFirst(), index_);
        item->setData(kAnchorRole, keyword.anchor);
        QStringList keys;
        for (const QString& each : keyword.wordAndReadings) {
            keys << folded(each);
        }
        item->setData(kFoldedRole, keys);
    }
    noMatch_ = new QListWidgetItem(QStringLiteral("該当する項目はありません"), index_);
    noMatch_->setFlags(Qt::NoItemFlags);
}

void HelpViewer::filterIndex(const QString& text) {
    const QString wanted = folded(text.trimmed());
    bool anyShown = false;
    for (int row = 0; row < index_->count(); ++row) {
        QListWidgetItem* item = index_->item(row);
        if (item != noMatch_) {
            const QStringList keys = item->data(kFoldedRole).toStringList();
            item->setHidden(std::ranges::none_of(
                keys, [&wanted](const QString& key) { return key.contains(wanted); }));
            anyShown = anyShown || !item->isHidden();
        }
    }
    if (noMatch_ != nullptr) {
        noMatch_->setHidden(anyShown);
    }
}

QListWidgetItem* HelpViewer::firstShownEntry() const {
    for (int row = 0; row < index_->count(); ++row) {
        QListWidgetItem* item = index_->item(row);
        if (item != noMatch_ && !item->isHidden()) {
            return item;
        }
    }
    return nullptr;
}

void HelpViewer::goTo(const QString& anchor) {
    const auto found = anchors_.constFind(anchor);
    if (found == anchors_.constEnd()) {
        return;
    }
    // Reading starts at the caret: put it at the section, which then shows at the top.
    QTextCursor caret(page_->document());
    caret.setPosition(*found);
    page_->setTextCursor(caret);
    page_->scrollToAnchor(anchor);
    page_->setFocus(Qt::OtherFocusReason);
}

} // namespace vantoriku
