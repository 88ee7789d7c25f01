#pragma once
// Fixture for the Qt view tests: one test window W registered under `name`, opened by
// its menu entry through a real UiHost on the offscreen screen, and its view shown.
#include <gtest/gtest.h>
#include <QTest>

#include <memory>
#include <string>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/TempFolder.h"
#include "ui/FormView.h"
#include "ui/UiHost.h"

namespace aub::test {

template <class W>
class ShownWindowTest : public ::testing::Test {
protected:
    // Call from SetUp (wrapped in ASSERT_NO_FATAL_FAILURE when more follows).
    void showWindow(const std::string& name) {
        catalog_.add(
            name, [](Session& s) { return std::make_unique<W>(s); }, [name](Session& s) { s.show(name, false); });
        session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
        host_ = std::make_unique<UiHost>(*session_);
        host_->setEndsApplication(false);
        session_->setHost(host_.get());
        host_->dispatch(nullptr, [this, name] { session_->open(name); });
        form_ = dynamic_cast<W*>(session_->loaded(name));
        ASSERT_NE(form_, nullptr);
        view_ = host_->view(*form_);
        ASSERT_NE(view_, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_));
    }
    void TearDown() override {
        host_.reset();
        session_.reset();
    }
    template <class Widget>
    Widget* widget(const char* name, int index = -1) {
        return qobject_cast<Widget*>(view_->widgetOf(form_->ctl(name, index)));
    }

    WindowCatalog catalog_;
    ScriptedDialogs dialogs_;
    RecordingPlatform platform_;
    TempFolder folder_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<UiHost> host_;
    W* form_ = nullptr;
    FormView* view_ = nullptr;
};

}  // namespace aub::test
