// SPDX-License-Identifier: MIT
// intuition's state, private to the intuition and gadtools sources: one object a test can
// throw away. Screens and windows handed to the program are the public part of records
// that also own their pixels, titles and bookkeeping.
#pragma once

#include "platform/common/Internal.h"
#include "platform/intuition/Intuition.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace amiga {
enum class PointerShape { Normal, Busy, Custom };
} // namespace amiga

namespace amiga::internal {

struct WindowRecord;

// The screen's own bitmap is mapped from the system, which hands it over zeroed, rather than
// allocated (a vector writes every byte, an allocator clears what it reuses): where nothing
// draws, under a backdrop window nearly all of the screen, its pages are never touched and
// cost no memory.
struct UnmapPixels {
    size_t size = 0;
    void operator()(UBYTE* pixels) const;
};

struct ScreenRecord : Screen {
    std::string title;
    std::string defaultTitle;
    std::unique_ptr<UBYTE, UnmapPixels> pixels; // the screen's own bitmap: background and title bar
    ColorMap* colorMap = nullptr;
    TextAttr fontAttr{};
    TextFont* font = nullptr;
    UWORD pens[NUMDRIPENS] = {};
    DrawInfo drawInfo{};
    std::vector<WindowRecord*> windows; // depth order, back to front
    bool defaultPublic = false;
    int locks = 0;
    ULONG beepUntilPresent = 0; // nonzero while a DisplayBeep flash is due
};

struct WindowRecord : Window {
    ScreenRecord* screen = nullptr;
    BitMap* bitmap = nullptr; // Width × Height, borders included
    RastPort rastPort{};
    Layer layer{};
    std::string title;
    std::string screenTitle;
    uint64_t openSerial = 0;
    // The other box ZipWindow switches to.
    WORD zoomLeft = 0, zoomTop = 0, zoomWidth = 0, zoomHeight = 0;
    bool busyPointer = false;
    std::vector<uint32_t> pointerRGBA; // the custom pointer converted for the host
    int pointerWidth = 0, pointerHeight = 0, pointerHotX = 0, pointerHotY = 0;
    int mouseQueue = 5;
    int pendingMouseMoves = 0;
};

struct MessageRecord : IntuiMessage {
    APTR previousKeys = nullptr;   // what IAddress points to for raw keys
    WindowRecord* owner = nullptr; // null once its window has closed
    bool inUse = false;
};

// What a gadtools gadget is beyond its Gadget.
struct GadToolsExtra {
    ULONG kind = 0;
    std::string label;
    ULONG placement = 0;
    const TextAttr* textAttr = nullptr;
    bool checked = false;
    std::string text; // TEXT_KIND
    bool textBorder = false;
    char underscore = 0; // GT_Underscore: the character that marks the next one as a key
};

struct VisualInfo {
    ScreenRecord* screen = nullptr;
};

// A press on a gadget (a window's own or a system one) that waits for its release.
struct PressedGadget {
    WindowRecord* window = nullptr;
    Gadget* gadget = nullptr; // a gadget of the window's list, or null for a system gadget
    UWORD systemType = 0;     // GTYP_CLOSE, GTYP_WDEPTH, GTYP_WZOOM, GTYP_SDEPTH
    bool over = false;        // the pointer is over it now
};

// Dragging a window by its bar, or its size gadget: shown as an outline until released.
struct WindowDrag {
    WindowRecord* window = nullptr;
    bool sizing = false;
    int startX = 0, startY = 0;
    Rectangle outline{}; // on the screen, inclusive
};

struct IntuitionState {
    std::vector<std::unique_ptr<ScreenRecord>> screens; // back to front: the last is in front
    std::vector<std::unique_ptr<WindowRecord>> windows;
    WindowRecord* active = nullptr;
    uint64_t nextSerial = 1;

    // The pointer on the display, and the buttons and qualifiers held.
    int pointerX = 0, pointerY = 0;
    UWORD qualifier = 0;
    UBYTE previousKeys[4] = {}; // prev1 code, prev1 qualifier, prev2 code, prev2 qualifier
    bool menuOpen = false;
    PressedGadget pressed;
    WindowDrag drag;

    std::vector<std::unique_ptr<MessageRecord>> messages;
    MsgPort replyPort{};

    std::unordered_map<const Gadget*, GadToolsExtra> gadtools;
    std::vector<std::unique_ptr<VisualInfo>> visualInfos;

    // What the last present showed, to present again only after a change; the image itself
    // is the host's (host::FrameBuffer).
    std::vector<uint64_t> lastSignature;
    ULONG generation = 1; // bumped by every change that is not a bitmap's or a palette's
    int hostWidth = 0, hostHeight = 0;

    ULONG beeps = 0;
    ULONG presents = 0;
    PointerShape shownPointer = PointerShape::Normal;
    const WindowRecord* shownPointerOwner = nullptr;
    ULONG shownPointerGeneration = 0;
    ULONG pointerGeneration = 1;
    std::string lastError;

    IntuitionState();
    ~IntuitionState();
    IntuitionState(const IntuitionState&) = delete;
    IntuitionState& operator=(const IntuitionState&) = delete;
};

IntuitionState& Intuition();
// Where Intuition() keeps the state; the testing library drops it to start afresh.
std::unique_ptr<IntuitionState>& IntuitionHolder();

inline ScreenRecord* Record(Screen* screen)
{
    return static_cast<ScreenRecord*>(screen);
}
inline WindowRecord* Record(Window* window)
{
    return static_cast<WindowRecord*>(window);
}
inline void Touch()
{
    ++Intuition().generation;
}

// Records the reason of a failure; returns null so a caller can fail in one statement.
std::nullptr_t Fail(std::string reason);

ScreenRecord* FrontScreenRecord();
bool IsOpenWindow(const Window* window);
bool IsOpenScreen(const Screen* screen);

// Sends a message of `idcmpClass` to the window when it asked for that class.
bool SendIntuiMessage(WindowRecord* window, ULONG idcmpClass, UWORD code, APTR address);
// Takes back the replied messages for reuse.
void CollectReplies();

// The screen's title bar (with the active window's screen title when it is on it).
void DrawScreenTitleBar(ScreenRecord* screen);
// The screen's depth gadget in its title bar, at a screen-relative point.
bool ScreenDepthGadgetAt(const ScreenRecord* screen, int x, int y);
// Makes the window (or none) the active one, with the activation messages.
void SetActiveWindow(WindowRecord* window);
// Shows the active window's pointer (custom, busy or normal) through the host cursor.
void UpdatePointer();

inline bool Inside(const Rectangle& box, int x, int y)
{
    return x >= box.MinX && x <= box.MaxX && y >= box.MinY && y <= box.MaxY;
}

// The size gadget, in the bottom-right corner; it widens the border it sits in.
constexpr int kSizeGadgetWidth = 18;
constexpr int kSizeGadgetHeight = 10;
// A title or any gadget of the bar gives a window a title bar.
bool HasTitleBar(ULONG flags, const char* title);
// Draws the window's borders, title bar and system gadgets into its bitmap.
void DrawFrame(WindowRecord* window);
// The system gadget of the window's frame under a window-relative point: GTYP_CLOSE,
// GTYP_WDEPTH, GTYP_WZOOM, GTYP_SIZING, GTYP_WDRAGGING, or 0.
UWORD SystemGadgetAt(const WindowRecord* window, int x, int y);
void DrawSystemGadget(WindowRecord* window, UWORD systemType, bool selected);
// Brings the window to the front (among backdrop windows for a backdrop one).
void RaiseWindow(WindowRecord* window);

// Draws one gadget of a window's list into the window (gadtools kinds or plain ones).
void RenderGadget(WindowRecord* window, Gadget* gadget);
// The gadget's box in the window (GFLG_REL* applied), inclusive.
Rectangle GadgetBox(const WindowRecord* window, const Gadget* gadget);
// The enabled gadget of the window's list under a window-relative point, or null.
Gadget* GadgetAt(WindowRecord* window, int x, int y);
// gadtools' part of RenderGadget; false when the gadget is not one of gadtools'.
bool RenderGadToolsGadget(WindowRecord* window, Gadget* gadget);
// A gadtools gadget was released over itself (a check box toggles).
void GadToolsGadgetReleased(WindowRecord* window, Gadget* gadget);

// Composes the screen into `out` (Width × Height pen numbers, no display offset).
void ComposeScreenInto(ScreenRecord* screen, UBYTE* out);
void ComposeScreenInto(ScreenRecord* screen, std::vector<UBYTE>& out);
// Turns a composed image into the image as the display shows it, in place: the screen moved
// down by its TopEdge, the darkest pen above it.
void ShiftForDisplay(ScreenRecord* screen, UBYTE* image);
// Presents the screen once with its colours inverted, then as it is (the display beep).
void FlashScreen(ScreenRecord* screen);
// The pen whose colour is closest to black: what the display shows where no screen is.
UBYTE DarkestPen(const ColorMap* colorMap);

// What PresentIfDirty does.
void PresentFrontScreenIfChanged();
// Handles one host event (the strong definition of HandleHostEvent forwards here).
void RouteHostEvent(const HostEvent& event);

} // namespace amiga::internal
