#pragma once
// The one renderer of every window: builds a top-level window from a Form's control
// table (grid cells of the client area and of its frames, the menu tree), routes
// each edit and click to the model, and brings every widget back in step with the
// model after an event (sync). No window has Qt code of its own.
#include <QMainWindow>
#include <QPointer>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QGridLayout;
class QMenu;
class QScrollArea;

namespace aub {

class Control;
class Form;
class UiHost;

class FormView : public QMainWindow {
    Q_OBJECT

public:
    FormView(UiHost& host, Form& form);
    ~FormView() override;

    Form& form() const { return *form_; }
    // Brings every widget, the menus, the title, the colours and the window's size
    // and place in step with the model. Widgets are only touched where they differ,
    // with their signals blocked; a box being typed in keeps its cursor.
    void sync();
    // Size and place from the model's twips; the window grows to fit its content, but
    // never beyond the screen (its client area scrolls then), and it is placed wholly on
    // the screen: where the model says, else where the person last left it, else a modal
    // window centred on its owner, else the centre of the screen. A window whose client
    // area holds nothing visible shrinks to its menu bar.
    void placeOnScreen();
    // Once shown with its frame: moved so that its title bar and frame are on the screen too.
    void keepOnScreen();
    // The window that opened this one (modal windows are centred on it).
    void setOwner(QWidget* owner) { owner_ = owner; }
    // Where the person last left this window, and its size (set before it is first shown).
    void setRememberedGeometry(std::optional<QRect> r) { remembered_ = r; }
    // The size the content needs (client area and menu bar), in pixels.
    QSize contentSize() const;
    // True when only the menu bar shows.
    bool stripOnly() const;
    // The model is gone or going: the view ignores every event from now on.
    void markDead() { dead_ = true; }
    bool isDead() const { return dead_; }

    // The widget of a control (nullptr for a menu entry), a menu entry's action,
    // the menu of an entry that has entries of its own.
    QWidget* widgetOf(const Control& control) const;
    QAction* actionOf(const Control& control) const;
    QMenu* menuOf(const Control& control) const;
    QWidget* client() const { return client_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class ClickRole { Control, ListPress, Background };
    struct Bound {
        Control* control = nullptr;
        QWidget* widget = nullptr;
        QAction* action = nullptr;
        QMenu* menu = nullptr;
        std::vector<std::string> items;  // list entries as shown
        std::string picture;             // picture file as shown
        int pressRow = -2;               // list selection when the mouse went down
        int listIndex = -2;              // list selection as last shown
        // Appearance as last applied (-2: never).
        int visible = -2, enabled = -2, backColor = -2, foreColor = -2, fontSize = -2, bold = -2, alignment = -2,
            widthTw = -2, heightTw = -2;
    };

    void buildNewControls();
    QWidget* createWidget(Bound& b);
    void placeWidget(const Bound& b);
    void buildMenus();
    void applyTabOrder();
    void addMenuEntries(QWidget* parent, const std::string& parentName, int depth);
    void syncControl(Bound& b);
    void syncAppearance(Bound& b);
    void syncMenuEntry(Bound& b);
    void syncWindow();
    void watchClicks(QObject* target, Control* control, ClickRole role);
    // The person chose a list's entry (click or Enter): its Click runs.
    void chooseListRow(Control* control, int row);
    // Runs a model event under the host's dispatcher (collect, refresh of every view).
    void act(const std::function<void()>& code);

    UiHost& host_;
    Form* form_;
    bool dead_ = false;
    bool syncing_ = false;
    bool afterDoubleClick_ = false;
    QRect usableArea() const;

    QWidget* client_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QPointer<QWidget> owner_;
    std::optional<QRect> remembered_;
    bool strip_ = false;
    static constexpr int TitleBarPx = 40;
    static constexpr int FrameMarginPx = 8;
    QGridLayout* grid_ = nullptr;
    std::deque<Bound> bound_;  // stable addresses: the widgets' handlers keep them
    std::map<const Control*, std::size_t> indexOf_;
    std::map<std::string, QGridLayout*> frames_;
    std::map<QObject*, std::pair<Control*, ClickRole>> clickTargets_;
    std::size_t builtControls_ = 0;
    std::size_t builtMenus_ = 0;
    // Window state as last applied.
    std::string title_;
    int backColor_ = -2;
    int widthTw_ = -2, heightTw_ = -2, leftTw_ = -2, topTw_ = -2;
};

}  // namespace aub
