// SPDX-License-Identifier: MIT
// The program entry.
#include "game/Program.h"

#include "game/FormMain.h"
#include "game/Maker.h"
#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "services/FileUtils.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/data/Palette.h"

#include <string>

amiga::Library* IntuitionBase = nullptr;
amiga::Library* GfxBase = nullptr;
amiga::Library* GadToolsBase = nullptr;
amiga::Library* LocaleBase = nullptr;
amiga::Library* KeymapBase = nullptr;
amiga::Library* DiskfontBase = nullptr;
amiga::Library* AslBase = nullptr;

namespace {

struct LibraryEntry {
    const char* name;
    amiga::Library** handle;
    const char* missingMessage;
};

// In the order they are opened; the messages are the log's, blanks included.
const LibraryEntry Libraries[] = {
    {"intuition.library", &IntuitionBase, "Can't open intuition.library "},
    {"graphics.library", &GfxBase, "Can't open graphics.library "},
    {"gadtools.library", &GadToolsBase, "Can't open gadtools.library "},
    {"locale.library", &LocaleBase, "Can't open locale.library "},
    {"keymap.library", &KeymapBase, "Can't open keymap.library "},
    {"diskfont.library", &DiskfontBase, "Can't open  diskfont.library "},
    {"asl.library", &AslBase, "Can't open  asl.library!"},
};

void OpenLibraries()
{
    for (const LibraryEntry& library : Libraries) {
        *library.handle = amiga::OpenLibrary(library.name, 0);
        if (*library.handle == nullptr)
            Application::Log(library.missingMessage);
    }
}

void CloseLibraries()
{
    amiga::Library** closingOrder[] = {&IntuitionBase, &GadToolsBase, &GfxBase, &LocaleBase,
                                       &KeymapBase,    &DiskfontBase, &AslBase};
    for (amiga::Library** handle : closingOrder) {
        if (*handle != nullptr)
            amiga::CloseLibrary(*handle);
        *handle = nullptr;
    }
}

} // namespace

std::string Program::Title()
{
    return std::string("Kesa Pegline - ") + Maker::WebAddress + " " + Maker::LegalNotice;
}

int Program::Main()
{
    if (FileUtils::FileEsistente("log.txt"))
        FileUtils::DeleteFile("log.txt");
    OpenLibraries();
    // Without these three there is no screen and no window to build; the other four only
    // cost what they offer. Every missing library has been logged by now.
    if (IntuitionBase == nullptr || GfxBase == nullptr || GadToolsBase == nullptr) {
        Application::Log("Librerie mancanti: il gioco non parte");
        CloseLibraries();
        return 1;
    }

    // The screen keeps a pointer to the title's characters: it lives until the screen closes.
    const std::string title = Title();
    KesaScreen* screen = new KesaScreen(title.c_str());
    if (screen->IsError() || screen->GetHandle() == nullptr) {
        // The host has said why on standard error; the log says it too.
        Application::Log(std::string("Apertura screen non riuscita: ") + amiga::IntuitionLastError());
        delete screen;
        CloseLibraries();
        return 1;
    }
    amiga::LoadRGB32(&screen->GetHandle()->ViewPort, palettedata);
    amiga::WaitTOF();

    FormMain* form = new FormMain(screen, title);
    Application::Run(form);

    screen->Scrolling();
    delete form;
    if (GUIElement::GlobalVisualInfo != nullptr) {
        amiga::FreeVisualInfo(GUIElement::GlobalVisualInfo);
        GUIElement::GlobalVisualInfo = nullptr;
    }
    if (!screen->Close())
        Application::Log("Chiusura screen non riuscita");
    delete screen;
    CloseLibraries();
    return 0;
}
