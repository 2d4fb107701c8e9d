// SPDX-License-Identifier: MIT
// MsgBox: requesters and alerts through the platform, with the window kept quiet meanwhile.
#include "toolkit/controls/MsgBox.h"

#include "platform/intuition/Requesters.h"
#include "services/StringUtils.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

#include <algorithm>

using namespace amiga;

namespace {

constexpr const char* OneButton = "OK";
constexpr const char* TwoButtons = "YES | NO";
constexpr const char* AlertFooter = ".. PREMI IL PULSANTE DEL MOUSE";
constexpr size_t AlertTitleLength = 50;
constexpr size_t AlertBodyLength = 201;
constexpr size_t AlertLineLength = 77;
constexpr size_t AlertBufferSize = 512;
constexpr UWORD AlertHeight = 80;

// A NUL inside a line would end it early and turn the rest into position bytes.
std::string AlertLine(int x, int y, std::string line, bool more)
{
    std::replace(line.begin(), line.end(), '\0', ' ');
    std::string result;
    result += static_cast<char>((x >> 8) & 0xFF);
    result += static_cast<char>(x & 0xFF);
    result += static_cast<char>(y);
    result += line;
    result += '\0';
    result += static_cast<char>(more ? 1 : 0);
    return result;
}

} // namespace

long MsgBox::Request(Form* form, const std::string& text, const std::string& title, const char* gadgets)
{
    Window* window = nullptr;
    if (form != nullptr) {
        form->SetCursorWait(true);
        window = form->GetHandle();
    }
    // The platform reads the texts as they are: no format is applied, so "%" stays "%".
    const EasyStruct easy{sizeof(EasyStruct), 0, title.c_str(), text.c_str(), gadgets};
    const LONG answer = EasyRequestArgs(window, &easy, nullptr, nullptr);
    if (form != nullptr) {
        Application::CancellaBuffer(form->GetHandle());
        form->SetCursorWait(false);
    }
    return answer;
}

void MsgBox::ShowMessage(Form* form, std::string text, std::string title)
{
    Request(form, text, title, OneButton);
}
void MsgBox::ShowMessage(std::string text, std::string title)
{
    Request(nullptr, text, title, OneButton);
}
void MsgBox::ShowError(Form* form, std::string text, std::string title)
{
    Request(form, text, title, OneButton);
}
void MsgBox::ShowError(std::string text, std::string title)
{
    Request(nullptr, text, title, OneButton);
}
void MsgBox::ShowInformation(Form* form, std::string text, std::string title)
{
    Request(form, text, title, OneButton);
}
void MsgBox::ShowInformation(std::string text, std::string title)
{
    Request(nullptr, text, title, OneButton);
}

int MsgBox::ShowQuestion(Form* form, std::string text, std::string title)
{
    return Request(form, text, title, TwoButtons) == 1 ? 1 : 0;
}

int MsgBox::ShowQuestion(std::string text, std::string title)
{
    return ShowQuestion(nullptr, text, title);
}

std::string MsgBox::CreaTesto(const std::string& text, const std::string& title)
{
    const std::string head = StringUtils::PaddingString(title.substr(0, AlertTitleLength), ' ', AlertTitleLength);
    const std::string body =
        StringUtils::PaddingString(text.substr(0, AlertBodyLength), ' ', AlertBodyLength) + AlertFooter;
    std::string alert = AlertLine(10, 20, head, true);
    alert += AlertLine(10, 42, body.substr(0, AlertLineLength), true);
    alert += AlertLine(10, 53, body.substr(AlertLineLength, AlertLineLength), true);
    alert += AlertLine(10, 64, body.substr(2 * AlertLineLength, AlertLineLength), false);
    return alert;
}

void MsgBox::ShowAlert(Form* /*form*/, std::string text, std::string title)
{
    ShowAlert(text, title);
}

void MsgBox::ShowAlert(std::string text, std::string title)
{
    char buffer[AlertBufferSize] = {};
    const std::string alert = CreaTesto(text, title);
    std::copy_n(alert.begin(), std::min(alert.size(), AlertBufferSize), buffer);
    DisplayAlert(RECOVERY_ALERT, buffer, AlertHeight);
}
