// SPDX-License-Identifier: MIT
// intuition's windows: opening and closing, their boxes, depth order, activation, titles,
// IDCMP ports and gadget lists.
#include "platform/intuition/State.h"
#include "platform/intuition/MenuState.h"

#include <algorithm>
#include <cstring>

namespace amiga {

namespace internal {

namespace {

constexpr int kSizeGadgetWidth = 18;
constexpr int kSizeGadgetHeight = 10;

bool HasTitleBar(ULONG flags, const char* title)
{
    return title != nullptr || (flags & (WFLG_DRAGBAR | WFLG_CLOSEGADGET | WFLG_DEPTHGADGET | WFLG_HASZOOM)) != 0;
}

void ApplyBooleanTag(const TagItem* tags, Tag tag, ULONG flag, ULONG& flags)
{
    if (const TagItem* item = FindTagItem(tag, tags)) {
        flags = item->ti_Data != 0 ? (flags | flag) : (flags & ~flag);
    }
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

struct FramePainter {
    RastPort rp;
    const UWORD* pens;

    explicit FramePainter(WindowRecord* window) : pens(window->screen->pens)
    {
        InitRastPort(&rp);
        rp.BitMap = window->bitmap;
        SetFont(&rp, window->screen->font);
        SetDrMd(&rp, JAM1);
    }
    void Fill(UWORD pen, int x0, int y0, int x1, int y1)
    {
        SetAPen(&rp, pens[pen]);
        RectFill(&rp, x0, y0, x1, y1);
    }
    // A raised (or, pressed, recessed) bevel around the box.
    void Bevel(int x0, int y0, int x1, int y1, bool recessed)
    {
        SetAPen(&rp, pens[recessed ? SHADOWPEN : SHINEPEN]);
        Move(&rp, x0, y1);
        Draw(&rp, x0, y0);
        Draw(&rp, x1, y0);
        SetAPen(&rp, pens[recessed ? SHINEPEN : SHADOWPEN]);
        Move(&rp, x0 + 1, y1);
        Draw(&rp, x1, y1);
        Draw(&rp, x1, y0 + 1);
    }
    void Outline(UWORD pen, int x0, int y0, int x1, int y1)
    {
        SetAPen(&rp, pens[pen]);
        Move(&rp, x0, y0);
        Draw(&rp, x1, y0);
        Draw(&rp, x1, y1);
        Draw(&rp, x0, y1);
        Draw(&rp, x0, y0 + 1);
    }
};

constexpr int kCloseGadgetWidth = 20;
constexpr int kDepthGadgetWidth = 23;
constexpr int kZoomGadgetWidth = 23;

struct SystemGadgetBoxes {
    bool titleBar = false;
    Rectangle close{0, 0, -1, -1};
    Rectangle depth{0, 0, -1, -1};
    Rectangle zoom{0, 0, -1, -1};
    Rectangle size{0, 0, -1, -1};
};

SystemGadgetBoxes BoxesOf(const WindowRecord* window)
{
    SystemGadgetBoxes boxes;
    const int w = window->Width;
    const int h = window->Height;
    const int top = window->BorderTop;
    boxes.titleBar = HasTitleBar(window->Flags, window->Title) && top > 0;
    int right = w - 1;
    if (boxes.titleBar && (window->Flags & WFLG_DEPTHGADGET) != 0) {
        boxes.depth = {static_cast<WORD>(right - kDepthGadgetWidth + 1), 0, static_cast<WORD>(right),
                       static_cast<WORD>(top - 1)};
        right -= kDepthGadgetWidth;
    }
    if (boxes.titleBar && (window->Flags & WFLG_HASZOOM) != 0) {
        boxes.zoom = {static_cast<WORD>(right - kZoomGadgetWidth + 1), 0, static_cast<WORD>(right),
                      static_cast<WORD>(top - 1)};
    }
    if (boxes.titleBar && (window->Flags & WFLG_CLOSEGADGET) != 0) {
        boxes.close = {0, 0, static_cast<WORD>(kCloseGadgetWidth - 1), static_cast<WORD>(top - 1)};
    }
    if ((window->Flags & WFLG_SIZEGADGET) != 0) {
        boxes.size = {static_cast<WORD>(w - kSizeGadgetWidth), static_cast<WORD>(h - kSizeGadgetHeight),
                      static_cast<WORD>(w - 1), static_cast<WORD>(h - 1)};
    }
    return boxes;
}

bool Inside(const Rectangle& box, int x, int y)
{
    return x >= box.MinX && x <= box.MaxX && y >= box.MinY && y <= box.MaxY;
}

void DrawFrame(WindowRecord* window)
{
    FramePainter paint(window);
    const bool active = (window->Flags & WFLG_WINDOWACTIVE) != 0;
    const UWORD fill = active ? FILLPEN : BACKGROUNDPEN;
    const int w = window->Width;
    const int h = window->Height;
    const int bl = window->BorderLeft;
    const int bt = window->BorderTop;
    const int br = window->BorderRight;
    const int bb = window->BorderBottom;
    const bool borderless = (window->Flags & WFLG_BORDERLESS) != 0;

    if (!borderless) {
        paint.Fill(fill, 0, 0, w - 1, bt - 1);
        paint.Fill(fill, 0, bt, bl - 1, h - 1);
        paint.Fill(fill, w - br, bt, w - 1, h - 1);
        paint.Fill(fill, bl, h - bb, w - br - 1, h - 1);
        paint.Bevel(0, 0, w - 1, h - 1, false);
        // The content lies in a recessed frame.
        paint.Bevel(bl - 1, bt - 1, w - br, h - bb, true);
    } else if (bt > 0) {
        paint.Fill(fill, 0, 0, w - 1, bt - 1);
        paint.Bevel(0, 0, w - 1, bt - 1, false);
    }

    const SystemGadgetBoxes boxes = BoxesOf(window);
    if (boxes.titleBar && window->Title != nullptr) {
        int left = (boxes.close.MaxX >= 0 ? boxes.close.MaxX + 1 : 0) + 4;
        int right = w - 2;
        if (boxes.zoom.MaxX >= 0) {
            right = boxes.zoom.MinX - 2;
        } else if (boxes.depth.MaxX >= 0) {
            right = boxes.depth.MinX - 2;
        }
        SetClipRect(&paint.rp, left, 1, right, bt - 2);
        SetAPen(&paint.rp, paint.pens[active ? FILLTEXTPEN : TEXTPEN]);
        Move(&paint.rp, left, (bt - window->screen->font->tf_YSize) / 2 + window->screen->font->tf_Baseline);
        Text(&paint.rp, window->Title, static_cast<ULONG>(std::strlen(window->Title)));
    }
    if (boxes.close.MaxX >= 0) {
        DrawSystemGadget(window, GTYP_CLOSE, false);
    }
    if (boxes.depth.MaxX >= 0) {
        DrawSystemGadget(window, GTYP_WDEPTH, false);
    }
    if (boxes.zoom.MaxX >= 0) {
        DrawSystemGadget(window, GTYP_WZOOM, false);
    }
    if (boxes.size.MaxX >= 0) {
        DrawSystemGadget(window, GTYP_SIZING, false);
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

} // namespace

void DrawSystemGadget(WindowRecord* window, UWORD systemType, bool selected)
{
    const SystemGadgetBoxes boxes = BoxesOf(window);
    FramePainter paint(window);
    const UWORD fill = selected ? SHADOWPEN : ((window->Flags & WFLG_WINDOWACTIVE) != 0 ? FILLPEN : BACKGROUNDPEN);
    Rectangle box{0, 0, -1, -1};
    switch (systemType) {
    case GTYP_CLOSE: box = boxes.close; break;
    case GTYP_WDEPTH: box = boxes.depth; break;
    case GTYP_WZOOM: box = boxes.zoom; break;
    case GTYP_SIZING: box = boxes.size; break;
    default: return;
    }
    if (box.MaxX < box.MinX) {
        return;
    }
    const int x0 = box.MinX, y0 = box.MinY, x1 = box.MaxX, y1 = box.MaxY;
    paint.Fill(fill, x0, y0, x1, y1);
    paint.Bevel(x0, y0, x1, y1, selected);
    const int cx = (x0 + x1) / 2;
    const int cy = (y0 + y1) / 2;
    switch (systemType) {
    case GTYP_CLOSE:
        paint.Fill(SHINEPEN, cx - 2, cy - 2, cx + 2, cy + 2);
        paint.Outline(SHADOWPEN, cx - 3, cy - 3, cx + 3, cy + 3);
        break;
    case GTYP_WDEPTH:
        paint.Outline(SHADOWPEN, cx - 7, cy - 3, cx + 1, cy + 2);
        paint.Fill(SHINEPEN, cx - 3, cy - 1, cx + 5, cy + 4);
        paint.Outline(SHADOWPEN, cx - 3, cy - 1, cx + 5, cy + 4);
        break;
    case GTYP_WZOOM:
        paint.Outline(SHADOWPEN, cx - 6, cy - 3, cx + 6, cy + 3);
        paint.Fill(SHINEPEN, cx - 5, cy - 2, cx - 1, cy + 2);
        break;
    case GTYP_SIZING:
        paint.Outline(SHADOWPEN, cx - 5, cy - 3, cx + 5, cy + 3);
        paint.Fill(SHINEPEN, cx - 4, cy - 2, cx - 1, cy);
        break;
    default: break;
    }
}

UWORD SystemGadgetAt(const WindowRecord* window, int x, int y)
{
    const SystemGadgetBoxes boxes = BoxesOf(window);
    if (Inside(boxes.close, x, y)) {
        return GTYP_CLOSE;
    }
    if (Inside(boxes.depth, x, y)) {
        return GTYP_WDEPTH;
    }
    if (Inside(boxes.zoom, x, y)) {
        return GTYP_WZOOM;
    }
    if (Inside(boxes.size, x, y)) {
        return GTYP_SIZING;
    }
    if (boxes.titleBar && (window->Flags & WFLG_DRAGBAR) != 0 && y >= 0 && y < window->BorderTop && x >= 0 &&
        x < window->Width) {
        return GTYP_WDRAGGING;
    }
    return 0;
}

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

Rectangle GadgetBox(const WindowRecord* window, const Gadget* gadget)
{
    int left = gadget->LeftEdge;
    int top = gadget->TopEdge;
    int width = gadget->Width;
    int height = gadget->Height;
    if ((gadget->Flags & GFLG_RELRIGHT) != 0) {
        left += window->Width - 1;
    }
    if ((gadget->Flags & GFLG_RELBOTTOM) != 0) {
        top += window->Height - 1;
    }
    if ((gadget->Flags & GFLG_RELWIDTH) != 0) {
        width += window->Width;
    }
    if ((gadget->Flags & GFLG_RELHEIGHT) != 0) {
        height += window->Height;
    }
    return {static_cast<WORD>(left), static_cast<WORD>(top), static_cast<WORD>(left + width - 1),
            static_cast<WORD>(top + height - 1)};
}

Gadget* GadgetAt(WindowRecord* window, int x, int y)
{
    for (Gadget* gadget = window->FirstGadget; gadget != nullptr; gadget = gadget->NextGadget) {
        // Disabled gadgets, and ones with nothing to report, let the click through.
        if ((gadget->Flags & GFLG_DISABLED) != 0 || gadget->Width <= 0 || gadget->Height <= 0 ||
            (gadget->Activation & (GACT_RELVERIFY | GACT_IMMEDIATE)) == 0) {
            continue;
        }
        if (Inside(GadgetBox(window, gadget), x, y)) {
            return gadget;
        }
    }
    return nullptr;
}

void RenderGadget(WindowRecord* window, Gadget* gadget)
{
    if (RenderGadToolsGadget(window, gadget)) {
        return;
    }
    const Rectangle box = GadgetBox(window, gadget);
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = window->bitmap;
    SetFont(&rp, window->screen->font);
    const bool selected = (gadget->Flags & GFLG_SELECTED) != 0;
    if ((gadget->Flags & GFLG_GADGIMAGE) != 0 && gadget->GadgetRender != nullptr) {
        const auto* image = static_cast<const Image*>(gadget->GadgetRender);
        if (selected && (gadget->Flags & GFLG_GADGHIGHBITS) == GFLG_GADGHIMAGE && gadget->SelectRender != nullptr) {
            image = static_cast<const Image*>(gadget->SelectRender);
        }
        DrawImage(&rp, image, box.MinX, box.MinY);
    }
    if (gadget->GadgetText != nullptr && (gadget->Flags & GFLG_LABELMASK) == GFLG_LABELITEXT) {
        PrintIText(&rp, gadget->GadgetText, box.MinX, box.MinY);
    }
    if (selected && (gadget->Flags & GFLG_GADGHIGHBITS) == GFLG_GADGHCOMP) {
        SetDrMd(&rp, COMPLEMENT);
        RectFill(&rp, box.MinX, box.MinY, box.MaxX, box.MaxY);
    }
}

} // namespace internal

using namespace internal;

Window* OpenWindowTagList(const NewWindow* newWindow, const TagItem* tags)
{
    auto& state = Intuition();
    if (newWindow != nullptr) {
        return Fail("OpenWindowTagList: only the tag interface is provided (NewWindow must be null)");
    }
    ScreenRecord* screen = nullptr;
    bool visitor = false;
    if (auto* custom = reinterpret_cast<Screen*>(GetTagData(WA_CustomScreen, 0, tags))) {
        if (!IsOpenScreen(custom)) {
            return Fail("OpenWindowTagList: the custom screen is not open");
        }
        screen = Record(custom);
    } else if (auto* pub = reinterpret_cast<Screen*>(GetTagData(WA_PubScreen, 0, tags))) {
        if (!IsOpenScreen(pub)) {
            return Fail("OpenWindowTagList: the public screen is not open");
        }
        screen = Record(pub);
    } else {
        Screen* locked = LockPubScreen(nullptr);
        if (locked == nullptr) {
            return Fail(std::string("OpenWindowTagList: no screen to open on (") + state.lastError + ")");
        }
        // A visitor keeps the public screen locked while it is open.
        screen = Record(locked);
        visitor = true;
    }
    auto releaseVisitor = [&] {
        if (visitor) {
            UnlockPubScreen(nullptr, screen);
        }
    };

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
    if (visitor) {
        flags |= WFLG_VISITOR;
    }
    const auto* title = reinterpret_cast<const char*>(GetTagData(WA_Title, 0, tags));

    // Borders: a title bar as high as the screen's, the screen's defaults around the rest; the
    // size gadget widens the border it sits in (the bottom one unless told otherwise).
    int borderLeft = screen->WBorLeft;
    int borderRight = screen->WBorRight;
    int borderBottom = screen->WBorBottom;
    int borderTop = HasTitleBar(flags, title) ? screen->BarHeight + 1 : screen->WBorTop;
    if ((flags & WFLG_BORDERLESS) != 0) {
        borderLeft = borderRight = borderBottom = 0;
        borderTop = HasTitleBar(flags, title) ? screen->BarHeight + 1 : 0;
    }
    if ((flags & WFLG_SIZEGADGET) != 0) {
        if ((flags & (WFLG_SIZEBRIGHT | WFLG_SIZEBBOTTOM)) == 0) {
            flags |= WFLG_SIZEBBOTTOM;
        }
        if ((flags & WFLG_SIZEBRIGHT) != 0) {
            borderRight = std::max(borderRight, kSizeGadgetWidth);
        }
        if ((flags & WFLG_SIZEBBOTTOM) != 0) {
            borderBottom = std::max(borderBottom, kSizeGadgetHeight);
        }
    }

    LONG left = static_cast<LONG>(GetTagData(WA_Left, 0, tags));
    LONG top = static_cast<LONG>(GetTagData(WA_Top, 0, tags));
    LONG width = screen->Width - left;
    LONG height = screen->Height - top;
    if (const TagItem* inner = FindTagItem(WA_InnerWidth, tags)) {
        width = static_cast<LONG>(inner->ti_Data) + borderLeft + borderRight;
    } else if (const TagItem* outer = FindTagItem(WA_Width, tags)) {
        width = static_cast<LONG>(outer->ti_Data);
    }
    if (const TagItem* inner = FindTagItem(WA_InnerHeight, tags)) {
        height = static_cast<LONG>(inner->ti_Data) + borderTop + borderBottom;
    } else if (const TagItem* outer = FindTagItem(WA_Height, tags)) {
        height = static_cast<LONG>(outer->ti_Data);
    }
    if (width < 1 || height < 1) {
        releaseVisitor();
        return Fail("OpenWindowTagList: size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is empty");
    }
    if (GetTagData(WA_AutoAdjust, FALSE, tags) != 0) {
        width = std::min<LONG>(width, screen->Width);
        height = std::min<LONG>(height, screen->Height);
        left = std::clamp<LONG>(left, 0, screen->Width - width);
        top = std::clamp<LONG>(top, 0, screen->Height - height);
    } else if (left < 0 || top < 0 || left + width > screen->Width || top + height > screen->Height) {
        releaseVisitor();
        return Fail("OpenWindowTagList: the window does not fit on its screen");
    }

    const auto idcmp = static_cast<ULONG>(GetTagData(WA_IDCMP, 0, tags));
    MsgPort* userPort = nullptr;
    if (idcmp != 0) {
        userPort = CreateMsgPort();
        if (userPort == nullptr) {
            releaseVisitor();
            return Fail("OpenWindowTagList: no message port for the window (no signal bit left)");
        }
    }
    BitMap* bitmap = AllocBitMap(static_cast<ULONG>(width), static_cast<ULONG>(height), screen->BitMap.Depth,
                                 BMF_CLEAR, nullptr);
    if (bitmap == nullptr) {
        DeleteMsgPort(userPort);
        releaseVisitor();
        return Fail("OpenWindowTagList: no memory for the window's bitmap");
    }

    auto record = std::make_unique<WindowRecord>();
    WindowRecord* window = record.get();
    static_cast<Window&>(*window) = Window{};
    window->screen = screen;
    window->WScreen = screen;
    window->bitmap = bitmap;
    window->LeftEdge = static_cast<WORD>(left);
    window->TopEdge = static_cast<WORD>(top);
    window->Width = static_cast<WORD>(width);
    window->Height = static_cast<WORD>(height);
    window->BorderLeft = static_cast<BYTE>(borderLeft);
    window->BorderTop = static_cast<BYTE>(borderTop);
    window->BorderRight = static_cast<BYTE>(borderRight);
    window->BorderBottom = static_cast<BYTE>(borderBottom);
    window->GZZWidth = static_cast<WORD>(width - borderLeft - borderRight);
    window->GZZHeight = static_cast<WORD>(height - borderTop - borderBottom);
    // Limits of 0 mean the window's own size, as on the platform; ~0 maxima mean the screen's.
    auto limit = [&](Tag tag, LONG current, LONG screenSize) {
        const auto value = static_cast<LONG>(GetTagData(tag, 0, tags));
        if (value == 0) {
            return current;
        }
        if (value < 0 || value > screenSize) {
            return screenSize;
        }
        return value;
    };
    window->MinWidth = static_cast<WORD>(std::min<LONG>(limit(WA_MinWidth, width, screen->Width), width));
    window->MinHeight = static_cast<WORD>(std::min<LONG>(limit(WA_MinHeight, height, screen->Height), height));
    window->MaxWidth = static_cast<UWORD>(width);
    window->MaxHeight = static_cast<UWORD>(height);
    window->Flags = flags;
    window->IDCMPFlags = idcmp;
    window->UserPort = userPort;
    window->WindowPort = &state.replyPort;
    window->DetailPen = screen->DetailPen;
    window->BlockPen = screen->BlockPen;
    if (title != nullptr) {
        window->title = title;
        window->Title = window->title.data();
    }
    window->zoomLeft = window->LeftEdge;
    window->zoomTop = window->TopEdge;
    window->zoomWidth = window->MinWidth;
    window->zoomHeight = window->MinHeight;

    InitRastPort(&window->rastPort);
    window->rastPort.BitMap = bitmap;
    window->rastPort.Layer = &window->layer;
    SetFont(&window->rastPort, screen->font);
    window->RPort = &window->rastPort;
    window->BorderRPort = &window->rastPort;
    window->IFont = screen->font;
    window->layer.rp = &window->rastPort;
    window->layer.Window = window;
    window->WLayer = &window->layer;
    window->FirstGadget = reinterpret_cast<Gadget*>(GetTagData(WA_Gadgets, 0, tags));
    window->openSerial = state.nextSerial++;

    state.windows.push_back(std::move(record));
    PlaceInFront(window);
    RelinkScreenWindows(screen);
    DrawFrame(window);
    RefreshGList(window->FirstGadget, window, nullptr, -1);
    if ((flags & WFLG_ACTIVATE) != 0) {
        SetActiveWindow(window);
    }
    Touch();
    return window;
}

void CloseWindow(Window* window)
{
    auto& state = Intuition();
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    ScreenRecord* screen = record->screen;
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
    if (state.active == record) {
        // The frontmost window left on the screen takes over, so the keyboard keeps a target.
        state.active = nullptr;
        UpdatePointer();
        if (WindowRecord* next = FrontmostOn(screen, record)) {
            SetActiveWindow(next);
        } else {
            DrawScreenTitleBar(screen);
        }
    }
    TakeBackQueuedMessages(record);
    // Messages the program still holds stay valid; they are recycled when it replies them.
    for (auto& message : state.messages) {
        if (message->owner == record) {
            message->owner = nullptr;
        }
    }
    DeleteMsgPort(record->UserPort);
    record->UserPort = nullptr;
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
    if (resized) {
        BitMap* bitmap = AllocBitMap(static_cast<ULONG>(width), static_cast<ULONG>(height),
                                     record->bitmap->Depth, BMF_CLEAR, nullptr);
        if (bitmap == nullptr) {
            Fail("ChangeWindowBox: no memory for the new size");
            return;
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
    if (record->screen != other->screen ||
        ((record->Flags ^ other->Flags) & WFLG_BACKDROP) != 0) {
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
    const WORD left = record->zoomLeft, top = record->zoomTop, width = record->zoomWidth,
               height = record->zoomHeight;
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
        if (windowTitle == nullptr) {
            record->title.clear();
            record->Title = nullptr;
        } else {
            record->title = windowTitle;
            record->Title = record->title.data();
        }
        DrawFrame(record);
    }
    if (screenTitle != keep) {
        if (screenTitle == nullptr) {
            record->screenTitle.clear();
            record->ScreenTitle = nullptr;
        } else {
            record->screenTitle = screenTitle;
            record->ScreenTitle = record->screenTitle.data();
        }
        if (Intuition().active == record) {
            DrawScreenTitleBar(record->screen);
        }
    }
    Touch();
}

void RefreshWindowFrame(Window* window)
{
    if (IsOpenWindow(window)) {
        DrawFrame(Record(window));
        Touch();
    }
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

UWORD AddGList(Window* window, Gadget* gadget, UWORD position, WORD numGad, Requester* requester)
{
    (void)requester;
    if (!IsOpenWindow(window) || gadget == nullptr) {
        return 0xFFFF;
    }
    Gadget* last = gadget;
    for (WORD n = 1; (numGad < 0 || n < numGad) && last->NextGadget != nullptr; ++n) {
        last = last->NextGadget;
    }
    Gadget** link = &window->FirstGadget;
    UWORD index = 0;
    while (*link != nullptr && index < position) {
        link = &(*link)->NextGadget;
        ++index;
    }
    last->NextGadget = *link;
    *link = gadget;
    return index;
}

UWORD RemoveGList(Window* window, Gadget* gadget, WORD numGad)
{
    if (!IsOpenWindow(window) || gadget == nullptr) {
        return 0xFFFF;
    }
    Gadget** link = &window->FirstGadget;
    UWORD index = 0;
    while (*link != nullptr && *link != gadget) {
        link = &(*link)->NextGadget;
        ++index;
    }
    if (*link == nullptr) {
        return 0xFFFF;
    }
    Gadget* last = gadget;
    for (WORD n = 1; (numGad < 0 || n < numGad) && last->NextGadget != nullptr; ++n) {
        last = last->NextGadget;
    }
    *link = last->NextGadget;
    last->NextGadget = nullptr;
    auto& pressed = Intuition().pressed;
    for (Gadget* g = gadget; g != nullptr; g = g->NextGadget) {
        if (pressed.gadget == g) {
            pressed = {};
        }
    }
    return index;
}

void RefreshGList(Gadget* gadgets, Window* window, Requester* requester, WORD numGad)
{
    (void)requester;
    if (!IsOpenWindow(window)) {
        return;
    }
    WORD n = 0;
    for (Gadget* gadget = gadgets; gadget != nullptr && (numGad < 0 || n < numGad); gadget = gadget->NextGadget, ++n) {
        RenderGadget(Record(window), gadget);
    }
    Touch();
}

} // namespace amiga
