#pragma once
// Fixture for the Qt tests of the whole program: a program folder seeded with the
// delivered data, every window registered, and a real UiHost on the offscreen screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/Windows.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/UiHost.h"

namespace aub::test {

class ProgramOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(
            dataSource(), folder_.path(),
            std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        catalog_ = WindowCatalog();  // a test may start the program again
        registerAllWindows(catalog_);
        session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
        host_ = std::make_unique<UiHost>(*session_);
        host_->setEndsApplication(false);
        session_->setHost(host_.get());
    }
    void TearDown() override {
        session_->setHost(nullptr);
        host_.reset();
        session_.reset();
    }

    TempFolder folder_;
    WindowCatalog catalog_;
    ScriptedDialogs dialogs_;
    RecordingPlatform platform_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<UiHost> host_;
};

}  // namespace aub::test
