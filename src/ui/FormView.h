#pragma once
// The one renderer of every window: builds a top-level window from a Form's control
// table (grid cells of the client area and of its frames, the menu tree), routes
// each edit and click to the model, and brings every widget back in step with the
// model after an event (sync). No window has Qt code of its own.
#include <QMainWindow>

#include <functional>
#include <map>
#include <string>
#include <deque>
#include <vector>

class QGridLayout;
class QMenu;

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
    // Size and place from the model's twips; the window grows to fit its content.
    void placeOnScreen();
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
        // Appearance as last applied (-2: never).
        int visible = -2, enabled = -2, backColor = -2, foreColor = -2, fontSize = -2, bold = -2,
            alignment = -2, widthTw = -2, heightTw = -2;
    };

    void buildNewControls();
    QWidget* createWidget(Bound& b);
    void placeWidget(const Bound& b);
    void buildMenus();
    void addMenuEntries(QWidget* parent, const std::string& parentName, int depth);
    void syncControl(Bound& b);
    void syncAppearance(Bound& b);
    void syncMenuEntry(Bound& b);
    void syncWindow();
    void watchClicks(QObject* target, Control* control, ClickRole role);
    // Runs a model event under the host's dispatcher (collect, refresh of every view).
    void act(const std::function<void()>& code);

    UiHost& host_;
    Form* form_;
    bool dead_ = false;
    bool syncing_ = false;
    bool afterDoubleClick_ = false;
    QWidget* client_ = nullptr;
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
