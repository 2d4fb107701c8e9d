// SPDX-License-Identifier: MIT
// The game's main window: construction, the board and how it shows the game.
#include "game/FormMain.h"

#include "platform/graphics/Graphics.h"
#include "services/Sound.h"
#include "services/StringUtils.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/MyImage.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/core/Timer.h"
#include "toolkit/data/BuiltinImages.h"

namespace {

// Pens of the game palette.
using amiga::PenBlack;
using amiga::PenWhite;
constexpr long PenGreen = 15;
constexpr long PenRed = 17;
constexpr long PenWindow = 19;

// lstImg index for colour codes 0..8 (8: the covered peg of the secret row).
constexpr int ImageOfCode[9] = {0, 1, 7, 8, 9, 10, 11, 12, 13};
constexpr int ImageEmptyPlace = 14;

// The picture of a board cell by its row (1..11) and column (1..6).
int ImageOfCell(int row, int column)
{
    if (row == FormMain::BoardRows)
        return column == 1 ? 6 : column == FormMain::BoardColumns ? 5 : 4;
    return column == 1 ? 3 : column == FormMain::BoardColumns ? 2 : ImageEmptyPlace;
}

constexpr int PegSize = 48;
constexpr int SelectorX[4] = {80, 131, 182, 233};
constexpr int SecretRowY = 190;
constexpr int SelectorY = 241;

template <typename T> void DeleteAndClear(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

} // namespace

FormMain::FormMain(KesaScreen* onScreen, std::string title) : Form(0)
{
    if (onScreen != nullptr)
        SetScreen(onScreen);
    suono = new Sound();
    SetSize(800, 600);
    SetText(title);
    SetBoxMaximize(false);
    SetBoxMinimize(true);
    SetOnCreateChildren(CreateChildren);
    SetOnClosing(Closing);
    SetOnResize(Resizing);
    SetOnKeyPress(KeyPress);
    SetOnKeyDOWN(KeyDown);
    SetOnKeyUP(KeyUp);
    SetOnLeftMouseUP(LeftMouseUP);
    SetOnLeftMouseDOWN(LeftMouseDOWN);
    SetBackgroundColor(PenWindow);
    Load();
    // The backdrop window does not ask to be activated, so without this the right-button
    // menu and the Alt shortcuts would wait for a first click on the board.
    Focus();
    if (firstForm == nullptr)
        firstForm = this;
    // Saved once the board is on view (WaitTOF shows what is drawn): in a fresh folder that
    // is seven files written and synced, which would otherwise hold back the first frame.
    if (salvaAllAvvio) {
        amiga::WaitTOF();
        ScriviDati();
        salvaAllAvvio = false;
    }
}

FormMain::~FormMain()
{
    DeleteAndClear(suono);
    DeleteAndClear(timer);
    CloseForm();
    DeleteAndClear(formAbout);
    // The bar first: it frees the strip and leaves its menus and their items orphans, which
    // then go without rebuilding a strip for each one.
    DeleteAndClear(mnuBar);
    DeleteAndClear(mnuFile);
    DeleteAndClear(mnuHelp);
    DeleteAndClear(mnuExit);
    DeleteAndClear(mnuHome);
    DeleteAndClear(mnuGuida);
    DeleteAndClear(btnInfo);
    DeleteAndClear(btnOk);
    DeleteAndClear(btnCancel);
    DeleteAndClear(btnExit);
    for (int k = 0; k < 4; ++k) {
        DeleteAndClear(selettori[k]);
        DeleteAndClear(soluzione[k]);
    }
    DeleteAndClear(imgLogo);
    DeleteAndClear(lblTentativi);
    for (ImageFrame*& cell : griglia)
        DeleteAndClear(cell);
    for (CellControl*& result : risultati)
        DeleteAndClear(result);
    sequenza.clear();
    proposte.clear();
    if (firstForm == this)
        firstForm = nullptr;
}

void FormMain::evCreateChildren()
{
    CreaMenu();

    imgLogo = new MyImage(this, LogoIFFLarge);
    imgLogo->SetSize(350, 75);
    imgLogo->SetLocation(15, 30);
    imgLogo->Load();

    auto button = [this](const char* caption, int buttonWidth, int left, int top) {
        ButtonCustom* b = new ButtonCustom(this, caption);
        b->SetSize(buttonWidth, 25);
        b->SetLocation(left, top);
        b->SetCommand(OnExecCommand);
        return b;
    };
    btnInfo = button("Info", 100, 464, 40);
    btnInfo->Load();
    btnExit = button("Exit", 100, 574, 40);
    btnExit->Load();

    for (int k = 0; k < 4; ++k) {
        soluzione[k] = new ImageFrame(this, lstImg, ImageOfCode[8], 0);
        soluzione[k]->SetTrasparent(0);
        soluzione[k]->SetSize(PegSize, PegSize);
        soluzione[k]->SetLocation(SelectorX[k], SecretRowY);
        soluzione[k]->Load();
    }
    for (int k = 0; k < 4; ++k) {
        selettori[k] = new ImageFrame(this, lstImg, ImageOfCode[0], 0);
        selettori[k]->Tag = "0";
        selettori[k]->SetTrasparent(0);
        selettori[k]->SetOnLeftMouseDOWN(LeftMouseDOWN);
        selettori[k]->SetCursorHand(true);
        selettori[k]->SetSize(PegSize, PegSize);
        selettori[k]->SetLocation(SelectorX[k], SelectorY);
        selettori[k]->Load();
    }

    btnOk = button("GO", 97, 80, 316);
    btnOk->SetCursorHand(true);
    btnOk->Load();
    btnCancel = button("CANCEL", 97, 187, 316);
    btnCancel->SetCursorHand(true);
    btnCancel->SetEnabled(0);
    btnCancel->Load();

    lblTentativi = new CellControl(this);
    lblTentativi->SetBackgroundColor(GetBackgroundColor());
    lblTentativi->SetColor(PenBlack);
    lblTentativi->SetSize(204, 25);
    lblTentativi->SetLocation(80, 356);
    lblTentativi->SetText("");
    lblTentativi->SetBorder(1);
    lblTentativi->Load();

    for (int row = 1; row <= BoardRows; ++row) {
        for (int column = 1; column <= BoardColumns; ++column) {
            ImageFrame* cell = new ImageFrame(this, lstImg, ImageOfCell(row, column), 0);
            cell->SetTrasparent(0);
            cell->SetBackgroundColor(PenBlack);
            cell->SetSize(PegSize, PegSize);
            cell->SetLocation(375 + PegSize * column, 40 + PegSize * row);
            cell->Load();
            griglia[GetIndexBeginRiga(row) + column - 2] = cell;
            if (column == BoardColumns && row <= PlayRows) {
                CellControl* result = new CellControl(this);
                result->SetBackgroundColor(PenWhite);
                result->SetColor(PenBlack);
                result->SetSize(70, 15);
                result->SetText("");
                result->SetLocation(683, 40 + PegSize * row);
                result->Load();
                risultati[row - 1] = result;
            }
        }
    }

    timer = new Timer(this, 300);
    timer->SetOnTimer(OnTimer);
    timer->Load();

    salvaAllAvvio = LeggiDati();
    ImpostaGUI();
}

void FormMain::SetSfondo(ImageFrame* frame, int code)
{
    if (frame == nullptr)
        return;
    frame->Tag = StringUtils::IntToStr(code);
    if (code >= 0 && code <= 8)
        frame->SetFrame(ImageOfCode[code], 0);
}

std::string FormMain::GetProposta()
{
    std::string proposal;
    for (ImageFrame* selector : selettori)
        if (selector != nullptr)
            proposal += selector->Tag;
    return proposal;
}

void FormMain::SetRiga(int row, std::string record)
{
    if (row < 1 || row > PlayRows)
        return;
    // Records reach here checked (the saved game) or built by GO: six digits.
    if (record.size() < 6)
        record.resize(6, '0');
    const int first = GetIndexBeginRiga(row);
    for (int k = 1; k <= 4; ++k)
        SetSfondo(griglia[first + k - 1], record[static_cast<size_t>(k - 1)] - '0');
    if (risultati[row - 1] != nullptr)
        risultati[row - 1]->SetText(std::string("P ") + record[4] + " C " + record[5]);
}

void FormMain::ClearRiga(int row)
{
    if (row < 1 || row > PlayRows)
        return;
    const int first = GetIndexBeginRiga(row);
    for (int k = 1; k <= 4; ++k)
        if (griglia[first + k - 1] != nullptr)
            griglia[first + k - 1]->SetFrame(ImageEmptyPlace, 0);
    if (risultati[row - 1] != nullptr)
        risultati[row - 1]->SetText("");
}

void FormMain::ImpostaGUI()
{
    auto secretDigit = [this](int k) {
        return k < static_cast<int>(sequenza.size()) ? sequenza[static_cast<size_t>(k)] - '0' : 8;
    };
    switch (stato) {
    case 0:
        for (int k = 0; k < 4; ++k) {
            SetSfondo(selettori[k], colori[k]);
            SetSfondo(soluzione[k], 8);
            selettori[k]->Show();
            selettori[k]->SetCursorHand(true);
            selettori[k]->SetToolTip("click to change color");
        }
        btnOk->SetText("GO");
        btnCancel->SetText("CANCEL");
        btnCancel->SetEnabled(1);
        break;
    case 1:
        for (int k = 0; k < 4; ++k) {
            SetSfondo(selettori[k], colori[k]);
            selettori[k]->Hide();
            SetSfondo(soluzione[k], secretDigit(k));
        }
        btnOk->SetText("NEW GAME");
        btnCancel->SetText("CANCEL");
        btnCancel->SetEnabled(0);
        break;
    case 2:
        for (int k = 0; k < 4; ++k) {
            selettori[k]->SetToolTip("");
            SetSfondo(selettori[k], colori[k]);
            SetSfondo(soluzione[k], secretDigit(k));
            selettori[k]->SetCursorHand(false);
        }
        btnOk->SetText("NEW GAME");
        btnCancel->SetText("CANCEL");
        btnCancel->SetEnabled(0);
        break;
    default:
        break;
    }

    std::vector<std::string> records;
    if (!proposte.empty())
        records = StringUtils::Split(proposte, ";");
    const int count = static_cast<int>(records.size());
    const int shown = count < PlayRows ? count : PlayRows;
    for (int row = 1; row <= PlayRows - shown; ++row)
        ClearRiga(row);
    for (int k = 0; k < shown; ++k)
        SetRiga(PlayRows - shown + 1 + k, records[static_cast<size_t>(count - 1 - k)]);
    lblTentativi->SetText("Attempts: " + StringUtils::IntToStr(count, '0', 2));
}

void FormMain::OnPaint()
{
    if (IsLoad() && GetHandle() != nullptr) {
        Drawing drawing(GetHandle()->RPort);
        const int clientWidth = ClientWidth();
        const int clientHeight = ClientHeight();
        drawing.DrawFillRectangle(365, 0, clientWidth - 365, clientHeight, 0, PenWhite, PenWhite);
        drawing.DrawFillRectangle(0, 0, 15, clientHeight, 0, PenWhite, PenWhite);
        drawing.DrawFillRectangle(189, 50, 30, 15, 0, PenGreen, PenGreen);
        drawing.DrawFillRectangle(219, 50, 30, 15, 0, PenWhite, PenWhite);
        drawing.DrawFillRectangle(249, 50, 30, 15, 0, PenRed, PenRed);
    }
    Form::OnPaint();
}

void FormMain::OnShow()
{
    Form::OnShow();
}
