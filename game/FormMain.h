// SPDX-License-Identifier: MIT
// The game's main window: the board, the flow of play, the menu and the saved game. The rules
// of the game are static members: they use nothing of the window.
//
// Codes: four colour digits "0".."7", position 1 first ("3007"). Record of a scored
// proposal: the proposal, then exact, then colour-only ("012312"). Play history: the
// records in playing order joined by ";" ("012312;321021"), empty before the first.
// Game state (stato): 0 playing, 1 given up, 2 solved.
#pragma once

#include "toolkit/core/Form.h"

#include <string>

class ButtonCustom;
class CellControl;
class Child;
class FormAbout;
class ImageFrame;
class KesaMenu;
class KesaScreen;
class MenuBar;
class MyImage;
class Sound;
class SubMenu;
class Timer;

class FormMain : public Form {
public:
    static constexpr int BoardRows = 11;
    static constexpr int BoardColumns = 6;
    static constexpr int BoardCells = BoardRows * BoardColumns;
    static constexpr int PlayRows = 10;

    // The first FormMain constructed: the window of elements that have none.
    static inline FormMain* firstForm = nullptr;

    // Opens the window on the screen and builds the board from the saved game.
    FormMain(KesaScreen* onScreen, std::string title);
    ~FormMain() override;

    FormMain(const FormMain&) = delete;
    FormMain& operator=(const FormMain&) = delete;

    void OnPaint() override;
    void OnShow() override;

    // The window's own handlers, in their slot order.
    virtual void evCreateChildren();
    virtual bool evClosing();
    virtual void evResize();
    virtual void evTimer();
    virtual bool evKeyPress(int key);
    virtual bool evTextKeyPress(GUIElement* element, int key);
    virtual void evKeyDown(int key);
    virtual void evKeyUp(int key);
    virtual void evMenuClick(SubMenu* item);
    virtual void evHotKey(unsigned modifiers, unsigned key);
    virtual void evLeftMouseUP(tagPOINT p);
    virtual void evLeftMouseDOWN(Child* element);
    virtual void evLeftMouseDOWN(tagPOINT p);
    virtual void evLeave(GUIElement* element);
    virtual void evOnFocus(GUIElement* element);
    virtual void evCommand(GUIElement* element);
    virtual void evChangeValue(GUIElement* element, int value);

    // The callbacks registered with the toolkit; each forwards to the element's window.
    static void CreateChildren(GUIElement* element, unsigned long handleValue);
    static bool Closing(GUIElement* element);
    static void Resizing(GUIElement* element);
    static bool KeyPress(GUIElement* element, int key);
    static void KeyDown(GUIElement* element, int key);
    static void KeyUp(GUIElement* element, int key);
    static void LeftMouseUP(GUIElement* element, unsigned long handleValue, tagPOINT p);
    static void LeftMouseDOWN(GUIElement* element, unsigned long handleValue, tagPOINT p);
    static void OnExecCommand(GUIElement* element);
    static void MenuClick(GUIElement* element);
    static void OnTimer(GUIElement* element);
    static void OnChangeValue(GUIElement* element, int value);
    static void OnFocus(GUIElement* element);
    static void Leave(GUIElement* element);
    static void HotKey(GUIElement* element, unsigned modifiers, unsigned key);

    // The element itself when it is a window, else its nearest window up the parents; falls
    // back on firstForm, and is null only when that is null too.
    static FormMain* GetForm(GUIElement* element);
    // The first cell (1..66) of a board row (1..11).
    static int GetIndexBeginRiga(int row) { return 6 * row - 5; }

    // The colour texts of the four selectors, left to right.
    std::string GetProposta();
    // Shows a colour code (0..7, 8 the covered peg) on a frame; other codes change the text only.
    void SetSfondo(ImageFrame* frame, int code);
    // Shows a six-digit record on a play row (1..10), or clears the row.
    void SetRiga(int row, std::string record);
    void ClearRiga(int row);
    // Brings every element in line with stato, colori, sequenza and proposte.
    void ImpostaGUI();

    // The menu: File -> Exit; ? -> Guida, Home.
    void CreaMenu();
    // Reads the saved game (checked, see below), or starts a new one; true when the store
    // must still be brought in line with it (a new game, a repaired one).
    bool LeggiDati();
    // Writes the seven values; stops at the first the store refuses (false).
    bool ScriviDati();

    // The rules.
    // A new hidden code: four independent draws of Enviroment::Random(0, 7).
    static std::string GeneraSequenza();
    // Scores the proposal against the hidden code: exact counts the positions of equal
    // colour; colourOnly, summed over the colours, the smaller of the leftover counts of the
    // proposal and of the code. Null pointers receive nothing.
    static void ValutaProposta(std::string proposta, std::string sequenza, int* exact, int* colourOnly);
    // The history with the proposal's record appended, after ";" unless it was empty.
    static std::string AggiungiProposta(std::string proposte, std::string proposta, int exact, int colourOnly);

    // A saved game as read from the store, before it is taken.
    struct SavedGame {
        std::string stato;
        std::string proposte;
        std::string sequenza;
        std::string colori[4];
    };
    // What CheckSavedGame made of one.
    enum class SavedGameVerdict { Consistent, Repaired, NewGameUnfinished, Discarded };
    // Takes a saved game only when the rules could have produced it: repairs what follows from
    // the rest (a state that contradicts the last record, a colour outside 0-7), tells a NEW
    // GAME stopped half-way (state 2 without a solved record) and discards the rest. `reason`
    // says what was wrong; state, history, code and colours receive the game to play when it
    // is consistent or repaired.
    static SavedGameVerdict CheckSavedGame(const SavedGame& saved, int& state, std::string& history, std::string& code,
                                           int colours[4], std::string& reason);

    // For tests and the program entry: the game as it is in memory.
    int GetStato() const { return stato; }
    const std::string& GetSequenza() const { return sequenza; }
    const std::string& GetProposte() const { return proposte; }
    int GetColore(int selector) const { return colori[selector]; }

private:
    void NewGame();
    void ShowAbout();

    FormAbout* formAbout = nullptr;
    MenuBar* mnuBar = nullptr;
    KesaMenu* mnuFile = nullptr;
    SubMenu* mnuExit = nullptr;
    KesaMenu* mnuHelp = nullptr;
    SubMenu* mnuHome = nullptr;
    SubMenu* mnuGuida = nullptr;
    ButtonCustom* btnInfo = nullptr;
    ButtonCustom* btnOk = nullptr;
    ButtonCustom* btnCancel = nullptr;
    ButtonCustom* btnExit = nullptr;
    MyImage* imgLogo = nullptr;
    Timer* timer = nullptr;
    CellControl* lblTentativi = nullptr;
    ImageFrame* griglia[BoardCells] = {};  // cell i (1..66) at griglia[i - 1]
    CellControl* risultati[PlayRows] = {}; // row r (1..10) at risultati[r - 1]
    std::string sequenza;
    std::string proposte;
    int colori[4] = {0, 0, 0, 0};
    int stato = 0;
    bool salvaAllAvvio = false; // LeggiDati's answer, acted on once the board is on view
    ImageFrame* selettori[4] = {};
    ImageFrame* soluzione[4] = {};
    Sound* suono = nullptr;
};
