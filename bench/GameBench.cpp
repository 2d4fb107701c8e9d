// SPDX-License-Identifier: MIT
// The game in process on the host the environment picks (SDL_VIDEODRIVER=dummy for a
// headless run): start-up to the first presented frame, a selector click to its presented
// frame including the save, the GO command without its button animation, CPU used over 10 s
// of idle event loop, and peak resident memory. The saved game goes to a fresh folder below
// the current directory, so run it from the disk to be measured.
#include "game/FormMain.h"
#include "platform/common/Internal.h"
#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/data/Palette.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double CpuMillis()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Dispatches every message waiting at the main window, as the event loop does.
void Dispatch(FormMain* form)
{
    amiga::InputEvent ie{};
    unsigned char length = 2;
    char* buffer = static_cast<char*>(amiga::AllocMem(length, amiga::MEMF_CLEAR));
    int done = 0;
    while (amiga::IntuiMessage* msg = amiga::GT_GetIMsg(form->GetHandle()->UserPort))
        Application::ElaboraEventi(form, msg, done, &ie, buffer, length);
    amiga::FreeMem(buffer, length);
}

} // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::current_path() / "kesa-game-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);

    // Start-up: screen, palette, the window with its board and saved game, first present.
    const auto start = Clock::now();
    auto* screen = new KesaScreen("Kesa Pegline");
    if (screen->GetHandle() == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    amiga::LoadRGB32(&screen->GetHandle()->ViewPort, palettedata);
    auto* form = new FormMain(screen, "Kesa Pegline");
    const amiga::ULONG presentsBefore = amiga::PresentCount();
    amiga::internal::PresentIfDirty();
    const double startup = MillisSince(start);
    if (amiga::PresentCount() == presentsBefore)
        std::fprintf(stderr, "warning: nothing was presented\n");

    // A selector click, from the injected press to its presented frame, saves included.
    std::vector<double> clicks;
    for (int i = 0; i < 64; ++i) {
        const auto t = Clock::now();
        amiga::InjectClick(80 + 24, 241 + 24);
        Dispatch(form);
        amiga::internal::PresentIfDirty();
        clicks.push_back(MillisSince(t));
    }

    // GO, called as the button's command (its 200 ms press animation is the button's).
    GUIElement* go = Application::GetChildrenHit(form->GetID(), tagPOINT{128, 328});
    std::vector<double> goTimes;
    for (int i = 0; i < 64; ++i) {
        // A fresh game now and then, so that the history stays short and GO never wins.
        const auto t = Clock::now();
        form->evCommand(go);
        goTimes.push_back(MillisSince(t));
        if (form->GetStato() != 0)
            form->evCommand(go);
    }

    // GO without its save: scoring, the record and bringing the board in line.
    std::vector<double> goWithoutSave;
    for (int i = 0; i < 64; ++i) {
        const auto t = Clock::now();
        int exact = 0;
        int colourOnly = 0;
        const std::string proposal = form->GetProposta();
        FormMain::ValutaProposta(proposal, form->GetSequenza(), &exact, &colourOnly);
        const std::string history = FormMain::AggiungiProposta(form->GetProposte(), proposal, exact, colourOnly);
        form->ImpostaGUI();
        goWithoutSave.push_back(MillisSince(t));
        if (history.empty())
            std::fprintf(stderr, "warning: no record\n");
    }

    // Idle: the real event loop; the CPU it uses is read from outside over 10 s once it has
    // settled, then a close request ends it (the question is answered yes).
    amiga::AnswerNextRequesterWithKey(0x44); // Return
    double idleCpu = 0;
    std::thread closer([&idleCpu] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double before = CpuMillis();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        idleCpu = CpuMillis() - before;
        amiga::internal::HostEvent close;
        close.kind = amiga::internal::HostEvent::Kind::CloseRequest;
        amiga::InjectHostEvent(close);
    });
    Application::Run(form);
    closer.join();

    delete form;
    if (GUIElement::GlobalVisualInfo != nullptr)
        amiga::FreeVisualInfo(GUIElement::GlobalVisualInfo);
    screen->Close();
    delete screen;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("start-up to first presented frame   %8.2f ms\n", startup);
    std::printf("selector click to frame, with save  %8.3f ms median  (target <= 16 ms)\n", Median(clicks));
    std::printf("GO command, with save               %8.3f ms median\n", Median(goTimes));
    std::printf("GO command without the save         %8.3f ms median  (target <= 1 ms)\n", Median(goWithoutSave));
    std::printf("idle event loop, 10 s               %8.2f ms CPU      (target 0 ms)\n", idleCpu);
    std::printf("peak resident memory                %8.1f MiB\n", usage.ru_maxrss / 1024.0);
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
    return 0;
}
