// SPDX-License-Identifier: MIT
// MsgBox: modal message boxes (information, yes/no question, system alert). Given a window,
// a box opens on its screen, shows the busy pointer on it while up, and throws away the
// input the window received meanwhile. Texts are shown literally, "%" included.
#pragma once

#include <string>

class Form;

class MsgBox {
public:
    MsgBox() = delete;

    // A requester with one "OK" button; the three forms look the same.
    static void ShowMessage(Form* form, std::string text, std::string title);
    static void ShowMessage(std::string text, std::string title);
    static void ShowError(Form* form, std::string text, std::string title);
    static void ShowError(std::string text, std::string title);
    static void ShowInformation(Form* form, std::string text, std::string title);
    static void ShowInformation(std::string text, std::string title);
    // "YES | NO": 1 for YES, 0 for NO.
    static int ShowQuestion(Form* form, std::string text, std::string title);
    static int ShowQuestion(std::string text, std::string title);
    // A recoverable alert band of four lines; the window is not used.
    static void ShowAlert(Form* form, std::string text, std::string title);
    static void ShowAlert(std::string text, std::string title);

    // The alert string: the title cut or padded to 50 characters at (10, 20), then the body
    // (cut or padded to 201 characters, followed by the footer) in three lines of 77 at
    // y = 42, 53 and 64. Each line: x high byte first, y, text, NUL, continuation byte.
    static std::string CreaTesto(const std::string& text, const std::string& title);

private:
    static long Request(Form* form, const std::string& text, const std::string& title, const char* gadgets);
};
