// SPDX-License-Identifier: MIT
// A game played in process through injected clicks: the flow of play, the board and the saved
// game after each kind of step.
#include "GameFixture.h"

#include "toolkit/controls/FormAbout.h"

#include <vector>

namespace {

// lstImg pictures of the colour codes 0..7 and of an empty place.
constexpr int PegImage[8] = {0, 1, 7, 8, 9, 10, 11, 12};
constexpr int CoveredPeg = 13;
constexpr int EmptyPlace = 14;

// A proposal that scores no exact peg against the code: each peg's colour moved by one.
std::string Wrong(const std::string& code)
{
    std::string proposal = code;
    for (char& peg : proposal)
        peg = static_cast<char>('0' + (peg - '0' + 1) % 8);
    return proposal;
}

} // namespace

class GameFlow : public GameFixture {
protected:
    // Clicks each selector until it shows the proposal's colour, then GO.
    void Play(const std::string& proposal)
    {
        for (int k = 0; k < 4; ++k)
            for (int clicks = (proposal[static_cast<size_t>(k)] - '0') - form->GetColore(k); clicks != 0;
                 clicks = (clicks + 7) % 8)
                Click(Selector(k));
        Click(GoButton);
    }

    size_t AboutWindows()
    {
        size_t count = 0;
        for (GUIElement* window : Application::lstForm)
            count += dynamic_cast<FormAbout*>(window) != nullptr;
        return count;
    }
};

TEST_F(GameFlow, AFirstStartSavesANewGameWithAllSevenValues)
{
    Start();
    const std::string code = form->GetSequenza();
    ASSERT_EQ(code.size(), 4u);
    EXPECT_EQ(Saved("stato"), "0\n");
    EXPECT_EQ(Saved("Pegline_Bag"), "\n");
    EXPECT_EQ(Saved("Pegline_Code"), code + "\n");
    for (const char* key : {"col1", "col2", "col3", "col4"})
        EXPECT_EQ(Saved(key), "0\n") << key;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(FrameAt(Secret(k)), CoveredPeg);
        EXPECT_EQ(FrameAt(Selector(k)), PegImage[0]);
    }
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(FrameAt(Cell(row, 2)), EmptyPlace) << row;
    EXPECT_EQ(TextAt(AttemptsLabel), "Attempts: 00");
    EXPECT_EQ(TextAt(GoButton), "GO");
    EXPECT_TRUE(At<ButtonCustom>(CancelButton)->GetEnabled());
}

TEST_F(GameFlow, SelectorClicksCycleThroughTheEightColoursAndSaveAtOnce)
{
    Start();
    for (int click = 1; click <= 9; ++click) {
        Click(Selector(2));
        const int colour = click % 8;
        ASSERT_EQ(FrameAt(Selector(2)), PegImage[colour]) << click;
        ASSERT_EQ(Saved("col3"), std::to_string(colour) + "\n") << click;
    }
    EXPECT_EQ(Saved("col1"), "0\n");
    EXPECT_EQ(form->GetProposta(), "0010");
}

TEST_F(GameFlow, GoScoresRecordsAndShowsTheNewestTenNewestOnTop)
{
    Start();
    const std::string code = form->GetSequenza();
    std::vector<std::string> records;
    for (int turn = 1; turn <= 12; ++turn) {
        // Vary the proposals so that each row is told apart by its first peg.
        std::string proposal = Wrong(code);
        proposal[3] = static_cast<char>('0' + turn % 8);
        if (proposal == code)
            proposal[3] = static_cast<char>('0' + (turn + 1) % 8);
        int exact = 0, colourOnly = 0;
        FormMain::ValutaProposta(proposal, code, &exact, &colourOnly);
        records.push_back(proposal + std::to_string(exact) + std::to_string(colourOnly));
        Play(proposal);
        // After a proposal that is not solved the selectors are back to colour 0, saved.
        ASSERT_EQ(form->GetProposta(), "0000");
        ASSERT_EQ(Saved("col4"), "0\n");
    }
    std::string history;
    for (const std::string& record : records)
        history += (history.empty() ? "" : ";") + record;
    EXPECT_EQ(Saved("Pegline_Bag"), history + "\n");
    EXPECT_EQ(Saved("stato"), "0\n");
    EXPECT_EQ(TextAt(AttemptsLabel), "Attempts: 12");
    // Row 1 shows the twelfth, row 10 the third.
    for (int row = 1; row <= 10; ++row) {
        const std::string& record = records[static_cast<size_t>(12 - row)];
        for (int k = 0; k < 4; ++k)
            ASSERT_EQ(FrameAt(Cell(row, k + 2)), PegImage[record[static_cast<size_t>(k)] - '0']) << row;
        EXPECT_EQ(TextAt(Result(row)), std::string("P ") + record[4] + " C " + record[5]);
    }
}

TEST_F(GameFlow, AWinShowsTheSolvedRowAndAMessageThenNewGameStartsWithoutAsking)
{
    Start();
    const std::string code = form->GetSequenza();
    Play(Wrong(code));
    amiga::AnswerNextRequester(0);
    Play(code);
    EXPECT_EQ(amiga::LastRequester().buttons, 1);
    EXPECT_EQ(amiga::LastRequester().text, "perfect, you won!");
    EXPECT_EQ(amiga::LastRequester().title, "Kesa Pegline - http://www.kesa.example");
    EXPECT_EQ(TextAt(Result(10 - 1)), "P 4 C 0");
    EXPECT_EQ(form->GetStato(), 2);
    EXPECT_EQ(Saved("stato"), "2\n");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(FrameAt(Secret(k)), PegImage[code[static_cast<size_t>(k)] - '0']);
        EXPECT_EQ(FrameAt(Selector(k)), PegImage[code[static_cast<size_t>(k)] - '0']);
    }
    EXPECT_EQ(TextAt(GoButton), "NEW GAME");
    EXPECT_FALSE(At<ButtonCustom>(CancelButton)->GetEnabled());
    // The selectors keep the winning colours and ignore clicks.
    Click(Selector(0));
    EXPECT_EQ(form->GetProposta(), code);

    Click(GoButton);
    EXPECT_EQ(form->GetStato(), 0);
    EXPECT_EQ(Saved("Pegline_Bag"), "\n");
    EXPECT_EQ(Saved("Pegline_Code"), form->GetSequenza() + "\n");
    EXPECT_EQ(TextAt(AttemptsLabel), "Attempts: 00");
    EXPECT_EQ(FrameAt(Secret(0)), CoveredPeg);
}

TEST_F(GameFlow, CancelAsksFirstAndNoChangesNothing)
{
    Start();
    Click(Selector(1));
    const std::string code = form->GetSequenza();
    amiga::AnswerNextRequester(1); // NO
    Click(CancelButton);
    EXPECT_EQ(amiga::LastRequester().buttons, 2);
    EXPECT_EQ(form->GetStato(), 0);
    EXPECT_EQ(Saved("col2"), "1\n");

    amiga::AnswerNextRequester(0); // YES
    Click(CancelButton);
    EXPECT_EQ(form->GetStato(), 1);
    EXPECT_EQ(Saved("stato"), "1\n");
    EXPECT_EQ(Saved("col2"), "0\n");
    EXPECT_FALSE(At<ImageFrame>(Selector(0))->IsVisible()) << "selectors are hidden once given up";
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(FrameAt(Secret(k)), PegImage[code[static_cast<size_t>(k)] - '0']);
    EXPECT_EQ(TextAt(GoButton), "NEW GAME");
}

TEST_F(GameFlow, GreyedCancelAsksNothingAfterGivingUpOrAWin)
{
    // Given up, CANCEL keeps the focus its click gave it; won, GO has it.
    for (const bool givenUp : {true, false}) {
        SCOPED_TRACE(givenUp ? "given up" : "won");
        std::filesystem::remove_all("Settings");
        Start();
        amiga::AnswerNextRequester(0);
        if (givenUp)
            Click(CancelButton);
        else
            Play(form->GetSequenza());
        EXPECT_FALSE(At<ButtonCustom>(CancelButton)->GetEnabled());
        amiga::ClearRequesterAnswers();
        amiga::AnswerNextRequester(0); // yes, should it ask
        Click(CancelButton);
        EXPECT_EQ(amiga::LastRequester().buttons, 0) << "a question was asked";
        EXPECT_EQ(form->GetStato(), givenUp ? 1 : 2);
        form.reset();
        amiga::ClearRequesterAnswers();
    }
}

TEST_F(GameFlow, GuidaAndHomeOpenTheMakersPagesFromTheirShortcuts)
{
    std::vector<std::string> lines;
    amiga::SetExecuteRunner([&lines](const std::string& line) {
        lines.push_back(line);
        return 0;
    });
    Start();
    amiga::InjectKey(0x24, amiga::IEQUALIFIER_LCOMMAND); // Alt+G
    amiga::InjectKey(0x25, amiga::IEQUALIFIER_LCOMMAND); // Alt+H
    Dispatch();
    amiga::SetExecuteRunner({});
    EXPECT_EQ(lines, (std::vector<std::string>{"http://www.kesa.example/KesaPegline.asp", "http://www.kesa.example"}));
}

TEST_F(GameFlow, InfoOpensExactlyOneAboutWindowAndKeysChangeNothing)
{
    Start();
    form->evCommand(At<ButtonCustom>(InfoButton));
    form->evCommand(At<ButtonCustom>(InfoButton));
    EXPECT_EQ(AboutWindows(), 1u);
    amiga::InjectKey(0x45); // Escape closes it
    Dispatch();
    const std::string before = Saved("Pegline_Code") + Saved("col1") + Saved("stato");
    amiga::InjectKey(0x20); // "a"
    amiga::InjectKey(0x44); // Return
    Dispatch();
    EXPECT_EQ(Saved("Pegline_Code") + Saved("col1") + Saved("stato"), before);
    EXPECT_EQ(form->GetStato(), 0);
}

TEST_F(GameFlow, ExitAsksAndNoKeepsPlayingFromTheButtonTheMenuAndTheCloseButton)
{
    Start();
    amiga::AnswerNextRequester(1);
    EXPECT_FALSE(Click(ExitButton));
    EXPECT_EQ(amiga::LastRequester().buttons, 2);
    EXPECT_EQ(amiga::LastRequester().text, "Do you really want to go exit?");
    EXPECT_EQ(amiga::LastRequester().title, "Exit");
    // The menu shortcut Alt+E (the host's Alt is the platform's Amiga key) reaches Exit.
    amiga::AnswerNextRequester(1);
    amiga::InjectKey(0x12, amiga::IEQUALIFIER_LCOMMAND);
    EXPECT_FALSE(Dispatch());
    amiga::AnswerNextRequester(1);
    amiga::InjectCloseRequest();
    EXPECT_FALSE(Dispatch());
    EXPECT_TRUE(form->IsLoad());
    // Still playing after three noes.
    Click(Selector(3));
    EXPECT_EQ(Saved("col4"), "1\n");

    amiga::AnswerNextRequester(0);
    EXPECT_TRUE(Click(ExitButton));
}

// The label pads the number of records to two digits; restored games show their state.
TEST_F(GameFlow, RestoresEachStateAndPadsTheAttemptsLabel)
{
    const std::string code = "0215";
    auto records = [&](int count, const std::string& last) {
        std::string history;
        for (int i = 0; i < count; ++i)
            history += (history.empty() ? "" : ";") + std::string("321021");
        return last.empty() ? history : history + (history.empty() ? "" : ";") + last;
    };
    struct Case {
        std::string state, history, colours;
        const char* label;
        int stato;
    } cases[] = {
        {"0", records(0, ""), "3070", "Attempts: 00", 0},
        {"0", records(7, ""), "0000", "Attempts: 07", 0},
        {"1", records(12, ""), "0000", "Attempts: 12", 1},
        {"2", records(122, "021540"), "0215", "Attempts: 123", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SaveGame(c.state, c.history, code, c.colours);
        Start();
        EXPECT_EQ(form->GetStato(), c.stato);
        EXPECT_EQ(TextAt(AttemptsLabel), c.label);
        EXPECT_EQ(FrameAt(Secret(0)), c.stato == 0 ? CoveredPeg : PegImage[0]);
        if (c.stato != 1) {
            EXPECT_EQ(form->GetProposta(), c.colours);
        }
        EXPECT_EQ(ReadLog().find("Partita salvata"), std::string::npos) << "taken as it is";
        form.reset();
    }
}
