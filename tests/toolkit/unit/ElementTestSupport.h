// SPDX-License-Identifier: MIT
// Small elements for the element-model and registry tests: a plain control, a window
// stand-in and a clock the tests move by hand.
#pragma once

#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/MyDateTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A control that loads without any platform counterpart and counts what it is asked to apply.
class TestControl : public Child {
public:
    explicit TestControl(GUIElement* parentElement, const std::string& kind = "testcontrol") : Child(parentElement)
    {
        className = kind;
    }

    void Load() override
    {
        LoadElementBase();
        loaded = true;
    }
    void Unload() { loaded = false; }
    void SetHandleValue(unsigned long value) { handleValue = value; }
    unsigned long HandleValue() const { return handleValue; }
    short Focused() const { return focused; }

    int moves = 0;
    int resizes = 0;
    int paints = 0;
    int fontsSet = 0;
    int refreshes = 0;
    int doubleClicks = 0;
    GUIElement* movedOver = nullptr;

    void OnPaint() override { ++paints; }
    void OnLeftMouseDBLCLK(tagPOINT p) override
    {
        ++doubleClicks;
        GUIElement::OnLeftMouseDBLCLK(p);
    }

protected:
    void _SpecializedMove() override { ++moves; }
    void _SpecializedResize() override { ++resizes; }
    void _SpecializedRefresh() override { ++refreshes; }
    void _SpecializedMoveOver(GUIElement* other) override { movedOver = other; }
    void _SpecializedSetFont() override { ++fontsSet; }
};

// Stands in for a window: kind "form", in the window registry, no parent.
class TestWindow : public GUIElement {
public:
    TestWindow() : GUIElement(0)
    {
        className = "form";
        Application::AddWindow(this);
    }
    ~TestWindow() override { Application::RemoveWinForm(this); }

    void Load() override
    {
        LoadElementBase();
        loaded = true;
    }
};

// Stands in for a timer: kind "timer", in the timer registry.
class TestTimer : public Child {
public:
    explicit TestTimer(GUIElement* parentElement) : Child(parentElement)
    {
        className = "timer";
        Application::AddTimer(this);
    }
    void Load() override
    {
        LoadElementBase();
        loaded = true;
    }
};

// A clock that only moves when the test says so.
struct ManualClock {
    static inline int64_t now = 1000000;
    static int64_t Read() { return now; }
};

// Every test starts with empty registries and the manual clock, and leaves them so.
class ElementFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Application::lst.empty());
        ASSERT_TRUE(Application::lstForm.empty());
        ASSERT_TRUE(Application::lstTimer.empty());
        MyDateTime::SetClock(&ManualClock::Read);
    }
    void TearDown() override
    {
        MyDateTime::SetClock(nullptr);
        Application::ResetRiferimenti();
        EXPECT_TRUE(Application::lst.empty());
        EXPECT_TRUE(Application::lstForm.empty());
        EXPECT_TRUE(Application::lstTimer.empty());
    }
};
