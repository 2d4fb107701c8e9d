// SPDX-License-Identifier: MIT
// KesaScreen: opening, measuring, sliding out and closing the program's screen.
#include "toolkit/core/KesaScreen.h"

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "toolkit/core/GUIElement.h"

using namespace amiga;

namespace {

// The slide-out is paced in frames: this many frames (of 1/50 s) whatever the screen's
// height, so that it is seen and still over in about half a second.
constexpr int SlideFrames = 25;

// The screen the windows live on: the shared one, else the default public screen, which is
// locked for the length of `use`.
template <typename Use> auto WithWindowScreen(Use use, decltype(use(nullptr)) none)
{
    if (GUIElement::GlobalScreen)
        return use(GUIElement::GlobalScreen);
    Screen* pub = LockPubScreen(nullptr);
    if (!pub)
        return none;
    auto result = use(pub);
    UnlockPubScreen(nullptr, pub);
    return result;
}

} // namespace

KesaScreen::KesaScreen(const char* screenTitle) : title(screenTitle)
{
    createHardwareScreen(width, height);
}

KesaScreen::~KesaScreen()
{
    Close();
}

void KesaScreen::createHardwareScreen(int w, int h)
{
    // A second call replaces the screen rather than leaking the first.
    if (handle && CloseScreen(handle))
        handle = nullptr;
    if (handle)
        return;
    // OpenScreenTagList keeps its own copy of the title.
    const TagItem tags[] = {
        {SA_Depth, static_cast<IPTR>(depth)},
        {SA_LikeWorkbench, TRUE},
        {SA_BlockPen, PenWhite},
        {SA_DetailPen, PenBlack},
        {SA_Type, CUSTOMSCREEN},
        {SA_Width, static_cast<IPTR>(w)},
        {SA_Height, static_cast<IPTR>(h)},
        {SA_Title, reinterpret_cast<IPTR>(title ? title : "")},
        {TAG_DONE, 0},
    };
    handle = OpenScreenTagList(nullptr, tags);
    // The program checks this before it loads its palette into the screen.
    error = handle ? 0 : 1;
}

int KesaScreen::Width()
{
    return WithWindowScreen([](Screen* s) { return static_cast<int>(s->Width); }, 0);
}

int KesaScreen::Height()
{
    return WithWindowScreen([](Screen* s) { return static_cast<int>(s->Height); }, 0);
}

tagPOINT KesaScreen::GetMouseXY()
{
    return WithWindowScreen([](Screen* s) { return tagPOINT{s->MouseX, s->MouseY}; }, tagPOINT{0, 0});
}

void KesaScreen::Scrolling()
{
    if (!handle)
        return;
    const int stepsPerFrame = (handle->Height + SlideFrames - 1) / SlideFrames;
    for (int i = 0; i < handle->Height; ++i) {
        MoveScreen(handle, 0, 1);
        if (stepsPerFrame > 0 && (i + 1) % stepsPerFrame == 0)
            WaitTOF();
    }
}

bool KesaScreen::Close()
{
    if (!handle)
        return true;
    // A screen with windows still open stays open: say so, and keep the handle so that a
    // later Close (or the destructor) can finish the job.
    if (!CloseScreen(handle))
        return false;
    // The toolkit's shared screen must not outlive the screen it names.
    if (GUIElement::GlobalScreen == handle)
        GUIElement::GlobalScreen = nullptr;
    handle = nullptr;
    return true;
}
