#include "ui/HelpViewer.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>

#include "files/TextFile.h"
#include "ui/UiConvert.h"

namespace aub {

namespace fs = std::filesystem;

namespace {

// `name` in `dir`, matched without regard to case (files and folders).
std::optional<fs::path> entryNoCase(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) return dir / name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (sameFileName(pathToUtf8(it->path().filename()), name)) return it->path();
    return std::nullopt;
}

// Help pages may be written in Windows-1252 or UTF-8: they are read the way the
// program reads every text file.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
            try {
                return toQ(readTextFile(pathFromUtf8(fromQ(name.toLocalFile()))));
            } catch (const std::exception&) {
                return toQ("<p>Page d'aide introuvable : " + fromQ(name.toLocalFile().toHtmlEscaped()) + "</p>");
            }
        }
        return QTextBrowser::loadResource(type, name);
    }
};

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && sameFileName(s.substr(s.size() - tail.size()), tail);
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Aide"));
    setModal(false);
    browser_ = new HelpBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton(QStringLiteral("< &Précédent"), this);
    auto* forward = new QPushButton(QStringLiteral("&Suivant >"), this);
    auto* close = new QPushButton(QStringLiteral("&Fermer"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addLayout(buttons);
    resize(720, 560);
}

fs::path HelpViewer::pageFor(const fs::path& appFolder, const std::string& helpPath, int context) {
    if (auto aide = entryNoCase(appFolder, "aide")) {
        if (auto page = entryNoCase(*aide, std::to_string(context) + ".htm")) return *page;
        if (auto page = entryNoCase(*aide, "index.htm")) return *page;
    }
    std::error_code ec;
    if ((endsWithNoCase(helpPath, ".htm") || endsWithNoCase(helpPath, ".html")) &&
        fs::is_regular_file(pathFromUtf8(helpPath), ec))
        return pathFromUtf8(helpPath);
    return {};
}

void HelpViewer::showPage(const fs::path& page, const QString& missingNotice) {
    setWindowTitle(QStringLiteral("Aide"));
    if (page.empty()) {
        browser_->clearHistory();
        browser_->setPlainText(missingNotice);
    } else {
        browser_->setSource(QUrl::fromLocalFile(toQ(pathToUtf8(page))));
    }
    show();
    raise();
    activateWindow();
}

QString HelpViewer::shownSource() const { return browser_->source().toLocalFile(); }

void HelpViewer::showText(const QString& text, const QString& title) {
    browser_->clearHistory();
    browser_->setPlainText(text);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Aide") : title);
    show();
    raise();
    activateWindow();
}

}  // namespace aub
