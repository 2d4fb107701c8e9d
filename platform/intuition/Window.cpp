// SPDX-License-Identifier: MIT
// intuition's windows: opening and closing, their boxes, depth order, activation, titles and
// IDCMP ports. The frame is drawn in WindowFrame.cpp, gadget lists live in WindowGadgets.cpp.
#include "platform/intuition/State.h"
#include "platform/intuition/MenuState.h"

#include <algorithm>
#include <optional>

namespace amiga {

namespace internal {

namespace {

// The lock a window opening on the default public screen takes on it. It is given back
// unless the window opens; an open visitor keeps it until it closes.
struct UnlockPubScreenOf {
    void operator()(Screen* screen) const { UnlockPubScreen(nullptr, screen); }
};
using VisitorLock = std::unique_ptr<Screen, UnlockPubScreenOf>;

struct Borders {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowBox {
    LONG left = 0, top = 0, width = 0, height = 0;
};

void ApplyBooleanTag(const TagItem* tags, Tag tag, ULONG flag, ULONG& flags)
{
    if (const TagItem* item = FindTagItem(tag, tags)) {
        flags = item->ti_Data != 0 ? (flags | flag) : (flags & ~flag);
    }
}

// The screen the tags name; without one, the default public screen, locked for the window.
ScreenRecord* ScreenFor(const TagItem* tags, VisitorLock& visitor)
{
    if (auto* custom = reinterpret_cast<Screen*>(GetTagData(WA_CustomScreen, 0, tags))) {
        if (!IsOpenScreen(custom)) {
            return Fail("OpenWindowTagList: the custom screen is not open");
        }
        return Record(custom);
    }
    if (auto* pub = reinterpret_cast<Screen*>(GetTagData(WA_PubScreen, 0, tags))) {
        if (!IsOpenScreen(pub)) {
            return Fail("OpenWindowTagList: the public screen is not open");
        }
        return Record(pub);
    }
    Screen* locked = LockPubScreen(nullptr);
    if (locked == nullptr) {
        return Fail(std::string("OpenWindowTagList: no screen to open on (") + Intuition().lastError + ")");
    }
    visitor.reset(locked);
    return Record(locked);
}

ULONG FlagsFrom(const TagItem* tags, bool visitor)
{
    ULONG flags = static_cast<ULONG>(GetTagData(WA_Flags, 0, tags));
    ApplyBooleanTag(tags, WA_SizeGadget, WFLG_SIZEGADGET, flags);
    ApplyBooleanTag(tags, WA_DragBar, WFLG_DRAGBAR, flags);
    ApplyBooleanTag(tags, WA_DepthGadget, WFLG_DEPTHGADGET, flags);
    ApplyBooleanTag(tags, WA_CloseGadget, WFLG_CLOSEGADGET, flags);
    ApplyBooleanTag(tags, WA_Borderless, WFLG_BORDERLESS, flags);
    ApplyBooleanTag(tags, WA_Activate, WFLG_ACTIVATE, flags);
    ApplyBooleanTag(tags, WA_RMBTrap, WFLG_RMBTRAP, flags);
    if (GetTagData(WA_SmartRefresh, FALSE, tags) != 0) {
        flags &= ~WFLG_REFRESHBITS;
    }
    flags &= ~(WFLG_WINDOWACTIVE | WFLG_ZOOMED | WFLG_MENUSTATE | WFLG_INREQUEST);
    // The size gadget sits in the bottom border unless told otherwise.
    if ((flags & WFLG_SIZEGADGET) != 0 && (flags & (WFLG_SIZEBRIGHT | WFLG_SIZEBBOTTOM)) == 0) {
        flags |= WFLG_SIZEBBOTTOM;
    }
    return visitor ? (flags | WFLG_VISITOR) : flags;
}

// A title bar as high as the screen's, the screen's defaults around the rest (none for a
// borderless window); the size gadget widens the border it sits in.
Borders BordersFor(const ScreenRecord* screen, ULONG flags, const char* title)
{
    Borders borders;
    if ((flags & WFLG_BORDERLESS) == 0) {
        borders = {screen->WBorLeft, screen->WBorTop, screen->WBorRight, screen->WBorBottom};
    }
    if (HasTitleBar(flags, title)) {
        borders.top = screen->BarHeight + 1;
    }
    if ((flags & WFLG_SIZEGADGET) != 0 && (flags & WFLG_SIZEBRIGHT) != 0) {
        borders.right = std::max(borders.right, kSizeGadgetWidth);
    }
    if ((flags & WFLG_SIZEGADGET) != 0 && (flags & WFLG_SIZEBBOTTOM) != 0) {
        borders.bottom = std::max(borders.bottom, kSizeGadgetHeight);
    }
    return borders;
}

// An inner size adds the borders; without any size the window reaches the screen's edge.
LONG SizeFrom(const TagItem* tags, Tag innerTag, Tag outerTag, int borders, LONG toEdge)
{
    if (const TagItem* inner = FindTagItem(innerTag, tags)) {
        return static_cast<LONG>(inner->ti_Data) + borders;
    }
    if (const TagItem* outer = FindTagItem(outerTag, tags)) {
        return static_cast<LONG>(outer->ti_Data);
    }
    return toEdge;
}

// Nothing (the reason recorded) for an empty box, or one off the screen without WA_AutoAdjust.
std::optional<WindowBox> BoxFor(const ScreenRecord* screen, const Borders& borders, const TagItem* tags)
{
    WindowBox box;
    box.left = static_cast<LONG>(GetTagData(WA_Left, 0, tags));
    box.top = static_cast<LONG>(GetTagData(WA_Top, 0, tags));
    box.width = SizeFrom(tags, WA_InnerWidth, WA_Width, borders.left + borders.right, screen->Width - box.left);
    box.height = SizeFrom(tags, WA_InnerHeight, WA_Height, borders.top + borders.bottom, screen->Height - box.top);
    if (box.width < 1 || box.height < 1) {
        Fail("OpenWindowTagList: size " + std::to_string(box.width) + " x " + std::to_string(box.height) + " is empty");
        return std::nullopt;
    }
    if (GetTagData(WA_AutoAdjust, FALSE, tags) != 0) {
        box.width = std::min<LONG>(box.width, screen->Width);
        box.height = std::min<LONG>(box.height, screen->Height);
        box.left = std::clamp<LONG>(box.left, 0, screen->Width - box.width);
        box.top = std::clamp<LONG>(box.top, 0, screen->Height - box.height);
    } else if (box.left < 0 || box.top < 0 || box.left + box.width > screen->Width ||
               box.top + box.height > screen->Height) {
        Fail("OpenWindowTagList: the window does not fit on its screen");
        return std::nullopt;
    }
    return box;
}

// A minimum of 0 means the window's own size, as on the platform; one beyond the screen, the
// screen's. Never more than the window's size.
WORD MinimumFrom(const TagItem* tags, Tag tag, LONG size, LONG screenSize)
{
    auto minimum = static_cast<LONG>(GetTagData(tag, 0, tags));
    if (minimum == 0) {
        minimum = size;
    } else if (minimum < 0 || minimum > screenSize) {
        minimum = screenSize;
    }
    return static_cast<WORD>(std::min(minimum, size));
}

std::unique_ptr<WindowRecord> NewRecord(ScreenRecord* screen, const WindowBox& box, const Borders& borders,
                                        const TagItem* tags)
{
    auto record = std::make_unique<WindowRecord>();
    WindowRecord* window = record.get();
    static_cast<Window&>(*window) = Window{};
    window->screen = screen;
    window->WScreen = screen;
    window->LeftEdge = static_cast<WORD>(box.left);
    window->TopEdge = static_cast<WORD>(box.top);
    window->Width = static_cast<WORD>(box.width);
    window->Height = static_cast<WORD>(box.height);
    window->BorderLeft = static_cast<BYTE>(borders.left);
    window->BorderTop = static_cast<BYTE>(borders.top);
    window->BorderRight = static_cast<BYTE>(borders.right);
    window->BorderBottom = static_cast<BYTE>(borders.bottom);
    window->GZZWidth = static_cast<WORD>(box.width - borders.left - borders.right);
    window->GZZHeight = static_cast<WORD>(box.height - borders.top - borders.bottom);
    window->MinWidth = MinimumFrom(tags, WA_MinWidth, box.width, screen->Width);
    window->MinHeight = MinimumFrom(tags, WA_MinHeight, box.height, screen->Height);
    window->MaxWidth = static_cast<UWORD>(box.width);
    window->MaxHeight = static_cast<UWORD>(box.height);
    // ZipWindow's other box: the minimum size in the same place.
    window->zoomLeft = window->LeftEdge;
    window->zoomTop = window->TopEdge;
    window->zoomWidth = window->MinWidth;
    window->zoomHeight = window->MinHeight;
    window->DetailPen = screen->DetailPen;
    window->BlockPen = screen->BlockPen;
    window->WindowPort = &Intuition().replyPort;
    return record;
}

// The window draws into its own bitmap through its RastPort and layer.
void AttachBitMap(WindowRecord* window, BitMap* bitmap)
{
    window->bitmap = bitmap;
    InitRastPort(&window->rastPort);
    window->rastPort.BitMap = bitmap;
    window->rastPort.Layer = &window->layer;
    SetFont(&window->rastPort, window->screen->font);
    window->RPort = &window->rastPort;
    window->BorderRPort = &window->rastPort;
    window->IFont = window->screen->font;
    window->layer.rp = &window->rastPort;
    window->layer.Window = window;
    window->WLayer = &window->layer;
}

// Relinks the screen's FirstWindow chain: the most recently opened window first.
void RelinkScreenWindows(ScreenRecord* screen)
{
    std::vector<WindowRecord*> byAge;
    for (auto& record : Intuition().windows) {
        if (record->screen == screen) {
            byAge.push_back(record.get());
        }
    }
    std::sort(byAge.begin(), byAge.end(), [](auto* a, auto* b) { return a->openSerial > b->openSerial; });
    screen->FirstWindow = byAge.empty() ? nullptr : byAge.front();
    for (size_t i = 0; i < byAge.size(); ++i) {
        byAge[i]->NextWindow = i + 1 < byAge.size() ? byAge[i + 1] : nullptr;
    }
}

// Puts the window at the front of its group (backdrop windows stay behind the others).
void PlaceInFront(WindowRecord* window)
{
    auto& order = window->screen->windows;
    std::erase(order, window);
    if ((window->Flags & WFLG_BACKDROP) != 0) {
        auto firstNormal = std::find_if(order.begin(), order.end(),
                                        [](const WindowRecord* w) { return (w->Flags & WFLG_BACKDROP) == 0; });
        order.insert(firstNormal, window);
    } else {
        order.push_back(window);
    }
}

void PlaceAtBack(WindowRecord* window)
{
    auto& order = window->screen->windows;
    std::erase(order, window);
    if ((window->Flags & WFLG_BACKDROP) != 0) {
        order.insert(order.begin(), window);
    } else {
        auto firstNormal = std::find_if(order.begin(), order.end(),
                                        [](const WindowRecord* w) { return (w->Flags & WFLG_BACKDROP) == 0; });
        order.insert(firstNormal, window);
    }
}

// Puts the new window in front on its screen and draws it.
WindowRecord* ShowNewWindow(std::unique_ptr<WindowRecord> record)
{
    auto& state = Intuition();
    WindowRecord* window = record.get();
    window->openSerial = state.nextSerial++;
    state.windows.push_back(std::move(record));
    PlaceInFront(window);
    RelinkScreenWindows(window->screen);
    DrawFrame(window);
    RefreshGList(window->FirstGadget, window, nullptr, -1);
    if ((window->Flags & WFLG_ACTIVATE) != 0) {
        SetActiveWindow(window);
    }
    Touch();
    return window;
}

void TakeBackQueuedMessages(WindowRecord* window)
{
    if (window->UserPort == nullptr) {
        return;
    }
    while (Message* message = GetMsg(window->UserPort)) {
        auto* record = static_cast<MessageRecord*>(reinterpret_cast<IntuiMessage*>(message));
        record->inUse = false;
        record->owner = nullptr;
        if (record->Class == IDCMP_MOUSEMOVE) {
            --window->pendingMouseMoves;
        }
    }
}

WindowRecord* FrontmostOn(ScreenRecord* screen, const WindowRecord* except)
{
    for (auto it = screen->windows.rbegin(); it != screen->windows.rend(); ++it) {
        if (*it != except) {
            return *it;
        }
    }
    return nullptr;
}

// Input in progress on a closing window ends with it; the frontmost window left on the
// screen becomes active, so that the keyboard keeps a target.
void EndInputTo(WindowRecord* record)
{
    auto& state = Intuition();
    if (state.pressed.window == record) {
        state.pressed = {};
    }
    if (state.drag.window == record) {
        state.drag = {};
    }
    // A strip shown for the window points into it: it goes without a pick.
    if (MenuIsOpen() && Menus().open.window == record) {
        ResetMenus();
    }
    if (state.active != record) {
        return;
    }
    state.active = nullptr;
    UpdatePointer();
    if (WindowRecord* next = FrontmostOn(record->screen, record)) {
        SetActiveWindow(next);
    } else {
        DrawScreenTitleBar(record->screen);
    }
}

// Queued messages are taken back; the ones the program still holds stay valid and are
// recycled when it replies them.
void ReleaseMessages(WindowRecord* record)
{
    TakeBackQueuedMessages(record);
    for (auto& message : Intuition().messages) {
        if (message->owner == record) {
            message->owner = nullptr;
        }
    }
    DeleteMsgPort(record->UserPort);
    record->UserPort = nullptr;
}

// A bitmap of the new size with as much of the old content as fits; false without memory.
bool Resize(WindowRecord* record, LONG width, LONG height)
{
    BitMap* bitmap =
        AllocBitMap(static_cast<ULONG>(width), static_cast<ULONG>(height), record->bitmap->Depth, BMF_CLEAR, nullptr);
    if (bitmap == nullptr) {
        Fail("ChangeWindowBox: no memory for the new size");
        return false;
    }
    BltBitMap(record->bitmap, 0, 0, bitmap, 0, 0, std::min<LONG>(width, record->Width),
              std::min<LONG>(height, record->Height), 0xC0, 0xFF, nullptr);
    FreeBitMap(record->bitmap);
    record->bitmap = bitmap;
    record->rastPort.BitMap = bitmap;
    record->Width = static_cast<WORD>(width);
    record->Height = static_cast<WORD>(height);
    record->GZZWidth = static_cast<WORD>(width - record->BorderLeft - record->BorderRight);
    record->GZZHeight = static_cast<WORD>(height - record->BorderTop - record->BorderBottom);
    return true;
}

// Keeps intuition's copy of a title; null clears it.
void CopyTitle(std::string& copy, STRPTR& shown, CONST_STRPTR title)
{
    if (title == nullptr) {
        copy.clear();
        shown = nullptr;
    } else {
        copy = title;
        shown = copy.data();
    }
}

} // namespace

void RaiseWindow(WindowRecord* window)
{
    PlaceInFront(window);
    SendIntuiMessage(window, IDCMP_CHANGEWINDOW, CWCODE_DEPTH, nullptr);
    Touch();
}

void SetActiveWindow(WindowRecord* window)
{
    auto& state = Intuition();
    if (window == state.active) {
        return;
    }
    WindowRecord* old = state.active;
    state.active = window;
    if (old != nullptr) {
        old->Flags &= ~WFLG_WINDOWACTIVE;
        DrawFrame(old);
        SendIntuiMessage(old, IDCMP_INACTIVEWINDOW, 0, nullptr);
        DrawScreenTitleBar(old->screen);
    }
    if (window != nullptr) {
        window->Flags |= WFLG_WINDOWACTIVE;
        DrawFrame(window);
        SendIntuiMessage(window, IDCMP_ACTIVEWINDOW, 0, nullptr);
        if (old == nullptr || old->screen != window->screen) {
            DrawScreenTitleBar(window->screen);
        }
    }
    Touch();
    UpdatePointer();
}

} // namespace internal

using namespace internal;

Window* OpenWindowTagList(const NewWindow* newWindow, const TagItem* tags)
{
    if (newWindow != nullptr) {
        return Fail("OpenWindowTagList: only the tag interface is provided (NewWindow must be null)");
    }
    VisitorLock visitor;
    ScreenRecord* screen = ScreenFor(tags, visitor);
    if (screen == nullptr) {
        return nullptr;
    }
    const ULONG flags = FlagsFrom(tags, visitor != nullptr);
    const auto* title = reinterpret_cast<const char*>(GetTagData(WA_Title, 0, tags));
    const Borders borders = BordersFor(screen, flags, title);
    const std::optional<WindowBox> box = BoxFor(screen, borders, tags);
    if (!box) {
        return nullptr;
    }
    const auto idcmp = static_cast<ULONG>(GetTagData(WA_IDCMP, 0, tags));
    MsgPort* userPort = idcmp != 0 ? CreateMsgPort() : nullptr;
    if (idcmp != 0 && userPort == nullptr) {
        return Fail("OpenWindowTagList: no message port for the window (no signal bit left)");
    }
    BitMap* bitmap = AllocBitMap(static_cast<ULONG>(box->width), static_cast<ULONG>(box->height), screen->BitMap.Depth,
                                 BMF_CLEAR, nullptr);
    if (bitmap == nullptr) {
        DeleteMsgPort(userPort);
        return Fail("OpenWindowTagList: no memory for the window's bitmap");
    }
    std::unique_ptr<WindowRecord> record = NewRecord(screen, *box, borders, tags);
    AttachBitMap(record.get(), bitmap);
    record->Flags = flags;
    record->IDCMPFlags = idcmp;
    record->UserPort = userPort;
    CopyTitle(record->title, record->Title, title);
    record->FirstGadget = reinterpret_cast<Gadget*>(GetTagData(WA_Gadgets, 0, tags));
    visitor.release(); // given back when the window closes
    return ShowNewWindow(std::move(record));
}

void CloseWindow(Window* window)
{
    auto& state = Intuition();
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    ScreenRecord* screen = record->screen;
    EndInputTo(record);
    ReleaseMessages(record);
    std::erase(screen->windows, record);
    FreeBitMap(record->bitmap);
    record->bitmap = nullptr;
    const bool visitor = (record->Flags & WFLG_VISITOR) != 0;
    std::erase_if(state.windows, [record](const auto& w) { return w.get() == record; });
    RelinkScreenWindows(screen);
    if (visitor) {
        UnlockPubScreen(nullptr, screen);
    }
    state.lastSignature.clear();
    Touch();
}

void ChangeWindowBox(Window* window, LONG left, LONG top, LONG width, LONG height)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    const ScreenRecord* screen = record->screen;
    width = std::clamp<LONG>(width, std::max(1, record->BorderLeft + record->BorderRight + 1), screen->Width);
    height = std::clamp<LONG>(height, std::max(1, record->BorderTop + record->BorderBottom + 1), screen->Height);
    left = std::clamp<LONG>(left, 0, screen->Width - width);
    top = std::clamp<LONG>(top, 0, screen->Height - height);
    const bool resized = width != record->Width || height != record->Height;
    const bool grown = width > record->Width || height > record->Height;
    if (!resized && left == record->LeftEdge && top == record->TopEdge) {
        return;
    }
    if (resized && !Resize(record, width, height)) {
        return;
    }
    record->LeftEdge = static_cast<WORD>(left);
    record->TopEdge = static_cast<WORD>(top);
    if (resized) {
        DrawFrame(record);
        RefreshGList(record->FirstGadget, record, nullptr, -1);
    }
    Touch();
    if (resized) {
        SendIntuiMessage(record, IDCMP_NEWSIZE, 0, nullptr);
        if (grown && (record->Flags & WFLG_NOCAREREFRESH) == 0) {
            record->Flags |= WFLG_WINDOWREFRESH;
            SendIntuiMessage(record, IDCMP_REFRESHWINDOW, 0, nullptr);
        }
    }
    SendIntuiMessage(record, IDCMP_CHANGEWINDOW, CWCODE_MOVESIZE, nullptr);
}

void WindowToFront(Window* window)
{
    if (IsOpenWindow(window)) {
        RaiseWindow(Record(window));
    }
}

void WindowToBack(Window* window)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    PlaceAtBack(Record(window));
    SendIntuiMessage(Record(window), IDCMP_CHANGEWINDOW, CWCODE_DEPTH, nullptr);
    Touch();
}

void MoveWindowInFrontOf(Window* window, Window* behind)
{
    if (!IsOpenWindow(window) || !IsOpenWindow(behind) || window == behind) {
        return;
    }
    WindowRecord* record = Record(window);
    WindowRecord* other = Record(behind);
    if (record->screen != other->screen || ((record->Flags ^ other->Flags) & WFLG_BACKDROP) != 0) {
        return;
    }
    auto& order = record->screen->windows;
    std::erase(order, record);
    order.insert(std::find(order.begin(), order.end(), other) + 1, record);
    SendIntuiMessage(record, IDCMP_CHANGEWINDOW, CWCODE_DEPTH, nullptr);
    Touch();
}

void ZipWindow(Window* window)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    const WORD left = record->zoomLeft, top = record->zoomTop, width = record->zoomWidth, height = record->zoomHeight;
    record->zoomLeft = record->LeftEdge;
    record->zoomTop = record->TopEdge;
    record->zoomWidth = record->Width;
    record->zoomHeight = record->Height;
    record->Flags ^= WFLG_ZOOMED;
    ChangeWindowBox(window, left, top, width, height);
}

void ActivateWindow(Window* window)
{
    if (IsOpenWindow(window)) {
        SetActiveWindow(Record(window));
    }
}

void SetWindowTitles(Window* window, CONST_STRPTR windowTitle, CONST_STRPTR screenTitle)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    const auto* keep = reinterpret_cast<CONST_STRPTR>(~static_cast<IPTR>(0));
    if (windowTitle != keep) {
        CopyTitle(record->title, record->Title, windowTitle);
        DrawFrame(record);
    }
    if (screenTitle != keep) {
        CopyTitle(record->screenTitle, record->ScreenTitle, screenTitle);
        if (Intuition().active == record) {
            DrawScreenTitleBar(record->screen);
        }
    }
    Touch();
}

BOOL ModifyIDCMP(Window* window, ULONG flags)
{
    if (!IsOpenWindow(window)) {
        return FALSE;
    }
    WindowRecord* record = Record(window);
    if (flags != 0 && record->UserPort == nullptr) {
        record->UserPort = CreateMsgPort();
        if (record->UserPort == nullptr) {
            Fail("ModifyIDCMP: no message port for the window (no signal bit left)");
            return FALSE;
        }
    } else if (flags == 0 && record->UserPort != nullptr) {
        TakeBackQueuedMessages(record);
        DeleteMsgPort(record->UserPort);
        record->UserPort = nullptr;
    }
    record->IDCMPFlags = flags;
    return TRUE;
}

void BeginRefresh(Window* window)
{
    (void)window; // every window keeps its content: there is nothing to repair
}

void EndRefresh(Window* window, BOOL complete)
{
    if (IsOpenWindow(window) && complete) {
        window->Flags &= ~WFLG_WINDOWREFRESH;
    }
}

} // namespace amiga
