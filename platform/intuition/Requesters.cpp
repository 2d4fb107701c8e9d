// SPDX-License-Identifier: MIT
// EasyRequestArgs: a requester window with text lines and buttons, and its own modal loop.
#include "platform/intuition/Requesters.h"

#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/graphics/Internal.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/RequesterState.h"
#include "platform/intuition/State.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace amiga {

namespace {

constexpr int kMargin = 8;    // around the text box and the buttons
constexpr int kTextPadX = 10; // text from the text box's frame
constexpr int kTextPadY = 6;
constexpr int kButtonPadX = 16; // label width plus this, at least kButtonMinWidth
constexpr int kButtonMinWidth = 48;
constexpr int kButtonGap = 10;

// A pen of the screen's DrawInfo (DETAILPEN...), `fallback` without one.
UBYTE PenOf(Screen* screen, UWORD which, UWORD fallback)
{
    UWORD pen = fallback;
    if (DrawInfo* info = GetScreenDrawInfo(screen)) {
        if (info->dri_Pens != nullptr && which < info->dri_NumPens)
            pen = info->dri_Pens[which];
        FreeScreenDrawInfo(screen, info);
    }
    return static_cast<UBYTE>(pen);
}

std::vector<std::string> Split(CONST_STRPTR text, char separator)
{
    std::vector<std::string> parts(1);
    if (text == nullptr)
        return parts;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == separator)
            parts.emplace_back();
        else
            parts.back() += *c;
    }
    return parts;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct Button {
    std::string label;
    int left = 0, top = 0, width = 0, height = 0; // inside the window's bitmap
    bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

struct Pens {
    UBYTE text, shine, shadow, fill, fillText, background;
};

struct Layout {
    std::vector<std::string> lines;
    std::vector<Button> buttons;
    int innerWidth = 0, innerHeight = 0;
    int textBoxWidth = 0, textBoxHeight = 0;
    int lineHeight = 0;
};

Layout LayOut(const EasyStruct* easy, RastPort* rp)
{
    Layout layout;
    layout.lines = Split(easy->es_TextFormat, '\n');
    for (const std::string& part : Split(easy->es_GadgetFormat, '|'))
        layout.buttons.push_back({Trimmed(part)});
    const int fontHeight = rp->TxHeight;
    layout.lineHeight = fontHeight + 2;
    int textWidth = 0;
    for (const std::string& line : layout.lines)
        textWidth = std::max<int>(textWidth, TextLength(rp, line.c_str(), static_cast<ULONG>(line.size())));
    layout.textBoxWidth = textWidth + 2 * kTextPadX;
    layout.textBoxHeight = static_cast<int>(layout.lines.size()) * layout.lineHeight + 2 * kTextPadY - 2;
    int buttonsWidth = 0;
    for (Button& button : layout.buttons) {
        button.width =
            std::max(kButtonMinWidth,
                     TextLength(rp, button.label.c_str(), static_cast<ULONG>(button.label.size())) + kButtonPadX);
        button.height = fontHeight + 6;
        buttonsWidth += button.width;
    }
    buttonsWidth += kButtonGap * static_cast<int>(layout.buttons.size() - 1);
    const int contentWidth = std::max(layout.textBoxWidth, buttonsWidth);
    layout.textBoxWidth = contentWidth;
    layout.innerWidth = contentWidth + 2 * kMargin;
    layout.innerHeight = kMargin + layout.textBoxHeight + kMargin + layout.buttons.front().height + kMargin;
    return layout;
}

// Buttons along the bottom: the first at the left, the last at the right, the others spread
// evenly between them; a lone button in the middle.
void PlaceButtons(Layout& layout, int originX, int originY)
{
    const int top = originY + kMargin + layout.textBoxHeight + kMargin;
    const int count = static_cast<int>(layout.buttons.size());
    if (count == 1) {
        layout.buttons[0].left = originX + (layout.innerWidth - layout.buttons[0].width) / 2;
        layout.buttons[0].top = top;
        return;
    }
    int widths = 0;
    for (const Button& button : layout.buttons)
        widths += button.width;
    const int space = layout.innerWidth - 2 * kMargin - widths;
    int left = originX + kMargin;
    for (int i = 0; i < count; ++i) {
        Button& button = layout.buttons[static_cast<size_t>(i)];
        button.left = left + (i == 0 ? 0 : space * i / (count - 1));
        if (i == count - 1)
            button.left = originX + layout.innerWidth - kMargin - button.width;
        button.top = top;
        left += button.width;
    }
}

void Bevel(RastPort* rp, int left, int top, int width, int height, UBYTE topLeft, UBYTE bottomRight)
{
    const int right = left + width - 1, bottom = top + height - 1;
    SetAPen(rp, topLeft);
    Move(rp, left, bottom);
    Draw(rp, left, top);
    Draw(rp, right, top);
    SetAPen(rp, bottomRight);
    Move(rp, right, top + 1);
    Draw(rp, right, bottom);
    Draw(rp, left + 1, bottom);
}

void DrawButton(RastPort* rp, const Pens& pens, const Button& button, bool pressed)
{
    SetDrMd(rp, JAM1);
    SetAPen(rp, pressed ? pens.fill : pens.background);
    RectFill(rp, button.left + 1, button.top + 1, button.left + button.width - 2, button.top + button.height - 2);
    Bevel(rp, button.left, button.top, button.width, button.height, pressed ? pens.shadow : pens.shine,
          pressed ? pens.shine : pens.shadow);
    const auto length = static_cast<ULONG>(button.label.size());
    const int textWidth = TextLength(rp, button.label.c_str(), length);
    SetAPen(rp, pressed ? pens.fillText : pens.text);
    Move(rp, button.left + (button.width - textWidth) / 2,
         button.top + (button.height - rp->TxHeight) / 2 + rp->TxBaseline);
    Text(rp, button.label.c_str(), length);
}

void DrawRequester(RastPort* rp, const Pens& pens, const Layout& layout, int originX, int originY)
{
    SetDrMd(rp, JAM1);
    SetAPen(rp, pens.background);
    RectFill(rp, originX, originY, originX + layout.innerWidth - 1, originY + layout.innerHeight - 1);
    const int boxLeft = originX + kMargin, boxTop = originY + kMargin;
    Bevel(rp, boxLeft, boxTop, layout.textBoxWidth, layout.textBoxHeight, pens.shadow, pens.shine);
    // The lines are drawn as they are: "%" and every other character stand for themselves.
    SetAPen(rp, pens.text);
    int y = boxTop + kTextPadY + rp->TxBaseline;
    for (const std::string& line : layout.lines) {
        Move(rp, boxLeft + kTextPadX, y);
        Text(rp, line.c_str(), static_cast<ULONG>(line.size()));
        y += layout.lineHeight;
    }
    for (const Button& button : layout.buttons)
        DrawButton(rp, pens, button, false);
}

LONG ResultOf(size_t index, size_t count)
{
    return index + 1 == count ? 0 : static_cast<LONG>(index + 1);
}

CONST_STRPTR TitleOf(const Window* parent, const EasyStruct* easy)
{
    if (easy->es_Title != nullptr)
        return easy->es_Title;
    return parent != nullptr && parent->Title != nullptr ? parent->Title : "System Request";
}

// Opens the requester's window centred on the screen and draws its text and buttons.
Window* OpenRequester(Window* parent, const EasyStruct* easy, Screen* screen, bool publicScreen, Layout& layout,
                      Pens& pens)
{
    RastPort measure;
    InitRastPort(&measure);
    SetFont(&measure, internal::DefaultFont());
    layout = LayOut(easy, &measure);

    // Its outer size, as intuition will give it, so that it opens centred.
    const int outerWidth = layout.innerWidth + screen->WBorLeft + screen->WBorRight;
    const int outerHeight = layout.innerHeight + screen->BarHeight + 1 + screen->WBorBottom;
    const int left = std::max(0, (screen->Width - outerWidth) / 2);
    const int top = std::max(0, (screen->Height - outerHeight) / 2);
    const auto tags = internal::MakeTagList(
        publicScreen ? WA_PubScreen : WA_CustomScreen, screen, WA_Left, left, WA_Top, top, WA_InnerWidth,
        layout.innerWidth, WA_InnerHeight, layout.innerHeight, WA_Title, TitleOf(parent, easy), WA_DragBar, TRUE,
        WA_DepthGadget, TRUE, WA_Activate, TRUE, WA_RMBTrap, TRUE, WA_AutoAdjust, TRUE, WA_SmartRefresh, TRUE, WA_IDCMP,
        IDCMP_MOUSEBUTTONS | IDCMP_RAWKEY, TAG_DONE);
    Window* requester = OpenWindowTagList(nullptr, tags.data());
    if (requester == nullptr)
        return nullptr;
    SetFont(requester->RPort, internal::DefaultFont());
    pens = {PenOf(screen, TEXTPEN, 1), PenOf(screen, SHINEPEN, 2),    PenOf(screen, SHADOWPEN, 1),
            PenOf(screen, FILLPEN, 3), PenOf(screen, FILLTEXTPEN, 1), PenOf(screen, BACKGROUNDPEN, 0)};
    PlaceButtons(layout, requester->BorderLeft, requester->BorderTop);
    DrawRequester(requester->RPort, pens, layout, requester->BorderLeft, requester->BorderTop);
    return requester;
}

// One message of the modal loop: the result once the requester is answered, -1 before.
LONG Handle(const IntuiMessage& message, RastPort* rp, const Layout& layout, const Pens& pens, int& pressed)
{
    const size_t count = layout.buttons.size();
    if (message.Class == IDCMP_MOUSEBUTTONS && message.Code == SELECTDOWN) {
        for (size_t i = 0; i < count; ++i)
            if (layout.buttons[i].Contains(message.MouseX, message.MouseY)) {
                pressed = static_cast<int>(i);
                DrawButton(rp, pens, layout.buttons[i], true);
            }
    } else if (message.Class == IDCMP_MOUSEBUTTONS && message.Code == SELECTUP && pressed >= 0) {
        const auto index = static_cast<size_t>(std::exchange(pressed, -1));
        if (layout.buttons[index].Contains(message.MouseX, message.MouseY))
            return ResultOf(index, count);
        DrawButton(rp, pens, layout.buttons[index], false);
    } else if (message.Class == IDCMP_RAWKEY && !(message.Code & IECODE_UP_PREFIX)) {
        // Return (or Amiga-V) is the leftmost button, Esc (or Amiga-B) the rightmost.
        const bool amiga = (message.Qualifier & IEQUALIFIER_LCOMMAND) != 0;
        if (message.Code == RAWKEY_RETURN || message.Code == RAWKEY_KP_ENTER || (amiga && message.Code == RAWKEY_Z + 3))
            return ResultOf(0, count);
        if (message.Code == RAWKEY_ESCAPE || (amiga && message.Code == RAWKEY_Z + 4))
            return 0;
    }
    return -1;
}

// Tells the testing library, when it is linked, what is shown; it may queue an answer.
void ReportShown(const Window* requester, const Layout& layout, CONST_STRPTR title, CONST_STRPTR text)
{
    const auto shown = internal::gRequesterHooks.requesterShown;
    if (shown == nullptr)
        return;
    std::vector<Rectangle> boxes;
    for (const Button& b : layout.buttons)
        boxes.push_back({static_cast<WORD>(b.left), static_cast<WORD>(b.top), static_cast<WORD>(b.left + b.width - 1),
                         static_cast<WORD>(b.top + b.height - 1)});
    shown(requester, boxes, static_cast<int>(layout.lines.size()), title, text != nullptr ? text : "");
}

// Waits until a button is clicked or Return or Esc is pressed; replies every message. A break
// (the system asking the program to end) answers as Esc does, and stays set for the
// program's own loop to end on.
LONG RunModalLoop(Window* requester, const Layout& layout, const Pens& pens)
{
    LONG result = -1;
    int pressed = -1;
    const ULONG signal = 1UL << requester->UserPort->mp_SigBit;
    while (result < 0) {
        if ((Wait(signal | SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C) != 0) {
            SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
            result = 0;
        }
        while (auto* message = reinterpret_cast<IntuiMessage*>(GetMsg(requester->UserPort))) {
            const IntuiMessage copy = *message;
            ReplyMsg(&message->ExecMessage);
            if (result < 0)
                result = Handle(copy, requester->RPort, layout, pens, pressed);
        }
    }
    return result;
}

} // namespace

LONG EasyRequestArgs(Window* window, const EasyStruct* easyStruct, ULONG* /*idcmp*/, const void* /*args*/)
{
    if (easyStruct == nullptr)
        return 0;
    Screen* screen = window != nullptr ? window->WScreen : nullptr;
    Screen* locked = screen == nullptr ? LockPubScreen(nullptr) : nullptr;
    if (locked != nullptr)
        screen = locked;
    Layout layout;
    Pens pens{};
    Window* requester =
        screen != nullptr ? OpenRequester(window, easyStruct, screen, locked != nullptr, layout, pens) : nullptr;
    LONG result = 0;
    if (requester != nullptr) {
        // A requester nobody can see would wait for ever: its screen comes to the front while
        // it is up (the default public screen is usually behind the program's own).
        Screen* previousFront = internal::FrontScreenRecord();
        if (previousFront != screen)
            ScreenToFront(screen);
        ReportShown(requester, layout, TitleOf(window, easyStruct), easyStruct->es_TextFormat);
        result = RunModalLoop(requester, layout, pens);
        CloseWindow(requester);
        if (previousFront != nullptr && previousFront != screen)
            ScreenToFront(previousFront);
    }
    if (locked != nullptr)
        UnlockPubScreen(nullptr, locked);
    return result;
}

} // namespace amiga
