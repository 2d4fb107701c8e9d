// SPDX-License-Identifier: MIT
// Saved games that the rules could not have produced, as a stopped program or a damaged disk
// leaves them: each kind is repaired when the rest says what it was, or replaced by a new
// game, with one line in the log, and the store holds the game played afterwards.
#include "GameFixture.h"

#include <cstdlib>

namespace {

struct Damage {
    const char* what;
    std::string state, history, code, colours;
    // Expected: -1 for a new game, else the state taken, the colours taken.
    int state_;
    const char* takenColours;
    const char* logLine; // the start of the log line; empty: nothing logged
};

// The values NEW GAME writes after a win, in order: Pegline_Bag, Pegline_Code, stato, col1..4.
// A stop after each one but the last; the win was 000000;321640 against 3216.
const char* const Unfinished = "Partita salvata con una nuova partita non finita, ne inizia un'altra: "
                               "lo stato 2 senza un record vincente";

const Damage Damages[] = {
    {"consistent game in progress", "0", "012312;321021", "0215", "7310", 0, "7310", ""},
    {"state with a leading zero", "00", "012312;321021", "0215", "7310", 0, "7310", ""},
    {"stopped between the record and the state of a win", "0", "321021;021540", "0215", "0215", 2, "0215",
     "Partita salvata riparata: lo stato 0 dopo un record vincente diventa 2"},
    {"new game stopped after the history", "2", "", "3216", "3216", -1, "0000", Unfinished},
    {"new game stopped after the code", "2", "", "5117", "3216", -1, "0000", Unfinished},
    {"new game stopped after the state", "0", "", "5117", "3216", 0, "3216", ""},
    {"new game stopped after colour 1", "0", "", "5117", "0216", 0, "0216", ""},
    {"new game stopped after colour 2", "0", "", "5117", "0016", 0, "0016", ""},
    {"new game stopped after colour 3", "0", "", "5117", "0006", 0, "0006", ""},
    {"state out of range, last record solved", "7", "021540", "0215", "0215", 2, "0215",
     "Partita salvata riparata: lo stato \"7\" dopo un record vincente diventa 2"},
    {"state out of range", "x", "321021", "0215", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: lo stato \"x\" non e' 0, 1 o 2"},
    {"colour out of range", "0", "", "0215", "0900", 0, "0000",
     "Partita salvata riparata: il colore 2 \"9\" diventa 0"},
    {"hidden code too short", "0", "", "021", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il codice segreto \"021\" non ha quattro colori 0-7"},
    {"hidden code with a colour 8", "1", "", "0815", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il codice segreto \"0815\""},
    {"record torn", "0", "012312;3210", "0215", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il record 2 \"3210\" non e' una proposta"},
    {"history ending in a separator", "0", "321021;", "0215", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il record 2 \"\" non e' una proposta"},
    {"record scored against another code", "0", "012340", "0215", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il record 1 \"012340\" non ha il punteggio"},
    {"play went on after a win", "0", "021540;321021", "0215", "0000", -1, "0000",
     "Partita salvata scartata, ne inizia una nuova: il record 1 risolve il codice"},
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
        const std::string log = ReadLog();
        if (*damage.logLine == '\0') {
            EXPECT_EQ(log.find("Partita salvata"), std::string::npos);
        } else {
            EXPECT_EQ(log.find(damage.logLine), log.find("Partita salvata")) << log;
            EXPECT_NE(log.find(damage.logLine), std::string::npos) << log;
            EXPECT_EQ(log.find("Partita salvata", log.find("Partita salvata") + 1), std::string::npos);
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
        EXPECT_EQ(std::atoi(Saved("stato").c_str()), form->GetStato());
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
    EXPECT_EQ(ReadLog().find("Partita salvata"), std::string::npos);
}
