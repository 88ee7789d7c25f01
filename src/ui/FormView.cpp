#include "ui/FormView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <set>

#include "files/TextFile.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/Session.h"
#include "ui/ChartWidget.h"
#include "ui/DrawingWidget.h"
#include "ui/TableModel.h"
#include "ui/TitleBar.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace aub {

namespace {

// Menus nest a few levels at most; deeper is a loop in the menu tree.
constexpr int MaxMenuDepth = 8;

bool isMenuSeparator(const Control& m) { return m.separator || m.caption == "-"; }

// Captions wider than this wrap (between words) rather than widen their column.
constexpr int MaxCaptionWidthPx = 230;

// A caption as shown: a unit such as "m/s" or "T/min" is never cut at its slash.
QString captionText(const std::string& caption) {
    QString text = toDisplayText(caption);
    text.replace(QLatin1Char('/'), QStringLiteral("\u2060/\u2060"));
    return text;
}

Qt::Alignment horizontalAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
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

// A one-line box as wide as the window declares it; without a declared width, Qt's
// width of some seventeen characters. Either way it still widens with its column.
class LineBox : public QLineEdit {
public:
    void setDeclaredWidth(int width) {
        if (width == declaredWidth_) return;
        declaredWidth_ = width;
        updateGeometry();
    }
    QSize sizeHint() const override {
        QSize hint = QLineEdit::sizeHint();
        if (declaredWidth_ > 0) hint.setWidth(declaredWidth_);
        return hint;
    }

private:
    int declaredWidth_ = 0;
};

}  // namespace

FormView::FormView(UiHost& host, Form& form) : host_(host), form_(&form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The client area scrolls when the screen is smaller than the window.
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control
    client_ = new QWidget;
    grid_ = new QGridLayout(client_);
    scroll_->setWidget(client_);
    setCentralWidget(scroll_);
    watchClicks(client_, nullptr, ClickRole::Background);
    buildNewControls();
    sync();
}

FormView::~FormView() {
    // The widgets go while this view is whole, so that nothing they emit on the way
    // reaches a half-destroyed view (and dead_ stops it reaching the model).
    dead_ = true;
    delete scroll_;
    scroll_ = nullptr;
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
    applyTabOrder();
}

// Tab goes through the controls as they are laid out: cell by cell, top to bottom
// and left to right, a frame's own controls in turn when Tab reaches the frame.
void FormView::applyTabOrder() {
    auto path = [this](const Control& c) {
        std::vector<std::pair<int, int>> cells;
        const Control* at = &c;
        for (int depth = 0; at && depth < 16; ++depth) {
            cells.emplace_back(at->place.row, at->place.col);
            at = at->place.frame.empty() ? nullptr : form_->findKey(at->place.frame);
        }
        return std::vector<std::pair<int, int>>(cells.rbegin(), cells.rend());
    };
    std::vector<std::pair<std::vector<std::pair<int, int>>, QWidget*>> order;
    for (const Bound& b : bound_) {
        if (!b.widget || b.control->kind() == ControlKind::Frame || b.control->kind() == ControlKind::Label) continue;
        if (!(b.widget->focusPolicy() & Qt::TabFocus)) continue;
        order.emplace_back(path(*b.control), b.widget);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1].second, order[i].second);
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
                    act([c, typed] {
                        c->form().personChanged(*c);
                        c->setText(typed);
                    });
                });
                watchClicks(edit->viewport(), c, ClickRole::Control);
                w = edit;
            } else {
                auto* edit = new LineBox;
                connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
                    std::string typed = fromQ(text);
                    act([c, typed] {
                        c->form().personChanged(*c);
                        c->setText(typed);
                    });
                });
                watchClicks(edit, c, ClickRole::Control);
                w = edit;
            }
            break;
        case ControlKind::ListBox: {
            auto* list = new QListWidget;
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            // Only the person's choice loads: a click on an entry (also on the entry already
            // chosen), a double click, or Enter on the entry under the keyboard cursor. Focus
            // coming in and the arrow keys only move that cursor.
            std::size_t at = indexOf_[c];
            connect(list, &QListWidget::itemClicked, this, [this, c, list, at](QListWidgetItem* item) {
                int row = list->row(item);
                int before = bound_[at].pressRow;
                bound_[at].pressRow = -2;
                bound_[at].listIndex = -3;  // shown again as the model has it (a refused choice)
                act([c, row, before] {
                    if (row != c->listIndex())
                        c->setListIndex(row);
                    else if (row == before)
                        c->form().fire(*c, EventKind::Click);
                });
            });
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, c](QListWidgetItem*) { act([c] { c->form().fire(*c, EventKind::DblClick); }); });
            watchClicks(list->viewport(), c, ClickRole::ListPress);
            list->installEventFilter(this);
            w = list;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);                             // the typed text stays as typed
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // its longest entry shows whole
            connect(combo, &QComboBox::activated, this, [this, c](int i) {
                act([c, i] {
                    if (i != c->listIndex())
                        c->setListIndex(i);
                    else
                        c->form().fire(*c, EventKind::Click);
                });
            });
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, c](const QString& text) {
                std::string typed = fromQ(text);
                act([c, typed] {
                    c->form().personChanged(*c);
                    c->setText(typed);
                });
            });
            w = combo;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox;
            connect(box, &QCheckBox::clicked, this, [this, c](bool on) {
                act([c, on] {
                    c->form().personChanged(*c);
                    c->setValue(on ? 1 : 0);
                });
            });
            w = box;
            break;
        }
        case ControlKind::Slider: {
            auto* bar = new QScrollBar(c->vertical ? Qt::Vertical : Qt::Horizontal);
            connect(bar, &QScrollBar::valueChanged, this, [this, c](int v) {
                act([c, v] {
                    c->form().personChanged(*c);
                    c->setValue(v);
                });
            });
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
        case ControlKind::Table: {
            auto* table = new QTableView;
            table->setModel(new TableModel(table));
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
            table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
            // Columns fitted to the rows in sight and 200 more, not to a thousand at each
            // row added (a study's table grows at every tick).
            table->horizontalHeader()->setResizeContentsPrecision(200);
            w = table;
            break;
        }
        case ControlKind::Progress: {
            auto* bar = new QProgressBar;
            bar->setFormat(QStringLiteral("%p %"));
            w = bar;
            break;
        }
        case ControlKind::Timer: {
            // Nothing to see: a hidden holder of the timer, whose ticks are the control's Click.
            w = new QWidget;
            auto* timer = new QTimer(w);
            connect(timer, &QTimer::timeout, this, [this, c] {
                if (c->enabled) act([c] { c->form().fire(*c, EventKind::Click); });
            });
            break;
        }
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
    if (p.keepsPlace) {
        QSizePolicy policy = b.widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b.widget->setSizePolicy(policy);
    }
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
        if (b.menu)
            b.menu->deleteLater();
        else if (b.action)
            b.action->deleteLater();
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
        std::vector<Control*> entries =
            m->name() == parentName ? std::vector<Control*>{} : form_->menuChildren(m->name());
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
            if (auto* bar = qobject_cast<QMenuBar*>(parent))
                bar->addMenu(b.menu);
            else
                static_cast<QMenu*>(parent)->addMenu(b.menu);
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

void FormView::chooseListRow(Control* c, int row) {
    if (row < 0) return;
    auto it = indexOf_.find(c);
    if (it != indexOf_.end()) bound_[it->second].listIndex = -3;
    act([c, row] {
        if (row != c->listIndex())
            c->setListIndex(row);
        else
            c->form().fire(*c, EventKind::Click);
    });
}

void FormView::keyPressEvent(QKeyEvent* event) {
    if (dead_) return QMainWindow::keyPressEvent(event);
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    QWidget* focus = QApplication::focusWidget();
    if (enter || key == Qt::Key_Space) {
        // Enter on a button presses it; Enter anywhere else runs the window's calculation.
        // Space does so only where no control takes it (the start-up picture).
        if (auto* button = qobject_cast<QPushButton*>(focus); button && isAncestorOf(button)) {
            if (enter) button->click();
            return;
        }
        if (!enter && focus && isAncestorOf(focus)) return QMainWindow::keyPressEvent(event);
        bool ran = false;
        act([this, &ran] { ran = form_->runDefaultAction(); });
        if (!ran) QMainWindow::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Escape closes a modal window the way its own close entry does; it never ends
        // the program.
        Form* form = form_;
        UiHost& host = host_;
        if (!form->cancelAction.empty()) {
            act([form] { form->runCancelAction(); });
        } else if (form->modal()) {
            host.dispatch(form, [&] { host.session().requestClose(*form); });
        } else {
            QMainWindow::keyPressEvent(event);
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && !dead_) {
        auto* list = qobject_cast<QListWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (list && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            for (const Bound& b : bound_)
                if (b.widget == list) chooseListRow(b.control, list->currentRow());
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
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
    if (role == ClickRole::Background)
        act([form = form_] { form->fireBackgroundClick(); });
    else
        act([c] { c->form().fire(*c, EventKind::Click); });
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
    if (closed)
        event->accept();
    else
        event->ignore();
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
        if (b.control->kind() == ControlKind::Menu)
            syncMenuEntry(b);
        else
            syncControl(b);
    }
    syncWindow();
    syncing_ = false;
}

void FormView::syncWindow() {
    if (title_ != form_->caption) {
        title_ = form_->caption;
        setWindowTitle(toQ(title_));
        // A window on the screen given a longer title widens to show it whole.
        const int need = std::min(titleBarWidth(windowTitle()), usableArea().width());
        if (isVisible() && width() < need) resize(need, height());
    }
    if (backColor_ != form_->backColor) {
        backColor_ = form_->backColor;
        QPalette pal;
        if (backColor_ != NoColor) pal.setColor(QPalette::Window, toQColor(backColor_));
        client_->setPalette(backColor_ != NoColor ? pal : QPalette());
        client_->setAutoFillBackground(backColor_ != NoColor);
        scroll_->viewport()->setPalette(client_->palette());
        scroll_->viewport()->setAutoFillBackground(backColor_ != NoColor);
    }
    if (isVisible() && (widthTw_ != form_->widthTw || heightTw_ != form_->heightTw || leftTw_ != form_->leftTw ||
                        topTw_ != form_->topTw))
        placeOnScreen();
}

bool FormView::stripOnly() const {
    if (menuBar()->actions().isEmpty()) return false;
    for (const Bound& b : bound_)
        if (b.widget && b.widget->parentWidget() == client_ && !b.widget->isHidden()) return false;
    return true;
}

QSize FormView::contentSize() const {
    const QSize hint = client_->sizeHint().expandedTo(client_->minimumSizeHint());
    const int menu = menuBar()->actions().isEmpty() ? 0 : menuBar()->sizeHint().height();
    return {std::max(hint.width(), menuBar()->sizeHint().width()), hint.height() + menu};
}

QRect FormView::usableArea() const {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 728);
    // Room for the title bar and the borders the window manager adds.
    return avail.adjusted(0, 0, -FrameMarginPx, -TitleBarPx);
}

void FormView::placeOnScreen() {
    if (auto* layout = client_->layout()) layout->activate();
    const bool strip = stripOnly();
    const QSize content = contentSize();
    const QRect area = usableArea();
    const bool first = widthTw_ == -2;
    const bool sizeChanged = widthTw_ != form_->widthTw || heightTw_ != form_->heightTw || strip != strip_;
    if (sizeChanged || first) {
        // A window reduced to its menu bar shows nothing else: no empty area below.
        scroll_->setVisible(!strip);
        int w = form_->widthTw > 0 ? std::max(twipsToPixels(form_->widthTw), content.width()) : content.width();
        int h = form_->heightTw > 0 ? std::max(twipsToPixels(form_->heightTw), content.height()) : content.height();
        if (strip) h = menuBar()->sizeHint().height();
        // Wide enough for the whole title in the window manager's title bar.
        w = std::max(w, titleBarWidth(windowTitle()));
        // Never larger than the screen: the client area scrolls instead.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const bool tooWide = w > area.width(), tooHigh = h > area.height();
        if (tooHigh && !tooWide) w = std::min(area.width(), w + bar);
        if (tooWide && !tooHigh) h = std::min(area.height(), h + bar);
        w = std::min(w, area.width());
        h = std::min(h, area.height());
        if (strip) {
            setMinimumHeight(0);
            setMaximumHeight(h);
        } else {
            setMaximumHeight(QWIDGETSIZE_MAX);
        }
        resize(w, h);
        strip_ = strip;
    }
    widthTw_ = form_->widthTw;
    heightTw_ = form_->heightTw;
    QPoint at = pos();
    bool move = false;
    if (leftTw_ != form_->leftTw || topTw_ != form_->topTw) {
        leftTw_ = form_->leftTw;
        topTw_ = form_->topTw;
        if (leftTw_ >= 0) at.setX(twipsToPixels(leftTw_));
        if (topTw_ >= 0) at.setY(twipsToPixels(topTw_));
        move = leftTw_ >= 0 || topTw_ >= 0;
    }
    if (first && !isVisible()) {
        if (remembered_.has_value()) {
            at = remembered_->topLeft();
            move = true;
            // A size the person gave is kept, within the screen, where the window sets none.
            if (form_->widthTw <= 0 && form_->heightTw <= 0 && !strip)
                resize(std::min(std::max(width(), remembered_->width()), area.width()),
                       std::min(std::max(height(), remembered_->height()), area.height()));
        } else if (form_->modal() && owner_ && owner_->isVisible()) {
            at = owner_->geometry().center() - QPoint(width() / 2, height() / 2);
            // Below an owner reduced to its menu strip, so that the strip stays in view.
            if (owner_->height() < 2 * TitleBarPx) at.setY(owner_->frameGeometry().bottom() + 1);
            move = true;
        } else if (!move) {
            at = area.center() - QPoint(width() / 2, height() / 2);
            move = true;
        }
    }
    // Wholly on the screen, never partly off it.
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    if (move || at != pos()) QMainWindow::move(at);
}

void FormView::keepOnScreen() {
    if (!isVisible() || dead_) return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = frameGeometry();
    if (avail.contains(frame)) return;
    // The title bar first: a window can always be moved back by it.
    QPoint at = frame.topLeft();
    at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() + 1 - frame.width())));
    at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - frame.height())));
    QMainWindow::move(at);
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
                case ControlKind::Label:
                case ControlKind::CheckBox:
                case ControlKind::Slider:
                case ControlKind::Frame:
                case ControlKind::Menu:
                case ControlKind::Picture:
                case ControlKind::Canvas:
                case ControlKind::Chart:
                case ControlKind::Table:
                case ControlKind::Progress:
                case ControlKind::Timer:
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
        const bool fills =
            c.backColor != NoColor && (c.kind() == ControlKind::Label || c.kind() == ControlKind::CheckBox ||
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
        if (auto* label = qobject_cast<QLabel*>(w))
            label->setAlignment(h | Qt::AlignVCenter);
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setAlignment(h | Qt::AlignVCenter);
    }
    if (b.widthTw != c.widthTw || b.heightTw != c.heightTw) {
        b.widthTw = c.widthTw;
        b.heightTw = c.heightTw;
        // Areas (lists, multi-line boxes, drawings, pictures) take the size the window
        // gives them. For the rest it is a minimum: a larger font or a longer text still
        // shows whole; a one-line box takes its width as its natural one.
        const bool area = c.kind() == ControlKind::ListBox || c.kind() == ControlKind::Table ||
                          c.kind() == ControlKind::Canvas || c.kind() == ControlKind::Picture ||
                          (c.kind() == ControlKind::TextBox && c.multiline);
        const int width = c.widthTw > 0 ? twipsToPixels(c.widthTw) : 0;
        const int height = c.heightTw > 0 ? twipsToPixels(c.heightTw) : 0;
        // A caption's own width (set with its text) stays its minimum.
        w->setMinimumSize(width > 0 || c.kind() != ControlKind::Label ? width : w->minimumWidth(), height);
        w->setMaximumSize(area && width > 0 ? width : QWIDGETSIZE_MAX, area && height > 0 ? height : QWIDGETSIZE_MAX);
        if (auto* box = dynamic_cast<LineBox*>(w)) box->setDeclaredWidth(width);
        // A button without a caption keeps the small size the window gives it.
        if (c.kind() == ControlKind::Button && c.caption.empty() && width > 0 && height > 0)
            w->setFixedSize(width, height);
        // A scroll bar left to itself would be a stub.
        if (c.kind() == ControlKind::Slider && width == 0 && height == 0) {
            if (c.vertical)
                w->setMinimumHeight(120);
            else
                w->setMinimumWidth(120);
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
            QString text = captionText(c.caption);
            if (label->text() != text) {
                label->setText(text);
                // A short caption stays on one line; a long one wraps between words.
                const QFontMetrics metrics(label->font());
                int widest = 0;
                for (const QString& line : text.split(QLatin1Char('\n')))
                    widest = std::max(widest, metrics.horizontalAdvance(line));
                label->setMinimumWidth(c.widthTw > 0 ? twipsToPixels(c.widthTw)
                                                     : std::min(widest + 2, MaxCaptionWidthPx));
            }
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
            } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
                QString text = toDisplayText(c.text());
                if (memo->toPlainText() != text) {
                    QSignalBlocker block(memo);
                    int cursor = memo->textCursor().position();
                    memo->setPlainText(text);
                    QTextCursor tc = memo->textCursor();
                    tc.setPosition(std::min<int>(cursor, text.size()));
                    memo->setTextCursor(tc);
                }
                if (memo->isReadOnly() != c.locked) memo->setReadOnly(c.locked);
            }
            break;
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            QSignalBlocker block(list);
            const bool refilled = b.items != c.items;
            if (refilled) {
                b.items = c.items;
                list->clear();
                QStringList texts;
                texts.reserve(static_cast<qsizetype>(c.items.size()));
                bool oneLineEach = true;
                for (const auto& item : c.items) {
                    texts.append(toDisplayText(item));
                    oneLineEach = oneLineEach && texts.back().indexOf(QLatin1Char('\n')) < 0;
                }
                // Entries of one line each are as high as one another: a list of a hundred
                // thousand lines (the flume's steps) is laid out without measuring every one.
                list->setUniformItemSizes(oneLineEach);
                list->addItems(texts);
            }
            // The model's choice is shown when it changes; in between the keyboard
            // cursor stays where the person moved it.
            if (refilled || b.listIndex != c.listIndex()) {
                b.listIndex = c.listIndex();
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
        case ControlKind::Table:
            static_cast<TableModel*>(static_cast<QTableView*>(w)->model())->sync(c);
            break;
        case ControlKind::Progress: {
            auto* bar = static_cast<QProgressBar*>(w);
            if (bar->minimum() != std::min(c.min, c.max) || bar->maximum() != std::max(c.min, c.max))
                bar->setRange(std::min(c.min, c.max), std::max(c.min, c.max));
            if (bar->value() != c.value()) bar->setValue(c.value());
            break;
        }
        case ControlKind::Timer: {
            auto* timer = w->findChild<QTimer*>();
            const int interval = std::max(1, c.interval);
            if (timer->interval() != interval) timer->setInterval(interval);
            if (c.enabled && !timer->isActive()) timer->start();
            if (!c.enabled && timer->isActive()) timer->stop();
            w->setVisible(false);
            return;
        }
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
