#include "forms/WindowCatalog.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/NumberText.h"
#include "forms/Form.h"
#include "forms/Session.h"

namespace aub {

void WindowCatalog::add(std::string name, Factory factory, Opener opener) {
    if (has(name)) throw ProgramError("fenêtre en double : " + name);
    entries_.push_back({std::move(name), std::move(factory), std::move(opener)});
}

void WindowCatalog::replace(std::string_view name, Factory factory, Opener opener) {
    for (auto& e : entries_) {
        if (e.name == name) {
            e.factory = std::move(factory);
            e.opener = std::move(opener);
            return;
        }
    }
    add(std::string(name), std::move(factory), std::move(opener));
}

const WindowCatalog::Entry* WindowCatalog::entry(std::string_view name) const {
    for (const auto& e : entries_)
        if (e.name == name) return &e;
    for (const auto& e : entries_)
        if (equalsNoCase(e.name, name)) return &e;
    return nullptr;
}

bool WindowCatalog::has(std::string_view name) const { return entry(name) != nullptr; }

std::string WindowCatalog::canonical(std::string_view name) const {
    const Entry* e = entry(name);
    return e ? e->name : std::string();
}

std::vector<std::string> WindowCatalog::names() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) out.push_back(e.name);
    return out;
}

std::unique_ptr<Form> WindowCatalog::create(std::string_view name, Session& session) const {
    const Entry* e = entry(name);
    if (!e) throw ProgramError("fenêtre inconnue : " + std::string(name));
    return e->factory(session);
}

void WindowCatalog::open(std::string_view name, Session& session) const {
    const Entry* e = entry(name);
    if (!e) throw ProgramError("fenêtre inconnue : " + std::string(name));
    if (e->opener)
        e->opener(session);
    else
        session.show(e->name, true);
}

void WindowCatalog::declareStudy(StudyDeclaration declaration) {
    for (const auto& d : studies_)
        if (d.caption == declaration.caption) throw ProgramError("calcul déclaré deux fois : " + declaration.caption);
    studies_.push_back(std::move(declaration));
}

void WindowCatalog::declareNoStudy(std::string window) { noStudy_.push_back(std::move(window)); }

void WindowCatalog::declareShownCalculation(std::string window, ShownCalculation which) {
    shown_.emplace_back(std::move(window), std::move(which));
}

std::string WindowCatalog::shownCalculation(std::string_view window, Session& session) const {
    for (const auto& [name, which] : shown_)
        if (equalsNoCase(name, window)) return which ? which(session) : std::string();
    return {};
}

bool WindowCatalog::declaresCalculation(std::string_view window) const {
    return std::any_of(studies_.begin(), studies_.end(), [&](const StudyDeclaration& d) { return d.window == window; });
}

bool WindowCatalog::studyDeclared(std::string_view window) const {
    for (const auto& d : studies_)
        if (d.window == window) return true;
    for (const auto& w : noStudy_)
        if (w == window) return true;
    return false;
}

}  // namespace aub
