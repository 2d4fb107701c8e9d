// SPDX-License-Identifier: MIT
// Form: opening a window by its kind, painting, titles, pointers, geometry and closing.
#include "toolkit/core/Form.h"

#include "platform/gadtools/GadTools.h"
#include "platform/intuition/Intuition.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/KesaScreen.h"

#include <cstring>
#include <vector>

using namespace amiga;

namespace {

constexpr ULONG MainWindowFlags = WFLG_BACKDROP | WFLG_REPORTMOUSE | WFLG_BORDERLESS;
constexpr ULONG DialogFlags = WFLG_DRAGBAR | WFLG_DEPTHGADGET | WFLG_CLOSEGADGET | WFLG_REPORTMOUSE | WFLG_ACTIVATE;
constexpr ULONG PublicWindowFlags = WFLG_DRAGBAR | WFLG_CLOSEGADGET | WFLG_REPORTMOUSE | WFLG_ACTIVATE;
constexpr IPTR MinimumSize = 50;

IPTR Data(long value)
{
    return static_cast<IPTR>(value);
}
IPTR Data(const void* pointer)
{
    return reinterpret_cast<IPTR>(pointer);
}

std::unique_ptr<char[]> CopyOf(const std::string& text)
{
    auto copy = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

Form::Form(unsigned long instanceValue) : GUIElement(instanceValue)
{
    Init(false);
}

Form::Form(unsigned long instanceValue, bool dialog) : GUIElement(instanceValue)
{
    Init(dialog);
}

void Form::Init(bool dialog)
{
    className = "form";
    isDialog = dialog;
    backgroundColor = 0;
    Application::AddWindow(this);
}

Form::~Form()
{
    Application::RemoveWinForm(this);
    CloseForm();
}

tagPOINT Form::GetPosition()
{
    if (loaded && window)
        return tagPOINT{window->LeftEdge, window->TopEdge};
    return tagPOINT{x, y};
}

void Form::SetBackgroundColor(unsigned long colour)
{
    backgroundColor = colour;
    if (loaded)
        Refresh();
}

void Form::Focus()
{
    if (loaded && window)
        ActivateWindow(window);
    focused = 1;
}

void Form::OnPaint()
{
    for (GUIElement* child : Application::GetChildren(id))
        if (child->IsRenderControl() && child->IsLoad())
            child->OnPaint();
}

void Form::SetCursorWait(bool value)
{
    if (!loaded)
        return;
    GUIElement::SetCursorWait(value);
    if (window) {
        const TagItem busy[] = {{WA_BusyPointer, Data(value ? 1L : 0L)}, {TAG_DONE, 0}};
        SetWindowPointerA(window, busy);
    }
}

void* Form::GetHWND()
{
    return window;
}

Window* Form::GetHandle()
{
    return window;
}

Window* Form::OpenPlatformWindow()
{
    // A screen that failed to open is not a screen: such a window opens on the default
    // public screen like one that was given none.
    Screen* custom = screen ? screen->GetHandle() : nullptr;

    if (!GUIElement::GlobalScreen) {
        GUIElement::GlobalScreen = custom ? custom : LockPubScreen(nullptr);
        GUIElement::GlobalVisualInfo = GetVisualInfoA(GUIElement::GlobalScreen, nullptr);
    }

    std::vector<TagItem> tags;
    auto tag = [&tags](Tag t, IPTR d) { tags.push_back({t, d}); };
    if (custom && !isDialog) {
        // The main window: a borderless backdrop as large as the screen's configured size,
        // centred when the real screen is larger. Its own size and title are not used.
        const int left = (custom->Width - screen->GetWidth()) / 2;
        const int top = (custom->Height - screen->GetHeight()) / 2;
        x = left > 0 ? left : 0;
        y = top > 0 ? top : 0;
        tag(WA_Left, Data(long{x}));
        tag(WA_Top, Data(long{y}));
        tag(WA_Height, Data(long{screen->GetHeight()}));
        tag(WA_Width, Data(long{screen->GetWidth()}));
        tag(WA_CustomScreen, Data(custom));
        tag(WA_IDCMP, WindowIDCMP);
        tag(WA_Flags, MainWindowFlags);
        tag(WA_SizeGadget, FALSE);
        tag(WA_DragBar, FALSE);
        tag(WA_CloseGadget, FALSE);
        tag(WA_Gadgets, Data(gadgetList));
    } else {
        titleCopy = CopyOf(text);
        ULONG flags = DialogFlags;
        if (!custom) {
            flags = PublicWindowFlags;
            if (boxMaximize || boxMinimize)
                flags |= WFLG_DEPTHGADGET;
            if (!isDialog)
                flags |= WFLG_SIZEGADGET;
        }
        tag(WA_Left, Data(long{x}));
        tag(WA_Top, Data(long{y}));
        tag(WA_InnerHeight, Data(long{height}));
        tag(WA_InnerWidth, Data(long{width}));
        tag(WA_MinWidth, MinimumSize);
        tag(WA_MinHeight, MinimumSize);
        tag(WA_AutoAdjust, TRUE);
        if (custom)
            tag(WA_CustomScreen, Data(custom));
        tag(WA_Title, Data(titleCopy.get()));
        tag(WA_IDCMP, custom ? DialogIDCMP : WindowIDCMP);
        tag(WA_Flags, flags);
        tag(WA_SizeGadget, (!custom && !isDialog) ? TRUE : FALSE);
        tag(WA_DragBar, TRUE);
        tag(WA_CloseGadget, TRUE);
        tag(WA_Gadgets, Data(gadgetList));
    }
    tag(TAG_DONE, 0);
    return OpenWindowTagList(nullptr, tags.data());
}

void Form::Load()
{
    if (loaded)
        return;
    if (!CreateContext(&gadgetList))
        gadgetList = nullptr;

    window = OpenPlatformWindow();
    if (!window) {
        Application::Log("Errore creazione Form ");
        // Nothing holds the context of a window that did not open; a later Load makes a new one.
        FreeGadgets(gadgetList);
        gadgetList = nullptr;
        titleCopy.reset();
        return;
    }

    LoadElementBase();

    // Children may paint while they are built; suspend that until the window is complete.
    // A window opened while another builds its children leaves the suspension as it found it.
    const short previousSuspension = Application::SospendiRefresh;
    Application::SospendiRefresh = 1;
    OnCreateChildren(handleValue != 0 ? handleValue : id);
    loaded = true;
    Application::SospendiRefresh = previousSuspension;

    if (cursorWait)
        SetCursorWait(true);
    else if (cursorHand && customPointer)
        SetPointer(window, customPointer, customPointerHeight, customPointerWidth, 0, 0);

    Refresh();
    RegisterHotKeyForm();
    visible = true;
}

void Form::RegisterHotKeyForm() {}

void Form::UnregisterHotKeyForm() {}

std::string Form::Title()
{
    return GetTextW();
}

std::string Form::TitleW()
{
    return GetTextW();
}

void Form::SetTitle(std::string value)
{
    SetText(value);
    if (!loaded || !window)
        return;
    // The new copy goes to the window before the old one is released.
    auto fresh = CopyOf(text);
    SetWindowTitles(window, fresh.get(), fresh.get());
    titleCopy = std::move(fresh);
}

void Form::SetTitleW(std::string value)
{
    SetTitle(value);
}

void Form::OnLoad() {}

void Form::DirectXRender() {}

void Form::SetBoxMinimize(bool value)
{
    boxMinimize = value;
}

void Form::SetBoxMaximize(bool value)
{
    boxMaximize = value;
}

void Form::SetViewTitle(bool value)
{
    viewTitle = value;
}

void Form::CloseForm()
{
    loaded = false;
    if (window) {
        CloseWindow(window);
        window = nullptr;
    }
    titleCopy.reset();
    if (gadgetList) {
        FreeGadgets(gadgetList);
        gadgetList = nullptr;
    }
}

bool Form::IsDialog()
{
    return isDialog;
}

void Form::SetIcona(int value)
{
    icon = value;
}

void Form::SetClientArea(int clientWidth, int clientHeight)
{
    SetClientArea(clientWidth, clientHeight, true);
}

void Form::SetClientArea(int clientWidth, int clientHeight, bool keepPlace)
{
    if (!loaded)
        return;
    if (keepPlace) {
        const tagPOINT at = GetPosition();
        SetLocation(at.x, at.y);
    }
    SetSize(clientWidth, clientHeight);
}

void Form::SetModalDialog(bool value)
{
    modalDialog = value;
}

void Form::SetDialogTopMost(bool value)
{
    dialogTopMost = value;
}

void Form::SetScreen(KesaScreen* value)
{
    screen = value;
}

KesaScreen* Form::GetScreen()
{
    return screen;
}

void Form::CenterForm()
{
    const int screenWidth = screen ? screen->GetWidth() : KesaScreen::Width();
    const int screenHeight = screen ? screen->GetHeight() : KesaScreen::Height();
    const tagPOINT size = GetSize();
    SetPosition((screenWidth - size.x) / 2, (screenHeight - size.y) / 2);
}

void Form::Maximizes()
{
    if (!loaded)
        Load();
    if (window)
        ZipWindow(window);
    visible = true;
}

void Form::Minimize()
{
    if (!loaded)
        Load();
    if (window)
        ZipWindow(window);
    visible = true;
}

void Form::SetCursorCustom(unsigned short* image, int pointerHeight, int pointerWidth)
{
    customPointer = image;
    customPointerHeight = pointerHeight;
    customPointerWidth = pointerWidth;
    if (loaded && window)
        SetPointer(window, image, pointerHeight, pointerWidth, 0, 0);
    SetCursorHand(true);
}

void Form::ClearCursorCustom()
{
    if (loaded && window)
        ClearPointer(window);
    customPointer = nullptr;
    SetCursorHand(false);
}

void Form::RemoveDaGList(Gadget* gadget)
{
    if (!gadget || !gadgetList)
        return;
    if (gadgetList == gadget) {
        gadgetList = gadget->NextGadget;
        return;
    }
    for (Gadget* g = gadgetList; g; g = g->NextGadget) {
        if (g->NextGadget == gadget) {
            g->NextGadget = gadget->NextGadget;
            return;
        }
    }
}

void Form::AddAGList(Gadget* gadget)
{
    if (!gadgetList)
        return;
    Gadget* last = gadgetList;
    while (last->NextGadget)
        last = last->NextGadget;
    last->NextGadget = gadget;
}

void Form::_SpecializedMove()
{
    if (window)
        ChangeWindowBox(window, x, y, window->Width, window->Height);
}

void Form::_SpecializedResize()
{
    if (window)
        ChangeWindowBox(window, window->LeftEdge, window->TopEdge, width + window->BorderLeft + window->BorderRight,
                        height + window->BorderTop + window->BorderBottom);
}

void Form::_SpecializedMoveFront()
{
    if (window)
        WindowToFront(window);
}

void Form::_SpecializedMoveBottom()
{
    if (window)
        WindowToBack(window);
}

void Form::_SpecializedMoveOver(GUIElement* other)
{
    if (!window || !other || other->GetKesaClassName() != className)
        return;
    Window* behind = static_cast<Form*>(other)->window;
    if (behind)
        MoveWindowInFrontOf(window, behind);
}

void Form::_SpecializedSetFont()
{
    if (!window)
        return;
    TextFont* textFont = font.GetTextFont();
    // The font this one replaced is closed by now: a font that does not open gives the window
    // the screen's font back rather than leave it drawing with a closed one.
    if (!textFont && window->WScreen)
        textFont = window->WScreen->RastPort.Font;
    if (textFont)
        SetFont(window->RPort, textFont);
}

void Form::_SpecializedRefresh()
{
    if (Application::SospendiRefresh || !window)
        return;
    const unsigned long background = GetBackgroundColor();
    const ULONG pen = background == static_cast<unsigned long>(-1) ? 0 : static_cast<ULONG>(background);
    SetBPen(window->RPort, pen);
    Move(window->RPort, 0, 0);
    ClearScreen(window->RPort);
    OnPaint();
    GT_RefreshWindow(window, nullptr);
    RefreshWindowFrame(window);
}

void Application::CloseWindows()
{
    for (GUIElement* e : lst)
        if (e && e->GetKesaClassName() == "form" && e->IsLoad())
            static_cast<Form*>(e)->CloseForm();
}
