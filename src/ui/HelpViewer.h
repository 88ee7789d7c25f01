#pragma once
// The program's own help viewer: one window showing the HTML help pages of the
// program folder ("aide/<topic>.htm"), with links, back and forward.
#include <QDialog>
#include <QString>

#include <filesystem>

class QTextBrowser;

namespace aub {

class HelpViewer : public QDialog {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The page of a context number: aide/<context>.htm, else aide/index.htm, else
    // `helpPath` itself when it is an .htm page. File names are matched without
    // regard to case. Empty when there is none.
    static std::filesystem::path pageFor(const std::filesystem::path& appFolder, const std::string& helpPath,
                                         int context);

    // Shows the page (or a notice when it is missing) and brings the viewer forward.
    void showPage(const std::filesystem::path& page, const QString& missingNotice);
    QString shownSource() const;
    // Shows a text as it is (a text file of the program), titled with its name.
    void showText(const QString& text, const QString& title);

private:
    QTextBrowser* browser_;
};

}  // namespace aub
