// SPDX-License-Identifier: MIT
// The game's main window: the flow of play, its handlers and the callbacks that reach them.
#include "game/FormMain.h"

#include "game/Maker.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/MsgBox.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/Timer.h"
#include "toolkit/data/BuiltinImages.h"

#include <cstdlib>

FormMain* FormMain::GetForm(GUIElement* element)
{
    if (element != nullptr && element->GetKesaClassName() == "form")
        return dynamic_cast<FormMain*>(element);
    GUIElement* walk = element != nullptr ? Child::ParentOf(element) : firstForm;
    while (walk != nullptr) {
        if (walk->GetKesaClassName() == "form")
            return dynamic_cast<FormMain*>(walk);
        walk = Child::ParentOf(walk);
    }
    return firstForm;
}

// The callbacks. Those leading to handlers the window leaves empty do not call them.

void FormMain::CreateChildren(GUIElement* element, unsigned long)
{
    if (FormMain* form = GetForm(element))
        form->evCreateChildren();
}

bool FormMain::Closing(GUIElement* element)
{
    FormMain* form = GetForm(element);
    return form == nullptr || form->evClosing();
}

void FormMain::Resizing(GUIElement*) {}

bool FormMain::KeyPress(GUIElement*, int)
{
    return true;
}

void FormMain::KeyDown(GUIElement*, int) {}

void FormMain::KeyUp(GUIElement*, int) {}

void FormMain::LeftMouseUP(GUIElement*, unsigned long, tagPOINT) {}

void FormMain::LeftMouseDOWN(GUIElement* element, unsigned long, tagPOINT)
{
    // On the window itself the handler is empty; on a selector it is the click.
    if (element == nullptr || element->GetKesaClassName() == "form")
        return;
    if (FormMain* form = GetForm(element))
        form->evLeftMouseDOWN(dynamic_cast<Child*>(element));
}

void FormMain::OnExecCommand(GUIElement* element)
{
    if (FormMain* form = GetForm(element))
        form->evCommand(element);
}

void FormMain::MenuClick(GUIElement* element)
{
    if (FormMain* form = GetForm(element))
        form->evMenuClick(dynamic_cast<SubMenu*>(element));
}

void FormMain::OnTimer(GUIElement*) {}
void FormMain::OnChangeValue(GUIElement*, int) {}
void FormMain::OnFocus(GUIElement*) {}
void FormMain::Leave(GUIElement*) {}
void FormMain::HotKey(GUIElement*, unsigned, unsigned) {}

// The handlers.

void FormMain::evResize() {}
void FormMain::evTimer() {}

bool FormMain::evKeyPress(int)
{
    return true;
}

bool FormMain::evTextKeyPress(GUIElement*, int key)
{
    return key != 9 && key != 13;
}

void FormMain::evKeyDown(int) {}
void FormMain::evKeyUp(int) {}
void FormMain::evHotKey(unsigned, unsigned) {}
void FormMain::evLeftMouseUP(tagPOINT) {}
void FormMain::evLeftMouseDOWN(tagPOINT) {}
void FormMain::evLeave(GUIElement*) {}
void FormMain::evOnFocus(GUIElement*) {}
void FormMain::evChangeValue(GUIElement*, int) {}

void FormMain::evLeftMouseDOWN(Child* element)
{
    if (element == nullptr || stato != 0)
        return;
    for (int k = 0; k < 4; ++k) {
        if (selettori[k] == nullptr || selettori[k]->GetID() != element->GetID())
            continue;
        const std::string& colour = selettori[k]->Tag;
        int next = colour.empty() ? 1 : std::atoi(colour.c_str()) + 1;
        if (next > 7)
            next = 0;
        colori[k] = next;
        SetSfondo(selettori[k], next);
        ScriviDati();
        return;
    }
}

void FormMain::evCommand(GUIElement* element)
{
    if (element == nullptr)
        return;
    const unsigned int clicked = element->GetID();
    if (btnExit != nullptr && clicked == btnExit->GetID()) {
        evMenuClick(mnuExit);
    } else if (btnOk != nullptr && clicked == btnOk->GetID()) {
        if (stato == 1 || stato == 2) {
            NewGame();
            ScriviDati();
            ImpostaGUI();
        } else if (stato == 0) {
            int exact = 0;
            int colourOnly = 0;
            const std::string proposal = GetProposta();
            ValutaProposta(proposal, sequenza, &exact, &colourOnly);
            proposte = AggiungiProposta(proposte, proposal, exact, colourOnly);
            if (exact == 4) {
                stato = 2;
            } else {
                for (int& colour : colori)
                    colour = 0;
            }
            ScriviDati();
            ImpostaGUI();
            if (exact == 4)
                MsgBox::ShowMessage(this, "perfect, you won!", std::string("Kesa Pegline - ") + Maker::WebAddress);
        }
    } else if (btnCancel != nullptr && clicked == btnCancel->GetID()) {
        if (MsgBox::ShowQuestion(this, "You want to leave?", "Question")) {
            for (int& colour : colori)
                colour = 0;
            stato = 1;
            ScriviDati();
            ImpostaGUI();
        }
    } else if (btnInfo != nullptr && clicked == btnInfo->GetID()) {
        ShowAbout();
    }
}

void FormMain::NewGame()
{
    proposte.clear();
    sequenza = GeneraSequenza();
    for (int& colour : colori)
        colour = 0;
    stato = 0;
}

void FormMain::ShowAbout()
{
    delete formAbout;
    formAbout = new FormAbout(this);
    formAbout->SetScreen(GetScreen());
    formAbout->SetImageLogo(LogoIFF, 164, 50);
    formAbout->SetProgramNameEx(std::string(Maker::ProgramName) + " " + Maker::Version);
    formAbout->SetLegalInformation(Maker::LegalNotice);
    formAbout->SetNote(Maker::LicenceNote);
    formAbout->SetUrlSite(Maker::WebAddress);
    formAbout->Show();
}

bool FormMain::evClosing()
{
    UnregisterHotKeyForm();
    if (MsgBox::ShowQuestion(this, "Do you really want to go exit?", "Exit")) {
        if (timer != nullptr)
            timer->Stop();
        return true;
    }
    RegisterHotKeyForm();
    return false;
}
