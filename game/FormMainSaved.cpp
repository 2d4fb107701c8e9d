// SPDX-License-Identifier: MIT
// The game's main window: its menu and the saved game.
#include "game/FormMain.h"

#include "game/Maker.h"
#include "services/Enviroment.h"
#include "services/StringUtils.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Application.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* Application_ = "KesaPegline.exe";
constexpr const char* Section = "dati";

bool IsColourDigit(char c)
{
    return c >= '0' && c <= '7';
}

bool IsCode(const std::string& text)
{
    if (text.size() != 4)
        return false;
    for (char c : text)
        if (!IsColourDigit(c))
            return false;
    return true;
}

bool IsRecord(const std::string& record)
{
    return record.size() == 6 && IsCode(record.substr(0, 4)) && record[4] >= '0' && record[4] <= '4' &&
           record[5] >= '0' && record[5] <= '4';
}

bool IsDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string Quoted(const std::string& text)
{
    // Enough to say what was there without copying a damaged file into the log whole.
    return "\"" + (text.size() > 20 ? text.substr(0, 20) + "..." : text) + "\"";
}

} // namespace

void FormMain::CreaMenu()
{
    mnuBar = new MenuBar(this);
    mnuFile = new KesaMenu(mnuBar, "&File");
    mnuExit = new SubMenu(mnuFile, "&Exit");
    mnuExit->SetCommand(MenuClick);
    mnuHelp = new KesaMenu(mnuBar, "&?");
    mnuGuida = new SubMenu(mnuHelp, "&Guida");
    mnuGuida->SetCommand(MenuClick);
    mnuHome = new SubMenu(mnuHelp, "&Home");
    mnuHome->SetCommand(MenuClick);
    mnuBar->Load();
}

void FormMain::evMenuClick(SubMenu* item)
{
    if (item == nullptr)
        return;
    const unsigned int picked = item->GetID();
    if (mnuExit != nullptr && picked == mnuExit->GetID())
        Application::postQuit = 1;
    else if (mnuHome != nullptr && picked == mnuHome->GetID())
        Enviroment::Shell(Maker::WebAddress);
    else if (mnuGuida != nullptr && picked == mnuGuida->GetID())
        Enviroment::Shell(std::string(Maker::WebAddress) + "/" + Maker::ProgramName + ".asp");
}

bool FormMain::ScriviDati()
{
    const std::pair<const char*, std::string> values[] = {
        {"Pegline_Bag", proposte},
        {"Pegline_Code", sequenza},
        {"stato", StringUtils::IntToStr(stato)},
        {"col1", StringUtils::IntToStr(colori[0])},
        {"col2", StringUtils::IntToStr(colori[1])},
        {"col3", StringUtils::IntToStr(colori[2])},
        {"col4", StringUtils::IntToStr(colori[3])},
    };
    for (const auto& [key, value] : values)
        if (!Enviroment::SetValueKey(Application_, Section, key, value))
            return false;
    return true;
}

bool FormMain::LeggiDati()
{
    for (int& colour : colori)
        colour = 0;
    SavedGame saved;
    saved.stato = Enviroment::GetValueKey(Application_, Section, "stato");
    if (saved.stato.empty()) {
        NewGame();
        return true;
    }
    saved.proposte = Enviroment::GetValueKey(Application_, Section, "Pegline_Bag");
    saved.sequenza = Enviroment::GetValueKey(Application_, Section, "Pegline_Code");
    const char* colourKeys[4] = {"col1", "col2", "col3", "col4"};
    for (int k = 0; k < 4; ++k)
        saved.colori[k] = Enviroment::GetValueKey(Application_, Section, colourKeys[k]);

    // Seven separate values: a program stopped between two of them leaves a mix, and a
    // damaged file anything at all. Only a game the rules could have produced is shown.
    std::string reason;
    switch (CheckSavedGame(saved, stato, proposte, sequenza, colori, reason)) {
    case SavedGameVerdict::Consistent:
        return false;
    case SavedGameVerdict::Repaired:
        Application::Log("Partita salvata riparata: " + reason);
        return true;
    case SavedGameVerdict::NewGameUnfinished:
        Application::Log("Partita salvata con una nuova partita non finita, ne inizia un'altra: " + reason);
        NewGame();
        return true;
    case SavedGameVerdict::Discarded:
        Application::Log("Partita salvata scartata, ne inizia una nuova: " + reason);
        NewGame();
        return true;
    }
    return true;
}

FormMain::SavedGameVerdict FormMain::CheckSavedGame(const SavedGame& saved, int& state, std::string& history,
                                                    std::string& code, int colours[4], std::string& reason)
{
    const std::string savedCode = StringUtils::Trim(saved.sequenza);
    const std::string savedHistory = StringUtils::Trim(saved.proposte);
    if (!IsCode(savedCode)) {
        reason = "il codice segreto " + Quoted(savedCode) + " non ha quattro colori 0-7";
        return SavedGameVerdict::Discarded;
    }
    std::vector<std::string> records;
    if (!savedHistory.empty())
        records = StringUtils::Split(savedHistory, ";");
    // Split drops the empty piece after a final ";": taken as it is, that history would turn
    // the next record played into an empty one, and the game after it would be discarded.
    if (!savedHistory.empty() && savedHistory.back() == ';')
        records.emplace_back();
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& record = records[i];
        const std::string number = StringUtils::IntToStr(static_cast<long>(i + 1));
        if (!IsRecord(record)) {
            reason = "il record " + number + " " + Quoted(record) + " non e' una proposta con il suo punteggio";
            return SavedGameVerdict::Discarded;
        }
        int exact = 0;
        int colourOnly = 0;
        ValutaProposta(record.substr(0, 4), savedCode, &exact, &colourOnly);
        if (record[4] - '0' != exact || record[5] - '0' != colourOnly) {
            reason = "il record " + number + " " + Quoted(record) + " non ha il punteggio del codice segreto";
            return SavedGameVerdict::Discarded;
        }
        if (exact == 4 && i + 1 != records.size()) {
            reason = "il record " + number + " risolve il codice ma il gioco continua";
            return SavedGameVerdict::Discarded;
        }
    }
    const bool solved = !records.empty() && records.back()[4] == '4';

    std::vector<std::string> repairs;
    // Digits read as the reader reads them: leading zeros count for nothing ("00" is 0).
    const std::string savedState = StringUtils::Trim(saved.stato);
    const std::string significant = savedState.substr(std::min(savedState.find_first_not_of('0'), savedState.size()));
    int takenState = 0;
    if (IsDigits(savedState) && (significant.empty() || significant == "1" || significant == "2")) {
        takenState = std::atoi(savedState.c_str());
    } else if (solved) {
        takenState = 2;
        repairs.push_back("lo stato " + Quoted(savedState) + " dopo un record vincente diventa 2");
    } else {
        reason = "lo stato " + Quoted(savedState) + " non e' 0, 1 o 2";
        return SavedGameVerdict::Discarded;
    }
    if (takenState == 2 && !solved) {
        // What a stop between the values NEW GAME writes leaves: taken as it is, it would deal
        // the hidden code just solved again.
        reason = "lo stato 2 senza un record vincente";
        return SavedGameVerdict::NewGameUnfinished;
    }
    if (takenState != 2 && solved) {
        repairs.push_back("lo stato " + StringUtils::IntToStr(takenState) + " dopo un record vincente diventa 2");
        takenState = 2;
    }

    int takenColours[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const std::string text = StringUtils::Trim(saved.colori[k]);
        if (text.empty())
            continue;
        const int value = IsDigits(text) && text.size() <= 2 ? std::atoi(text.c_str()) : -1;
        if (value >= 0 && value <= 7) {
            takenColours[k] = value;
        } else {
            repairs.push_back("il colore " + StringUtils::IntToStr(k + 1) + " " + Quoted(text) + " diventa 0");
        }
    }

    state = takenState;
    history = savedHistory;
    code = savedCode;
    for (int k = 0; k < 4; ++k)
        colours[k] = takenColours[k];
    reason.clear();
    for (const std::string& repair : repairs)
        reason += (reason.empty() ? "" : "; ") + repair;
    return repairs.empty() ? SavedGameVerdict::Consistent : SavedGameVerdict::Repaired;
}
