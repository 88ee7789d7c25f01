#include "support/WindowTest.h"

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "forms/Script.h"

namespace aub {
void registerAllWindows(WindowCatalog& catalog);
}

namespace aub::test {

std::filesystem::path dataSource() {
    if (const char* env = std::getenv("AUBELYS_TEST_DATA")) return env;
    return AUBELYS_DATA_SOURCE;
}

void WindowTest::SetUp() {
    std::error_code ec;
    std::filesystem::copy(dataSource(), folder_.path(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing, ec);
    // Reports meant for the system's temporary folder stay inside the test's folder.
    std::filesystem::create_directory(folder_.path() / "tmp", ec);
    platform_.temporaryFolder = (folder_.path() / "tmp").string();
    registerAllWindows(catalog_);
    answerFilesFrom(platform_, dialogs_);
    session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
}

void WindowTest::TearDown() {
    std::vector<std::string> shown = dialogs_.messages();
    EXPECT_EQ(shown, expected_) << "messages shown differ from the expected ones";
    session_.reset();
}

Form& WindowTest::open(const std::string& window) {
    session_->open(window);
    session_->collect();
    return session_->load(window);
}

void WindowTest::step(const std::string& window, const std::string& s) {
    ScriptOutcome out = runStep(*session_, window, s);
    ASSERT_EQ(out.status, 0) << out.error;
}

std::string WindowTest::refusedStep(const std::string& window, const std::string& s) {
    ScriptOutcome out = runStep(*session_, window, s);
    EXPECT_EQ(out.status, 2) << s;
    return out.error;
}

std::string WindowTest::text(const std::string& window, const std::string& name, int index) {
    Control& c = session_->load(window).ctl(name, index);
    return c.kind() == ControlKind::TextBox || c.kind() == ControlKind::ComboBox || c.kind() == ControlKind::ListBox
               ? c.text()
               : c.caption;
}

}  // namespace aub::test
