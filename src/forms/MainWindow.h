#pragma once
// What other windows may ask of the main window, without knowing its controls.
namespace aub {

class Session;

class MainWindow {
public:
    // Hides the help box beside the page (a design window closing does it).
    virtual void hideHelpBox() = 0;
    // Hides the page title (a window that takes the page's place does it).
    virtual void hidePageTitle() = 0;

protected:
    MainWindow() = default;
    MainWindow(const MainWindow&) = default;
    MainWindow& operator=(const MainWindow&) = default;
    ~MainWindow() = default;
};

// The loaded main window of the session; null when there is none (tests that open
// one window alone, the command line before the main window).
MainWindow* mainWindow(const Session& session);

}  // namespace aub
