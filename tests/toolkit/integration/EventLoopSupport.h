// SPDX-License-Identifier: MIT
// What the event-loop tests share: a program screen with a main window and optional dialogs
// that write every call they receive into one trace, custom controls that do the same, and
// helpers to read the log.
#pragma once

#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/Testing.h"
#include "services/StringUtils.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// Every traced call, in order, as "<name>.<call>[ <argument>]".
struct Trace {
    static inline std::vector<std::string> calls;
    static void Note(const std::string& line) { calls.push_back(line); }
};

inline std::string Num(long value)
{
    return StringUtils::IntToStr(value);
}

// The element's mouse buttons and keys written to the trace under its name, then handled as
// the element would.
template <typename Base> class Traced : public Base {
public:
    template <typename... Args>
    explicit Traced(std::string traceName, Args&&... args)
        : Base(std::forward<Args>(args)...), name(std::move(traceName))
    {
    }
    void OnLeftMouseDOWN(tagPOINT p) override
    {
        Trace::Note(name + ".down");
        Base::OnLeftMouseDOWN(p);
    }
    void OnLeftMouseUP(tagPOINT p) override
    {
        Trace::Note(name + ".up");
        Base::OnLeftMouseUP(p);
    }
    void OnKeyDOWN(int key) override
    {
        Trace::Note(name + ".keydown " + Num(key) + " state " + Num(Application::keyState[key & 0xFF]));
        Base::OnKeyDOWN(key);
    }
    void OnKeyUP(int key) override
    {
        Trace::Note(name + ".keyup " + Num(key) + " state " + Num(Application::keyState[key & 0xFF]));
        Base::OnKeyUP(key);
    }
    bool OnKeyPress(int key) override
    {
        Trace::Note(name + ".press " + std::string(1, static_cast<char>(key)));
        return Base::OnKeyPress(key);
    }

    std::string name;
};

// A self-drawn control (like the game's custom buttons): it takes the focus and mouse and key
// input from the loop's hit test, and writes all of it to the trace.
class TracedControl : public Traced<Child> {
public:
    TracedControl(GUIElement* owner, std::string traceName, int left, int top, int w, int h)
        : Traced<Child>(std::move(traceName), owner)
    {
        className = "testcontrol";
        x = left;
        y = top;
        width = w;
        height = h;
    }
    void Load() override
    {
        LoadElementBase();
        loaded = true;
        visible = true;
    }
    void OnFocus() override
    {
        Trace::Note(name + ".focus");
        GUIElement::OnFocus();
    }
    void OnLeave() override
    {
        Trace::Note(name + ".leave");
        GUIElement::OnLeave();
    }
    short Focused() const { return focused; }
};

// A window that traces what the loop hands it. Closing answers come from a queue (true when
// it is empty).
class TracedForm : public Traced<Form> {
public:
    TracedForm(std::string traceName, KesaScreen* onScreen, bool dialog)
        : Traced<Form>(std::move(traceName), 0UL, dialog)
    {
        SetScreen(onScreen);
    }
    void OnRightMouseDOWN(tagPOINT p) override
    {
        Trace::Note(name + ".rightdown");
        Form::OnRightMouseDOWN(p);
    }
    bool OnClosing() override
    {
        bool answer = true;
        if (!closingAnswers.empty()) {
            answer = closingAnswers.front();
            closingAnswers.pop_front();
        }
        Trace::Note(name + ".closing " + (answer ? "true" : "false") + " postQuit " + Num(Application::postQuit));
        return answer;
    }
    void OnClose() override
    {
        Trace::Note(name + ".close");
        Form::OnClose();
    }

    std::deque<bool> closingAnswers;
};

// The calls of the trace that start with one of the prefixes, in order.
inline std::vector<std::string> TraceOf(std::initializer_list<std::string> prefixes)
{
    std::vector<std::string> result;
    for (const std::string& line : Trace::calls)
        for (const std::string& prefix : prefixes)
            if (line.rfind(prefix, 0) == 0) {
                result.push_back(line);
                break;
            }
    return result;
}

// The program's screen and its main window, open; controls and dialogs added by the test
// are destroyed before the windows.
class LoopFixture : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
        Trace::calls.clear();
        screen = std::make_unique<KesaScreen>("Kesa Pegline");
        ASSERT_NE(screen->GetHandle(), nullptr);
        main = std::make_unique<TracedForm>("form", screen.get(), false);
        main->Show();
        ASSERT_TRUE(main->IsLoad());
        // Make the main window active, and forget what that sent.
        amiga::InjectClick(790, 590);
        Application::CancellaBuffer(main->GetHandle());
    }
    void TearDown() override
    {
        controls.clear();
        dialogs.clear();
        main.reset();
        ToolkitFixture::TearDown();
    }

    TracedControl* Control(const std::string& name, int left, int top, GUIElement* owner = nullptr)
    {
        TracedControl* c = Add<TracedControl>(owner != nullptr ? owner : main.get(), name, left, top, 60, 40);
        c->Show();
        return c;
    }
    TracedForm* Dialog(const std::string& name, int left, int top)
    {
        dialogs.push_back(std::make_unique<TracedForm>(name, screen.get(), true));
        TracedForm* d = dialogs.back().get();
        d->SetLocation(left, top);
        d->SetSize(200, 120);
        d->SetText(name);
        d->Show();
        return d;
    }
    // Runs the loop to its end (the test has queued or arranged what ends it).
    void RunLoop() { Application::Run(main.get()); }

    std::unique_ptr<TracedForm> main;
    std::vector<std::unique_ptr<TracedForm>> dialogs;
};
