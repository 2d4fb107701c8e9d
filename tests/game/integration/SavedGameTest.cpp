// SPDX-License-Identifier: MIT
// Saved games that the rules could not have produced, as a stopped program or a damaged disk
// leaves them: each kind is repaired when the rest says what it was, or replaced by a new
// game, with one line in the log, and the store holds the game played afterwards.
#include "../GameFixture.h"

namespace {

struct Damage {
    const char* what;
    std::string state, history, code, colours;
    // Expected: -1 for a new game, else the state taken, the colours taken.
    int state_;
    const char* takenColours;
    const char* logLine; // the start of the log line; empty: nothing logged
};

const Damage Damages[] = {
    {"consistent game in progress", "0", "012312;321021", "0215", "7310", 0, "7310", ""},
    {"stopped between the record and the state of a win", "0", "321021;021540", "0215", "0215",
     2, "0215", "Saved game repaired: state 0 after a solved record is 2"},
    {"stopped between the history and the state of a new game", "2", "", "5117", "0215", 0,
     "0215", "Saved game repaired: state 2 without a solved record is 0"},
    {"state out of range, last record solved", "7", "021540", "0215", "0215", 2, "0215",
     "Saved game repaired: state \"7\" after a solved record is 2"},
    {"state out of range", "x", "321021", "0215", "0000", -1, "0000",
     "Saved game discarded, a new game starts: the state \"x\" is not 0, 1 or 2"},
    {"colour out of range", "0", "", "0215", "0900", 0, "0000",
     "Saved game repaired: colour 2 \"9\" is 0"},
    {"hidden code too short", "0", "", "021", "0000", -1, "0000",
     "Saved game discarded, a new game starts: the hidden code \"021\" is not four colours 0-7"},
    {"hidden code with a colour 8", "1", "", "0815", "0000", -1, "0000",
     "Saved game discarded, a new game starts: the hidden code \"0815\""},
    {"record torn", "0", "012312;3210", "0215", "0000", -1, "0000",
     "Saved game discarded, a new game starts: record 2 \"3210\" is not a proposal"},
    {"history ending in a separator", "0", "321021;", "0215", "0000", -1, "0000",
     "Saved game discarded, a new game starts: record 2 \"\" is not a proposal"},
    {"record scored against another code", "0", "012340", "0215", "0000", -1, "0000",
     "Saved game discarded, a new game starts: record 1 \"012340\" is not scored"},
    {"play went on after a win", "0", "021540;321021", "0215", "0000", -1, "0000",
     "Saved game discarded, a new game starts: record 1 solves the code"},
};

} // namespace

class SavedGame : public GameFixture {};

TEST_F(SavedGame, EachKindOfDamageIsRepairedOrReplacedWithOneLogLine)
{
    for (const Damage& damage : Damages) {
        SCOPED_TRACE(damage.what);
        std::filesystem::remove_all("Settings");
        std::filesystem::remove("log.txt");
        SaveGame(damage.state, damage.history, damage.code, damage.colours);
        Start();
        const std::string log = Log();
        if (*damage.logLine == '\0') {
            EXPECT_EQ(log.find("Saved game"), std::string::npos);
        } else {
            EXPECT_EQ(log.find(damage.logLine), log.find("Saved game")) << log;
            EXPECT_NE(log.find(damage.logLine), std::string::npos) << log;
            EXPECT_EQ(log.find("Saved game", log.find("Saved game") + 1), std::string::npos);
        }
        if (damage.state_ < 0) {
            EXPECT_EQ(form->GetStato(), 0);
            EXPECT_EQ(form->GetProposte(), "");
            EXPECT_NE(form->GetSequenza(), damage.code);
        } else {
            EXPECT_EQ(form->GetStato(), damage.state_);
            EXPECT_EQ(form->GetProposte(), damage.history);
            EXPECT_EQ(form->GetSequenza(), damage.code);
        }
        EXPECT_EQ(form->GetProposta(), damage.takenColours);
        // What is shown is what is stored.
        EXPECT_EQ(Saved("stato"), std::to_string(form->GetStato()) + "\n");
        EXPECT_EQ(Saved("Pegline_Bag"), form->GetProposte() + "\n");
        EXPECT_EQ(Saved("Pegline_Code"), form->GetSequenza() + "\n");
        form.reset();
    }
}

TEST_F(SavedGame, ValuesReadBackWithBlanksAndMissingColoursAreTakenAsDocumented)
{
    Save("stato", "2\r\n");
    Save("Pegline_Bag", "  021540 \n");
    Save("Pegline_Code", "0215\n");
    Save("col1", "0\n");
    Save("col2", "2\n");
    Start();
    EXPECT_EQ(form->GetStato(), 2);
    EXPECT_EQ(form->GetProposte(), "021540");
    EXPECT_EQ(form->GetProposta(), "0200");
    EXPECT_EQ(Log().find("Saved game"), std::string::npos);
}
