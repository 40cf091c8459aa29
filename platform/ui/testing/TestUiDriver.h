// A UI driver for GoogleTest: the test lists the dialogs it expects, in the
// order they open, each with a function acting on it as a user would. A
// dialog the function leaves open is cancelled; an unexpected dialog is a test
// failure and is cancelled.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "uidriver.h"
#include "wcrt.h"

class TestUiDriver : public CUiDriver {
  public:
    using Handler = std::function<void(CDialog&)>;

    TestUiDriver() { mPrevious = UiSetDriver(this); }
    ~TestUiDriver() override {
        UiSetDriver(mPrevious);
        EXPECT_TRUE(mExpected.empty())
            << mExpected.size() << " expected dialog(s) never opened, the first \""
            << Utf8(mExpected.front().title) << "\"";
    }

    void Expect(const std::wstring& title, Handler handler) {
        mExpected.push_back({title, std::move(handler)});
    }
    // Titles of the dialogs shown so far, in order.
    const std::vector<std::wstring>& Shown() const { return mShown; }

    int RunModal(CDialog& dialog) override {
        mShown.push_back(dialog.GetWindowText());
        dialog.Start();
        if (mExpected.empty() || mExpected.front().title != dialog.GetWindowText()) {
            ADD_FAILURE() << "unexpected dialog \"" << Utf8(dialog.GetWindowText()) << "\"";
        } else {
            Handler handler = std::move(mExpected.front().handler);
            mExpected.pop_front();
            handler(dialog);
        }
        if (!dialog.IsEnded()) ui::Cancel(dialog);
        return dialog.GetResult();
    }

  private:
    static std::string Utf8(const std::wstring& w) { return wcrtToUtf8(w); }
    struct Expected {
        std::wstring title;
        Handler handler;
    };
    std::deque<Expected> mExpected;
    std::vector<std::wstring> mShown;
    CUiDriver* mPrevious = nullptr;
};

// Acts on a dialog and expects each action to be taken.
#define UI_DO(action) EXPECT_EQ(std::wstring(), (action))
