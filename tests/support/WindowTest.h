#pragma once
// Fixture for window scenarios: a fresh program folder seeded with the delivered
// data, scripted dialogs, a recording platform and a session with every window.
// Any message box that the test did not announce with expectMessage() fails it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/TempFolder.h"

namespace aub::test {

// The delivered data folder of the source tree.
std::filesystem::path dataSource();

class WindowTest : public ::testing::Test {
protected:
    // `registerWindows` fills the catalogue (registerAllWindows by default).
    void SetUp() override;
    void TearDown() override;

    Session& session() { return *session_; }
    Form& open(const std::string& window);  // as its menu entry opens it
    Form& load(const std::string& window) { return session_->load(window); }
    // One command-line step on a window ("zonetxt(0)=2", "CALCUL ", "Options1/Vanne").
    void step(const std::string& window, const std::string& s);
    // A step a person could not take (a hidden or greyed control): refused, its reason given.
    std::string refusedStep(const std::string& window, const std::string& s);
    std::string text(const std::string& window, const std::string& name, int index = -1);

    void expectMessage(const std::string& text) { expected_.push_back(text); }
    void answer(const std::string& a) { dialogs_.answer(a); }
    // Messages shown so far; checked against the expected ones at tear-down.
    std::vector<std::string> messages() const { return dialogs_.messages(); }

    const std::filesystem::path& folder() const { return folder_.path(); }
    ScriptedDialogs dialogs_;
    RecordingPlatform platform_;
    WindowCatalog catalog_;

private:
    TempFolder folder_;
    std::unique_ptr<Session> session_;
    std::vector<std::string> expected_;
};

}  // namespace aub::test
