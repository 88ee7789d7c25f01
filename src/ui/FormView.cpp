#include "ui/FormView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>
#include <filesystem>
#include <set>

#include "files/TextFile.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/Session.h"
#include "ui/ChartWidget.h"
#include "ui/DrawingWidget.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace aub {

namespace {

// Menus nest a few levels at most; deeper is a loop in the menu tree.
constexpr int MaxMenuDepth = 8;

bool isMenuSeparator(const Control& m) { return m.separator || m.caption == "-"; }

Qt::Alignment horizontalAlignment(int alignment) {
    switch (alignment) {
        case 1: return Qt::AlignRight;
        case 2: return Qt::AlignHCenter;
        default: return Qt::AlignLeft;
    }
}

// A picture file of the program folder, its name matched without regard to case.
QString pictureFilePath(const Session& session, const std::string& name) {
    namespace fs = std::filesystem;
    if (name.empty()) return {};
    std::error_code ec;
    fs::path p = session.file(name);
    if (fs::is_regular_file(p, ec)) return toQ(pathToUtf8(p));
    if (auto found = findFile(p.parent_path(), pathToUtf8(p.filename()))) return toQ(pathToUtf8(*found));
    return {};
}

}  // namespace

FormView::FormView(UiHost& host, Form& form) : host_(host), form_(&form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_ = new QWidget(this);
    grid_ = new QGridLayout(client_);
    setCentralWidget(client_);
    watchClicks(client_, nullptr, ClickRole::Background);
    buildNewControls();
    sync();
}

FormView::~FormView() {
    // The widgets go while this view is whole, so that nothing they emit on the way
    // reaches a half-destroyed view (and dead_ stops it reaching the model).
    dead_ = true;
    delete client_;
    client_ = nullptr;
}

QWidget* FormView::widgetOf(const Control& control) const {
    auto it = indexOf_.find(&control);
    return it == indexOf_.end() ? nullptr : bound_[it->second].widget;
}

QAction* FormView::actionOf(const Control& control) const {
    auto it = indexOf_.find(&control);
    return it == indexOf_.end() ? nullptr : bound_[it->second].action;
}

QMenu* FormView::menuOf(const Control& control) const {
    auto it = indexOf_.find(&control);
    return it == indexOf_.end() ? nullptr : bound_[it->second].menu;
}

// ------------------------------------------------------------------ building

void FormView::buildNewControls() {
    const auto& controls = form_->controls();
    if (builtControls_ >= controls.size()) return;
    std::size_t first = bound_.size();
    bool newMenus = false;
    for (std::size_t i = builtControls_; i < controls.size(); ++i) {
        Control* c = controls[i].get();
        indexOf_[c] = bound_.size();
        Bound& b = bound_.emplace_back();
        b.control = c;
        if (c->kind() == ControlKind::Menu) {
            newMenus = true;
            continue;
        }
        b.widget = createWidget(b);
    }
    builtControls_ = controls.size();
    // Frames first known, then every widget in its cell: a control may name a frame
    // created after it.
    for (std::size_t i = first; i < bound_.size(); ++i)
        if (bound_[i].widget) placeWidget(bound_[i]);
    if (newMenus) buildMenus();
}

QWidget* FormView::createWidget(Bound& b) {
    Control* c = b.control;
    QWidget* w = nullptr;
    switch (c->kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel;
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            watchClicks(label, c, ClickRole::Control);
            w = label;
            break;
        }
        case ControlKind::TextBox:
            if (c->multiline) {
                auto* edit = new QPlainTextEdit;
                edit->setTabChangesFocus(true);
                connect(edit, &QPlainTextEdit::textChanged, this, [this, c, edit] {
                    if (syncing_) return;
                    std::string typed = fromMultilineText(edit->toPlainText());
                    act([c, typed] { c->setText(typed); });
                });
                watchClicks(edit->viewport(), c, ClickRole::Control);
                w = edit;
            } else {
                auto* edit = new QLineEdit;
                connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
                    std::string typed = fromQ(text);
                    act([c, typed] { c->setText(typed); });
                });
                watchClicks(edit, c, ClickRole::Control);
                w = edit;
            }
            break;
        case ControlKind::ListBox: {
            auto* list = new QListWidget;
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            // The keyboard and the first click on an entry change the selection: Click runs.
            connect(list, &QListWidget::currentRowChanged, this, [this, c](int row) {
                act([c, row] {
                    if (row >= 0 && row != c->listIndex()) c->setListIndex(row);
                });
            });
            // A click on the entry already selected runs Click again.
            std::size_t at = indexOf_[c];
            connect(list, &QListWidget::itemClicked, this, [this, c, list, at](QListWidgetItem* item) {
                int row = list->row(item);
                int before = bound_[at].pressRow;
                bound_[at].pressRow = -2;
                act([c, row, before] {
                    if (row != c->listIndex()) c->setListIndex(row);
                    else if (row == before) c->form().fire(*c, EventKind::Click);
                });
            });
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, c](QListWidgetItem*) { act([c] { c->form().fire(*c, EventKind::DblClick); }); });
            watchClicks(list->viewport(), c, ClickRole::ListPress);
            w = list;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);  // the typed text stays as typed
            connect(combo, &QComboBox::activated, this, [this, c](int i) {
                act([c, i] {
                    if (i != c->listIndex()) c->setListIndex(i);
                    else c->form().fire(*c, EventKind::Click);
                });
            });
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, c](const QString& text) {
                std::string typed = fromQ(text);
                act([c, typed] { c->setText(typed); });
            });
            w = combo;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox;
            connect(box, &QCheckBox::clicked, this, [this, c](bool on) { act([c, on] { c->setValue(on ? 1 : 0); }); });
            w = box;
            break;
        }
        case ControlKind::Slider: {
            auto* bar = new QScrollBar(c->vertical ? Qt::Vertical : Qt::Horizontal);
            connect(bar, &QScrollBar::valueChanged, this, [this, c](int v) { act([c, v] { c->setValue(v); }); });
            w = bar;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton;
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this,
                    [this, c] { act([c] { c->form().fire(*c, EventKind::Click); }); });
            w = button;
            break;
        }
        case ControlKind::Frame: {
            auto* box = new QGroupBox;
            auto* layout = new QGridLayout(box);
            frames_[c->key()] = layout;
            watchClicks(box, c, ClickRole::Control);
            w = box;
            break;
        }
        case ControlKind::Picture:
        case ControlKind::Canvas: {
            auto* area = new DrawingWidget(c->kind() == ControlKind::Picture);
            watchClicks(area, c, ClickRole::Control);
            w = area;
            break;
        }
        case ControlKind::Chart:
            w = new ChartWidget(*form_);
            break;
        case ControlKind::Menu:
            break;
    }
    if (w) w->setObjectName(toQ(c->key()));
    return w;
}

void FormView::placeWidget(const Bound& b) {
    const Placement& p = b.control->place;
    QGridLayout* layout = grid_;
    if (!p.frame.empty()) {
        auto it = frames_.find(p.frame);
        // A frame cannot hold itself nor a frame that holds it; an unknown frame leaves
        // the control in the client area.
        if (it != frames_.end()) {
            QWidget* box = it->second->parentWidget();
            if (box != b.widget && !b.widget->isAncestorOf(box)) layout = it->second;
        }
    }
    int row = std::max(0, p.row), col = std::max(0, p.col);
    int rowSpan = std::max(1, p.rowSpan), colSpan = std::max(1, p.colSpan);
    layout->addWidget(b.widget, row, col, rowSpan, colSpan);
    // Spare room goes to an empty last row and column: the controls keep their
    // natural size at the top left, as the window was drawn.
    int lastRow = std::max(layout->rowCount(), row + rowSpan + 1) - 1;
    int lastCol = std::max(layout->columnCount(), col + colSpan + 1) - 1;
    for (int r = 0; r < lastRow; ++r) layout->setRowStretch(r, 0);
    for (int k = 0; k < lastCol; ++k) layout->setColumnStretch(k, 0);
    layout->setRowStretch(lastRow, 1);
    layout->setColumnStretch(lastCol, 1);
}

void FormView::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->clear();
    for (Bound& b : bound_) {
        if (b.control->kind() != ControlKind::Menu) continue;
        if (b.menu) b.menu->deleteLater();
        else if (b.action) b.action->deleteLater();
        b.menu = nullptr;
        b.action = nullptr;
        b.visible = b.enabled = -2;
    }
    addMenuEntries(bar, "", 0);
    builtMenus_ = 0;
    for (const Bound& b : bound_)
        if (b.control->kind() == ControlKind::Menu) ++builtMenus_;
}

void FormView::addMenuEntries(QWidget* parent, const std::string& parentName, int depth) {
    if (depth > MaxMenuDepth) return;
    for (Control* m : form_->menuChildren(parentName)) {
        Bound& b = bound_[indexOf_.at(m)];
        if (b.action) continue;  // reached twice through a loop of parents
        std::vector<Control*> entries = m->name() == parentName ? std::vector<Control*>{} : form_->menuChildren(m->name());
        if (isMenuSeparator(*m)) {
            b.action = new QAction(parent);
            b.action->setSeparator(true);
            parent->addAction(b.action);
        } else if (!entries.empty()) {
            b.menu = new QMenu(toQ(m->caption), parent);
            b.action = b.menu->menuAction();
            // Opening a menu runs its Click, so it can check or grey its entries first.
            connect(b.menu, &QMenu::aboutToShow, this,
                    [this, m] { act([m] { m->form().fire(*m, EventKind::Click); }); });
            if (auto* bar = qobject_cast<QMenuBar*>(parent)) bar->addMenu(b.menu);
            else static_cast<QMenu*>(parent)->addMenu(b.menu);
            addMenuEntries(b.menu, m->name(), depth + 1);
        } else {
            b.action = new QAction(toQ(m->caption), parent);
            connect(b.action, &QAction::triggered, this,
                    [this, m] { act([m] { m->form().fire(*m, EventKind::Click); }); });
            parent->addAction(b.action);
        }
    }
}

void FormView::watchClicks(QObject* target, Control* control, ClickRole role) {
    clickTargets_[target] = {control, role};
    target->installEventFilter(this);
}

// ------------------------------------------------------------------ events

void FormView::act(const std::function<void()>& code) {
    if (dead_ || syncing_) return;
    host_.dispatch(form_, code);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    auto it = clickTargets_.find(watched);
    if (dead_ || it == clickTargets_.end()) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    Control* c = it->second.first;
    const ClickRole role = it->second.second;

    if (role == ClickRole::ListPress) {
        if (type == QEvent::MouseButtonPress) bound_[indexOf_.at(c)].pressRow = c->listIndex();
        return false;
    }
    // Labels, pictures and frames take their clicks, so the window's background does
    // not get them too; edit boxes keep theirs to place the cursor.
    const bool takes = role == ClickRole::Control && c->kind() != ControlKind::TextBox;
    if (type == QEvent::MouseButtonPress) return takes;
    if (type == QEvent::MouseButtonDblClick) {
        afterDoubleClick_ = true;
        if (c) act([c] { c->form().fire(*c, EventKind::DblClick); });
        return takes;
    }
    // A release ends a click when it happens over the control; the release that ends
    // a double click is not a click of its own.
    if (afterDoubleClick_) {
        afterDoubleClick_ = false;
        return takes;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->rect().contains(mouse->position().toPoint())) return takes;
    if (role == ClickRole::Background) act([form = form_] { form->fireBackgroundClick(); });
    else act([c] { c->form().fire(*c, EventKind::Click); });
    return takes;
}

void FormView::closeEvent(QCloseEvent* event) {
    if (dead_) {
        event->accept();
        return;
    }
    bool closed = false;
    Form* form = form_;
    UiHost& host = host_;
    host.dispatch(form, [&] { closed = host.session().requestClose(*form); });
    if (closed) event->accept();
    else event->ignore();
}

// A window that becomes the active one again (after a modal window or another
// program) runs its Activate event, as when it was first shown.
void FormView::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || dead_) return;
    act([form = form_] { form->trap([form] { form->activate(); }); });
}

// ------------------------------------------------------------------ keeping in step

void FormView::sync() {
    if (dead_) return;
    syncing_ = true;
    buildNewControls();
    std::size_t menus = 0;
    for (const Bound& b : bound_)
        if (b.control->kind() == ControlKind::Menu) ++menus;
    if (menus != builtMenus_) buildMenus();
    for (Bound& b : bound_) {
        if (b.control->kind() == ControlKind::Menu) syncMenuEntry(b);
        else syncControl(b);
    }
    syncWindow();
    syncing_ = false;
}

void FormView::syncWindow() {
    if (title_ != form_->caption) {
        title_ = form_->caption;
        setWindowTitle(toQ(title_));
    }
    if (backColor_ != form_->backColor) {
        backColor_ = form_->backColor;
        QPalette pal;
        if (backColor_ != NoColor) pal.setColor(QPalette::Window, toQColor(backColor_));
        client_->setPalette(backColor_ != NoColor ? pal : QPalette());
        client_->setAutoFillBackground(backColor_ != NoColor);
    }
    if (isVisible() && (widthTw_ != form_->widthTw || heightTw_ != form_->heightTw || leftTw_ != form_->leftTw ||
                        topTw_ != form_->topTw))
        placeOnScreen();
}

void FormView::placeOnScreen() {
    if (auto* layout = centralWidget()->layout()) layout->activate();
    const QSize hint = sizeHint().expandedTo(minimumSizeHint());
    const bool sizeChanged = widthTw_ != form_->widthTw || heightTw_ != form_->heightTw;
    if (sizeChanged || widthTw_ == -2) {
        int w = form_->widthTw > 0 ? std::max(twipsToPixels(form_->widthTw), hint.width()) : hint.width();
        int h = form_->heightTw > 0 ? std::max(twipsToPixels(form_->heightTw), hint.height()) : hint.height();
        resize(w, h);
    }
    widthTw_ = form_->widthTw;
    heightTw_ = form_->heightTw;
    if (leftTw_ != form_->leftTw || topTw_ != form_->topTw) {
        leftTw_ = form_->leftTw;
        topTw_ = form_->topTw;
        if (leftTw_ >= 0 || topTw_ >= 0) {
            QPoint at = pos();
            if (leftTw_ >= 0) at.setX(twipsToPixels(leftTw_));
            if (topTw_ >= 0) at.setY(twipsToPixels(topTw_));
            // A place off the screen would lose the window: it stays where it can be seen.
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect avail = screen->availableGeometry();
                at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - 80)));
                at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - 80)));
            }
            move(at);
        }
    }
}

void FormView::syncAppearance(Bound& b) {
    Control& c = *b.control;
    QWidget* w = b.widget;
    if (b.backColor != c.backColor || b.foreColor != c.foreColor) {
        b.backColor = c.backColor;
        b.foreColor = c.foreColor;
        QPalette pal;
        bool own = false;
        if (c.backColor != NoColor) {
            own = true;
            QColor back = toQColor(c.backColor);
            switch (c.kind()) {
                case ControlKind::TextBox:
                case ControlKind::ListBox:
                case ControlKind::ComboBox:
                    pal.setColor(QPalette::Base, back);
                    break;
                case ControlKind::Button:
                    pal.setColor(QPalette::Button, back);
                    break;
                default:
                    pal.setColor(QPalette::Window, back);
                    break;
            }
        }
        if (c.foreColor != NoColor) {
            own = true;
            QColor fore = toQColor(c.foreColor);
            pal.setColor(QPalette::WindowText, fore);
            pal.setColor(QPalette::Text, fore);
            pal.setColor(QPalette::ButtonText, fore);
        }
        w->setPalette(own ? pal : QPalette());
        const bool fills = c.backColor != NoColor &&
                           (c.kind() == ControlKind::Label || c.kind() == ControlKind::CheckBox ||
                            c.kind() == ControlKind::Frame || c.kind() == ControlKind::Picture);
        w->setAutoFillBackground(fills);
    }
    if (b.fontSize != c.fontSize || b.bold != int(c.bold)) {
        b.fontSize = c.fontSize;
        b.bold = c.bold;
        // Only what the window sets is fixed; the rest follows the window's font.
        QFont font;
        if (c.fontSize > 0) font.setPointSize(std::min(c.fontSize, 200));
        if (c.bold) font.setBold(true);
        w->setFont(font);
    }
    if (b.alignment != c.alignment) {
        b.alignment = c.alignment;
        const Qt::Alignment h = horizontalAlignment(c.alignment);
        if (auto* label = qobject_cast<QLabel*>(w)) label->setAlignment(h | Qt::AlignVCenter);
        else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setAlignment(h | Qt::AlignVCenter);
    }
    if (b.widthTw != c.widthTw || b.heightTw != c.heightTw) {
        b.widthTw = c.widthTw;
        b.heightTw = c.heightTw;
        // Areas (lists, multi-line boxes, drawings, pictures) take the size the window
        // gives them. For the rest it is a minimum: a larger font or a longer text still
        // shows whole.
        const bool area = c.kind() == ControlKind::ListBox || c.kind() == ControlKind::Canvas ||
                          c.kind() == ControlKind::Picture || (c.kind() == ControlKind::TextBox && c.multiline);
        const int width = c.widthTw > 0 ? twipsToPixels(c.widthTw) : 0;
        const int height = c.heightTw > 0 ? twipsToPixels(c.heightTw) : 0;
        w->setMinimumSize(width, height);
        w->setMaximumSize(area && width > 0 ? width : QWIDGETSIZE_MAX, area && height > 0 ? height : QWIDGETSIZE_MAX);
        // A scroll bar left to itself would be a stub.
        if (c.kind() == ControlKind::Slider && width == 0 && height == 0) {
            if (c.vertical) w->setMinimumHeight(120);
            else w->setMinimumWidth(120);
        }
    }
    if (b.enabled != int(c.enabled)) {
        b.enabled = c.enabled;
        w->setEnabled(c.enabled);
    }
    if (b.visible != int(c.visible)) {
        b.visible = c.visible;
        w->setVisible(c.visible);
    }
}

void FormView::syncControl(Bound& b) {
    Control& c = *b.control;
    QWidget* w = b.widget;
    if (!w) return;
    switch (c.kind()) {
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(w);
            QString text = toDisplayText(c.caption);
            if (label->text() != text) label->setText(text);
            break;
        }
        case ControlKind::TextBox:
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                QString text = toQ(c.text());
                if (edit->text() != text) {
                    QSignalBlocker block(edit);
                    int cursor = edit->cursorPosition();
                    edit->setText(text);
                    edit->setCursorPosition(std::min<int>(cursor, text.size()));
                }
                if (edit->isReadOnly() != c.locked) edit->setReadOnly(c.locked);
                QLineEdit::EchoMode echo = c.password ? QLineEdit::Password : QLineEdit::Normal;
                if (edit->echoMode() != echo) edit->setEchoMode(echo);
            } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
                QString text = toDisplayText(c.text());
                if (edit->toPlainText() != text) {
                    QSignalBlocker block(edit);
                    int cursor = edit->textCursor().position();
                    edit->setPlainText(text);
                    QTextCursor tc = edit->textCursor();
                    tc.setPosition(std::min<int>(cursor, text.size()));
                    edit->setTextCursor(tc);
                }
                if (edit->isReadOnly() != c.locked) edit->setReadOnly(c.locked);
            }
            break;
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            QSignalBlocker block(list);
            if (b.items != c.items) {
                b.items = c.items;
                list->clear();
                for (const auto& item : c.items) list->addItem(toDisplayText(item));
            }
            if (list->currentRow() != c.listIndex()) {
                if (c.listIndex() < 0) {
                    list->setCurrentRow(-1);
                    list->clearSelection();
                } else {
                    list->setCurrentRow(c.listIndex());
                    list->scrollToItem(list->currentItem());
                }
            }
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(w);
            QSignalBlocker block(combo);
            QSignalBlocker blockEdit(combo->lineEdit());
            if (b.items != c.items) {
                b.items = c.items;
                combo->clear();
                for (const auto& item : c.items) combo->addItem(toQ(item));
            }
            if (combo->currentIndex() != c.listIndex()) combo->setCurrentIndex(c.listIndex());
            QString text = toQ(c.text());
            if (combo->currentText() != text) {
                int cursor = combo->lineEdit()->cursorPosition();
                combo->setEditText(text);
                combo->lineEdit()->setCursorPosition(std::min<int>(cursor, text.size()));
            }
            if (combo->lineEdit()->isReadOnly() != c.locked) combo->lineEdit()->setReadOnly(c.locked);
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            QString text = toQ(c.caption);
            if (box->text() != text) box->setText(text);
            if (box->isChecked() != (c.value() != 0)) {
                QSignalBlocker block(box);
                box->setChecked(c.value() != 0);
            }
            break;
        }
        case ControlKind::Slider: {
            auto* bar = static_cast<QScrollBar*>(w);
            QSignalBlocker block(bar);
            // A range given from high to low runs the other way.
            const bool reversed = c.min > c.max;
            bar->setRange(std::min(c.min, c.max), std::max(c.min, c.max));
            bar->setInvertedAppearance(reversed);
            bar->setInvertedControls(reversed);
            bar->setOrientation(c.vertical ? Qt::Vertical : Qt::Horizontal);
            bar->setSingleStep(std::max(1, c.smallChange));
            bar->setPageStep(std::max(1, c.largeChange));
            if (bar->value() != c.value()) bar->setValue(c.value());
            break;
        }
        case ControlKind::Button: {
            auto* button = static_cast<QPushButton*>(w);
            QString text = toQ(c.caption);
            if (button->text() != text) button->setText(text);
            break;
        }
        case ControlKind::Frame: {
            auto* box = static_cast<QGroupBox*>(w);
            QString text = toQ(c.caption);
            if (box->title() != text) box->setTitle(text);
            break;
        }
        case ControlKind::Picture:
        case ControlKind::Canvas: {
            auto* area = static_cast<DrawingWidget*>(w);
            if (c.kind() == ControlKind::Picture && b.picture != c.picture) {
                b.picture = c.picture;
                QString path = pictureFilePath(form_->session(), c.picture);
                area->setPicture(path.isEmpty() ? QPixmap() : QPixmap(path), toQ(c.picture));
            }
            area->setDrawing(c.drawing);
            break;
        }
        case ControlKind::Chart:
            static_cast<ChartWidget*>(w)->showChart(c.chart);
            break;
        case ControlKind::Menu:
            break;
    }
    syncAppearance(b);
}

void FormView::syncMenuEntry(Bound& b) {
    const Control& m = *b.control;
    QAction* a = b.action;
    if (!a) return;
    if (!a->isSeparator()) {
        QString text = toQ(m.caption);
        if (a->text() != text) a->setText(text);
        if (!b.menu) {
            if (a->isCheckable() != m.checked) a->setCheckable(m.checked);
            if (a->isChecked() != m.checked) {
                QSignalBlocker block(a);
                a->setChecked(m.checked);
            }
        }
    }
    if (b.enabled != int(m.enabled)) {
        b.enabled = m.enabled;
        a->setEnabled(m.enabled);
    }
    if (b.visible != int(m.visible)) {
        b.visible = m.visible;
        a->setVisible(m.visible);
    }
}

}  // namespace aub
