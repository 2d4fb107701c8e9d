// SPDX-License-Identifier: MIT
// The game killed at random moments while it plays and saves: each of the seven values is
// always whole, and the next start finds the game consistent or repairs only what a stop
// between two values of one save leaves; it never discards it.
#include "GameFixture.h"

#include "services/StringUtils.h"

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <iostream>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Kills = 50;
const char* const Keys[] = {"stato", "Pegline_Bag", "Pegline_Code", "col1", "col2", "col3", "col4"};
// The mix a stop between the values of a win's save leaves; a new game's is told apart.
const std::string StoppedInAWin = "lo stato 0 dopo un record vincente diventa 2";

bool IsCode(const std::string& text)
{
    return text.size() == 4 && text.find_first_not_of("01234567") == std::string::npos;
}

// What is wrong with the game the window holds; empty when the rules could have produced it.
std::string Inconsistency(const FormMain& form)
{
    const std::string& code = form.GetSequenza();
    const std::string& history = form.GetProposte();
    if (form.GetStato() < 0 || form.GetStato() > 2)
        return "state " + std::to_string(form.GetStato());
    if (!IsCode(code))
        return "code \"" + code + "\"";
    const std::vector<std::string> records =
        history.empty() ? std::vector<std::string>() : StringUtils::Split(history, ";");
    std::string joined;
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& record = records[i];
        int exact = -1;
        int colourOnly = -1;
        if (record.size() == 6 && IsCode(record.substr(0, 4)))
            FormMain::ValutaProposta(record.substr(0, 4), code, &exact, &colourOnly);
        if (record.size() != 6 || record[4] - '0' != exact || record[5] - '0' != colourOnly ||
            (exact == 4 && i + 1 != records.size()))
            return "record \"" + record + "\" against " + code;
        joined += (i == 0 ? "" : ";") + record;
    }
    if (joined != history)
        return "history \"" + history + "\"";
    const bool solved = !records.empty() && records.back()[4] == '4';
    if (solved != (form.GetStato() == 2))
        return "state " + std::to_string(form.GetStato()) + " after \"" + history + "\"";
    return {};
}

void Report(int pipe, const std::string& text)
{
    const std::string line = text + "\n";
    [[maybe_unused]] const ssize_t written = write(pipe, line.data(), line.size());
}

// The child: starts as the program does (the window reads the saved game), reports on the pipe
// "ok" or what was wrong with the game it found, then plays through the window's handlers until
// killed: selector clicks and GO, a win now and then, rarely giving up.
[[noreturn]] void StartAndPlay(int pipe, unsigned seed, bool play)
{
    std::filesystem::remove("log.txt");
    KesaScreen screen("Kesa Pegline");
    if (screen.GetHandle() == nullptr) {
        Report(pipe, "no screen");
        _exit(1);
    }
    amiga::LoadRGB32(&screen.GetHandle()->ViewPort, palettedata);
    FormMain form(&screen, "Kesa Pegline");
    std::string problem = Inconsistency(form);
    const std::string log = ReadLog();
    if (log.find("scartata") != std::string::npos)
        problem += " log: " + log;
    Report(pipe, problem.empty() ? "ok" : problem);
    if (!play || !problem.empty())
        _exit(problem.empty() ? 0 : 1);

    ImageFrame* selectors[4];
    for (int k = 0; k < 4; ++k)
        selectors[k] = ElementAt<ImageFrame>(form, Selector(k));
    ButtonCustom* go = ElementAt<ButtonCustom>(form, GoButton);
    ButtonCustom* giveUp = ElementAt<ButtonCustom>(form, CancelButton);
    std::mt19937 random(seed);
    for (;;) {
        if (form.GetStato() != 0) {
            form.evCommand(go); // a new game
            continue;
        }
        if (random() % 40 == 0) {
            amiga::AnswerNextRequester(0);
            form.evCommand(giveUp);
            continue;
        }
        std::string proposal = form.GetSequenza();
        if (random() % 5 != 0)
            for (char& peg : proposal)
                peg = static_cast<char>('0' + random() % 8);
        for (int k = 0; k < 4; ++k)
            while (form.GetColore(k) != proposal[static_cast<size_t>(k)] - '0')
                form.evLeftMouseDOWN(selectors[k]);
        if (proposal == form.GetSequenza())
            amiga::AnswerNextRequester(0); // the message of the win
        form.evCommand(go);
    }
}

// Forks a child that starts the game; its first report line, or why there is none.
pid_t Start(unsigned seed, bool play, std::string& report)
{
    int ends[2];
    if (pipe(ends) != 0)
        return -1;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        StartAndPlay(ends[1], seed, play);
    }
    close(ends[1]);
    report.clear();
    char c = 0;
    pollfd waiting{ends[0], POLLIN, 0};
    while (poll(&waiting, 1, 10000) == 1 && read(ends[0], &c, 1) == 1 && c != '\n')
        report += c;
    close(ends[0]);
    if (report.empty())
        report = "(no report)";
    return child;
}

} // namespace

TEST(SavedGameKill, EveryValueStaysWholeAndTheNextStartFindsAConsistentGame)
{
    ScopedWorkingDirectory workingDirectory;
    ASSERT_TRUE(workingDirectory.Ok());
    // KESA_KILL_SEED replays the moments of a run that failed.
    const char* given = std::getenv("KESA_KILL_SEED");
    const unsigned seed =
        given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device()();
    std::cout << "seed " << seed << std::endl;
    RecordProperty("Seed", std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pause(0, 120000); // microseconds

    int repaired = 0;
    int withHistory = 0;
    for (int kill = 0; kill <= Kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::string report;
        const bool last = kill == Kills; // after the last kill only the start is checked
        const pid_t child = Start(seed + static_cast<unsigned>(kill), !last, report);
        ASSERT_GT(child, 0);
        if (!last)
            usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_EQ(report, "ok") << "the start found an inconsistent game";
        if (last)
            break;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child stopped by itself: status " << status;

        // Each value whole: one line, ended by its line feed, holding a value of its kind.
        FormMain::SavedGame saved;
        std::string* values[] = {&saved.stato,     &saved.proposte,  &saved.sequenza, &saved.colori[0],
                                 &saved.colori[1], &saved.colori[2], &saved.colori[3]};
        for (int i = 0; i < 7; ++i) {
            const std::string bytes =
                ReadBytes(std::filesystem::path("Settings") / "KesaPegline.exe" / "dati" / Keys[i]);
            ASSERT_TRUE(!bytes.empty() && bytes.back() == '\n' && bytes.find('\n') == bytes.size() - 1)
                << Keys[i] << ": \"" << bytes << "\"";
            *values[i] = bytes.substr(0, bytes.size() - 1);
        }
        EXPECT_TRUE(saved.stato == "0" || saved.stato == "1" || saved.stato == "2") << saved.stato;
        EXPECT_TRUE(IsCode(saved.sequenza)) << saved.sequenza;
        for (const std::string& colour : saved.colori)
            EXPECT_TRUE(colour.size() == 1 && colour[0] >= '0' && colour[0] <= '7') << colour;

        int state = -1;
        std::string history, code, reason;
        int colours[4] = {};
        const FormMain::SavedGameVerdict verdict =
            FormMain::CheckSavedGame(saved, state, history, code, colours, reason);
        ASSERT_NE(verdict, FormMain::SavedGameVerdict::Discarded) << reason;
        if (verdict == FormMain::SavedGameVerdict::Repaired) {
            EXPECT_EQ(reason, StoppedInAWin);
        }
        repaired += verdict != FormMain::SavedGameVerdict::Consistent ? 1 : 0;
        withHistory += saved.proposte.empty() ? 0 : 1;
    }
    // The children did play between start and kill.
    EXPECT_GT(withHistory, 0);
    std::cout << Kills << " kills, " << repaired << " left a mix to repair, " << withHistory << " with records"
              << std::endl;
}
