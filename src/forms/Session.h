#pragma once
// What is program-wide: the shared values, the program folder, the help-text file
// and the loaded windows. Windows open one another through it.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "core/SharedValues.h"
#include "files/HelpTextFile.h"
#include "forms/Control.h"
#include "forms/Report.h"

namespace aub {

class Dialogs;
class Platform;
class Form;
class WindowCatalog;

// The screen side of the session (the Qt views); the command line and tests have none.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void formShown(Form& form) = 0;
    virtual void formHidden(Form& form) = 0;
    virtual void formUnloaded(Form& form) = 0;
    virtual void programEnded() = 0;
};

// The question a design window's own "Fin", "Quitter" or "Fermer" asks before it ends
// the whole program (the main window's "&Quitter" asks nothing).
inline constexpr const char* QuitQuestion = "Quitter Aubelys ?";

class Session {
public:
    Session(const WindowCatalog& catalog, Dialogs& dialogs, Platform& platform, std::filesystem::path appFolder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SharedValues& shared() { return shared_; }
    Dialogs& dialogs();
    Platform& platform() { return *platform_; }
    const WindowCatalog& catalog() const { return *catalog_; }
    const std::filesystem::path& appFolder() const { return appFolder_; }
    // A file of the program folder.
    std::filesystem::path file(std::string_view name) const;
    HelpTextFile& helpFile() { return helpFile_; }
    // Set once the main window has checked the program folder's data folders in this
    // run: a folder that cannot be completed is reported once, not at every opening.
    bool dataFoldersChecked = false;
    // The explanation record k of the help-text file, trailing blanks removed.
    std::string helpText(int k) const;
    // Shows record k of the help-text file in the help window "Formhlp", modal.
    // Shown: trailing blanks removed; Kept: the same, the whole record also kept in
    // SharedValues::HelpRecord; Whole: the whole record shown and kept.
    enum class HelpRecordUse { Shown, Kept, Whole };
    void showHelpRecord(int k, HelpRecordUse use = HelpRecordUse::Shown);

    // Loads the window when it is not loaded yet (its load() runs) and returns it.
    Form& load(std::string_view name);
    Form* loaded(std::string_view name) const;
    template <class T>
    T& window(std::string_view name) {
        return dynamic_cast<T&>(load(name));
    }
    // Shows a window (loading it first). A modal window blocks the others on screen;
    // the caller's code goes on at once, so nothing may rely on it having closed.
    void show(std::string_view name, bool modal = false);
    void hide(std::string_view name);
    // Unloads a window (its queryUnload may refuse for CloseMode::User); true when unloaded.
    // Unsaved edits are asked about first (not for CloseMode::System): "Non" keeps the window.
    bool unload(std::string_view name, CloseMode mode = CloseMode::Code);
    // The person's close box.
    bool requestClose(Form& form);
    // Runs what the window's menu entry runs.
    void open(std::string_view name);
    // Ends the whole program: every window goes at once. When a window holds unsaved
    // edits the person is asked first (unless askFirst is false); "Non" ends nothing
    // and the result is false.
    bool endProgram(bool askFirst = true);
    // Ends the whole program from a design window's entry, which would otherwise take
    // every other window, the dossier and a study's table with it: "Quitter Aubelys ?"
    // is asked first (with unsaved edits somewhere, the question about them is asked
    // instead). "Non" ends nothing and the result is false.
    bool endProgramFromWindow();
    bool ended() const { return ended_; }
    std::vector<Form*> forms() const;  // loaded windows, in load order

    // Every message shown goes through a journal: the count so far, and the texts shown
    // since an earlier count (the journal keeps the last few hundred).
    std::size_t messageCount() const { return messageCount_; }
    std::vector<std::string> messagesSince(std::size_t count) const;
    // The calculation window shown or calculated last (empty: none), for the dossier.
    void noteCalculationWindow(const Form& form);
    const std::string& lastCalculationWindow() const { return lastCalculation_; }
    // The window whose event showed a window (empty: none); the event window is set by
    // the window's own events (CalculationWatch).
    std::string openerOf(std::string_view window) const;
    std::string eventWindow;
    // What a window keeps from one loading to the next, for as long as the session
    // lasts: one value of each type, made on first use (T: a plain struct).
    template <class T>
    T& windowMemory() {
        std::shared_ptr<void>& slot = windowMemories_[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }
    // The windows' calculations are noted for the dossier (what each calculation said and
    // wrote, the calculation window used last, who opened whom). A session that never
    // makes a dossier (a study's private one) notes nothing and saves that work at every
    // event.
    bool recordsCalculations = true;
    // The windows added to the dossier, each as it was when added, in order.
    std::vector<WindowReport> dossier;
    std::string dossierStudy;
    // The reports of the calculation window used last, as it was when it closed (with
    // its companions): the dossier can still take them.
    const std::vector<WindowReport>& closedReports() const { return closedReports_; }

    void setHost(WindowHost* host) { host_ = host; }
    // Windows unloaded inside one of their own handlers are destroyed here, later.
    void collect();

private:
    const WindowCatalog* catalog_;
    Platform* platform_;
    std::filesystem::path appFolder_;
    SharedValues shared_;
    HelpTextFile helpFile_;
    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<std::unique_ptr<Form>> graveyard_;
    WindowHost* host_ = nullptr;
    bool ended_ = false;
    class Journal;
    friend class Journal;
    std::unique_ptr<Journal> journal_;
    std::vector<std::string> journalTexts_;
    std::size_t messageCount_ = 0;
    std::string lastCalculation_;
    std::vector<WindowReport> closedReports_;
    std::vector<std::pair<std::string, std::string>> openers_;
    std::map<std::type_index, std::shared_ptr<void>> windowMemories_;
};

}  // namespace aub
