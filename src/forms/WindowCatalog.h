#pragma once
// The windows the program knows, by name: how to build one, and how the menu
// entry that opens it opens it (FormulaId, modal or not). Each module registers its
// windows; the session builds them on demand.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/StudyDeclaration.h"

namespace aub {

class Form;
class Session;

class WindowCatalog {
public:
    using Factory = std::function<std::unique_ptr<Form>(Session&)>;
    using Opener = std::function<void(Session&)>;

    // `opener` runs what the window's menu entry runs; by default the window is shown modally.
    void add(std::string name, Factory factory, Opener opener = {});
    // Puts another window in place of a registered one (tests use stand-ins this way).
    void replace(std::string_view name, Factory factory, Opener opener = {});
    bool has(std::string_view name) const;
    // The registered spelling of a name given in any case, or empty.
    std::string canonical(std::string_view name) const;
    std::vector<std::string> names() const;
    std::unique_ptr<Form> create(std::string_view name, Session& session) const;
    void open(std::string_view name, Session& session) const;

    // The calculations a parametric study can run, each declared beside its window.
    // A window that calculates nothing a study could sweep says so with declareNoStudy;
    // a registered window that does neither is a fault of the program (a test checks it).
    void declareStudy(StudyDeclaration declaration);
    void declareNoStudy(std::string window);
    const std::vector<StudyDeclaration>& studies() const { return studies_; }
    bool studyDeclared(std::string_view window) const;
    // A window with at least one calculation declared.
    bool declaresCalculation(std::string_view window) const;
    // A window that shows one of its calculations at a time (the general page's formula
    // pages) names the one it shows by its caption; the study window and the command
    // line study that one. Empty: the window does not say, or is not loaded.
    using ShownCalculation = std::function<std::string(Session&)>;
    void declareShownCalculation(std::string window, ShownCalculation which);
    std::string shownCalculation(std::string_view window, Session& session) const;

private:
    struct Entry {
        std::string name;
        Factory factory;
        Opener opener;
    };
    const Entry* entry(std::string_view name) const;
    std::vector<Entry> entries_;
    std::vector<StudyDeclaration> studies_;
    std::vector<std::string> noStudy_;
    std::vector<std::pair<std::string, ShownCalculation>> shown_;
};

}  // namespace aub
