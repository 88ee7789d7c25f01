#include "ui/QtDialogs.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "ui/TitleBar.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace aub {

namespace {

QWidget* parentOf(UiHost* host) { return host ? host->dialogParent() : QApplication::activeWindow(); }

// While the hourglass shows, a box still gets the ordinary arrow.
class ArrowWhileOpen {
public:
    ArrowWhileOpen() : active_(QApplication::overrideCursor() != nullptr) {
        if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileOpen() {
        if (active_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileOpen(const ArrowWhileOpen&) = delete;
    ArrowWhileOpen& operator=(const ArrowWhileOpen&) = delete;

private:
    bool active_;
};

// A box is at least as wide as its title needs in the title bar (measured in the bar's
// bold font, not the message's), so the title is never cut. The room is an item of the
// box's own layout: a message box and an input box size themselves from their layout,
// over any minimum width set on them.
void fitTitle(QDialog& box) {
    (void)box.sizeHint();  // an input box lays itself out only when first measured
    auto* room = new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else if (auto* line = qobject_cast<QBoxLayout*>(box.layout()))
        line->addSpacerItem(room);
    else {
        box.setMinimumWidth(room->sizeHint().width());
        delete room;
    }
}

}  // namespace

std::string QtDialogs::titleOr(const std::string& title) const {
    if (!title.empty()) return title;
    return host_ ? host_->dialogTitle() : std::string("Aubelys");
}

void QtDialogs::refreshViews() const {
    if (host_) host_->refreshAll();
}

void QtDialogs::message(const std::string& text, const std::string& title) {
    refreshViews();
    ArrowWhileOpen arrow;
    QMessageBox box(QMessageBox::NoIcon, toQ(titleOr(title)), toDisplayText(text), QMessageBox::Ok, parentOf(host_));
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    fitTitle(box);
    box.exec();
}

bool QtDialogs::question(const std::string& text, const std::string& title) {
    refreshViews();
    ArrowWhileOpen arrow;
    QMessageBox box(QMessageBox::Question, toQ(titleOr(title)), toDisplayText(text), QMessageBox::Yes | QMessageBox::No,
                    parentOf(host_));
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
    refreshViews();
    ArrowWhileOpen arrow;
    QInputDialog dialog(parentOf(host_));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQ(titleOr(title)));
    dialog.setLabelText(toDisplayText(prompt));
    dialog.setTextValue(toQ(defaultText));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQ(dialog.textValue());
}

std::optional<std::string> QtDialogs::choose(const std::string& prompt, const std::string& title,
                                             const std::vector<std::string>& items, const std::string& defaultItem) {
    refreshViews();
    ArrowWhileOpen arrow;
    QInputDialog dialog(parentOf(host_));
    dialog.setWindowModality(Qt::ApplicationModal);
    QStringList entries;
    for (const std::string& item : items) entries << toQ(item);
    dialog.setComboBoxItems(entries);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setWindowTitle(toQ(titleOr(title)));
    dialog.setLabelText(toDisplayText(prompt));
    if (!defaultItem.empty() && entries.contains(toQ(defaultItem))) dialog.setTextValue(toQ(defaultItem));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQ(dialog.textValue());
}

}  // namespace aub
