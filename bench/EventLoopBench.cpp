// SPDX-License-Identifier: MIT
// The event loop: CPU used by Application::Run idle for 5 s with no timer running (target
// <= 10 ms), and the time from a click injected at the host to the control's handler
// (target <= 1 ms median). Input comes from a second thread through the host's queue, as
// the host's own events do. Set SDL_VIDEODRIVER=dummy for a headless run.
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace amiga;
using internal::HostEvent;

namespace {

double CpuMillis()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

std::atomic<uint64_t> injectedAt{0};
std::atomic<int> handled{0};
std::vector<double> latencies;

// A control that notes how long the press took to reach it.
class Target : public Child {
public:
    explicit Target(GUIElement* owner) : Child(owner)
    {
        className = "target";
        x = 100;
        y = 100;
        width = 200;
        height = 100;
    }
    void Load() override
    {
        LoadElementBase();
        loaded = true;
        visible = true;
    }
    void OnLeftMouseDOWN(tagPOINT) override
    {
        latencies.push_back(static_cast<double>(internal::NowMicros() - injectedAt.load()) / 1000.0);
        handled.fetch_add(1);
    }
};

void Inject(HostEvent::Kind kind, int px, int py)
{
    HostEvent event;
    event.kind = kind;
    event.x = px;
    event.y = py;
    event.button = HostEvent::LeftButton;
    InjectHostEvent(event);
}

} // namespace

int main()
{
    KesaScreen screen("Event loop bench");
    if (screen.GetHandle() == nullptr) {
        std::fprintf(stderr, "no screen: %s\n", IntuitionLastError());
        return 1;
    }
    int clicks = 200;
    {
        Form main(0);
        main.SetScreen(&screen);
        main.Show();
        Target target(&main);
        target.Show();

        // Idle: nothing but the close request at the end of 5 s.
        std::thread closer([] {
            std::this_thread::sleep_for(std::chrono::seconds(5));
            Inject(HostEvent::Kind::CloseRequest, 0, 0);
        });
        const double cpuBefore = CpuMillis();
        const uint64_t wallBefore = internal::NowMicros();
        Application::Run(&main);
        const double cpu = CpuMillis() - cpuBefore;
        const double wall = static_cast<double>(internal::NowMicros() - wallBefore) / 1000.0;
        closer.join();
        std::printf("Run idle 5 s, no timer      wall %8.1f ms   cpu %6.2f ms   (target <= 10 ms)\n", wall, cpu);

        // Clicks: each press is injected while the loop sleeps, and timed to the handler.
        main.Show();
        std::thread clicker([clicks] {
            for (int i = 0; i < clicks; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                injectedAt.store(internal::NowMicros());
                Inject(HostEvent::Kind::ButtonDown, 150, 150);
                while (handled.load() <= i)
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                Inject(HostEvent::Kind::ButtonUp, 150, 150);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Inject(HostEvent::Kind::CloseRequest, 0, 0);
        });
        Application::Run(&main);
        clicker.join();
    }
    if (GUIElement::GlobalVisualInfo)
        FreeVisualInfo(GUIElement::GlobalVisualInfo);
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty())
        return 1;
    const auto at = [](double q) {
        return latencies[static_cast<size_t>(q * static_cast<double>(latencies.size() - 1))];
    };
    std::printf("Click to handler (%zu)     median %.3f ms   p90 %.3f ms   max %.3f ms   (target <= 1 ms median)\n",
                latencies.size(), at(0.5), at(0.9), latencies.back());
    screen.Close();
    ResetIntuition();
    ResetPlatform();
    return 0;
}
