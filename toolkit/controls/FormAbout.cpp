// SPDX-License-Identifier: MIT
// FormAbout: layout from the logo's width, the clickable addresses and closing.
#include "toolkit/controls/FormAbout.h"

#include "services/Enviroment.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/MyImage.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/core/Application.h"

#include <utility>

namespace {

constexpr int KeyReturn = 13;
constexpr int KeyEscape = 27;
constexpr int KeyDelete = 127;
constexpr long TitlePen = 2;
constexpr long LinkPen = 4;

} // namespace

FormAbout::FormAbout(Form* ownerForm) : Form(0, true), owner(ownerForm)
{
    SetText("Info...");
    SetSize(600, 210);
    CenterForm();
    SetDialogTopMost(false);
    SetModalDialog(true);
    SetBoxMaximize(false);
    SetBoxMinimize(false);
    SetOnCreateChildren(CreateChildren);
    SetOnClosing(Closing);
    SetOnKeyPress(KeyPress);
    SetOnKeyDOWN(KeyDown);
    SetOnKeyUP(KeyUp);
    if (owner != nullptr) {
        owner->SetEnabled(false);
        owner->SetCursorWait(true);
    }
}

FormAbout::~FormAbout()
{
    if (IsLoad())
        evClosing();
    // The logo lives in the panel: it goes first.
    delete logoControl;
    delete frame;
    delete name;
    delete legal;
    delete site;
    delete mail;
    delete note;
    delete okButton;
}

void FormAbout::SetImageLogo(amiga::Image* image, int imageWidth, int imageHeight)
{
    logo = image;
    logoWidth = imageWidth;
    logoHeight = imageHeight;
}

void FormAbout::SetProgramNameEx(std::string value)
{
    programName = std::move(value);
}
void FormAbout::SetLegalInformation(std::string value)
{
    legalInformation = std::move(value);
}
void FormAbout::SetNote(std::string value)
{
    noteText = std::move(value);
}
void FormAbout::SetUrlSite(std::string value)
{
    siteAddress = std::move(value);
}

std::string FormAbout::MailAddress(const std::string& siteAddressText)
{
    // A site no longer than its prefix names no domain: no address rather than a bare "info@".
    if (siteAddressText.size() <= SitePrefixLength)
        return "";
    return std::string(MailBox) + "@" + siteAddressText.substr(SitePrefixLength);
}

FormAbout* FormAbout::DialogOf(GUIElement* element)
{
    return dynamic_cast<FormAbout*>(Application::GetForm(element));
}

void FormAbout::evCreateChildren()
{
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    const int x0 = logoWidth + 45;
    const int tw = cw - x0 - 10;

    auto place = [](GUIElement* element, int left, int top, int w, int h) {
        element->SetLocation(left, top);
        element->SetSize(w, h);
    };
    auto textCell = [&](const std::string& value, int left, int top, int w, int h) {
        auto* cell = new CellControl(this);
        place(cell, left, top, w, h);
        cell->SetText(value);
        cell->SetAlign(KesaAlignLeft);
        return cell;
    };

    frame = new PanelChildren(this);
    place(frame, 10, 23, logoWidth + 20, ch - 53);
    frame->SetBorder(1);
    frame->Show();

    logoControl = new MyImage(frame, logo);
    place(logoControl, 5, 5, logoWidth, logoHeight);
    logoControl->Show();

    name = textCell(programName, x0, 27, tw, 25);
    name->SetColor(TitlePen);
    name->Show();

    legal = textCell(legalInformation, x0, 48, tw, 25);
    // The legal cell reaches down over the top rows of the two links and comes first in the
    // hit test: it passes clicks there on to them.
    legal->SetOnLeftMouseDOWN(LeftMouseDOWN);
    legal->Show();

    site = textCell(siteAddress, x0, 68, 200, 12);
    site->SetColor(LinkPen);
    site->SetCursorHand(true);
    site->SetOnLeftMouseDOWN(LeftMouseDOWN);
    site->Show();

    mail = textCell(MailAddress(siteAddress), logoWidth + 255, 68, 150, 12);
    mail->SetColor(LinkPen);
    mail->SetCursorHand(true);
    mail->SetOnLeftMouseDOWN(LeftMouseDOWN);
    mail->Show();

    note = textCell(noteText, x0, 95, tw, ch - 125);
    note->SetBorder(1);
    note->Show();

    okButton = new ButtonCustom(this, "OK");
    place(okButton, x0 + tw / 2 - 40, ch - 17, 80, 18);
    okButton->SetCommand(OnExecCommand);
    okButton->Show();
}

bool FormAbout::evClosing()
{
    UnregisterHotKeyForm();
    if (owner != nullptr && !ownerReleased) {
        owner->SetEnabled(true);
        owner->SetCursorWait(false);
    }
    ownerReleased = true;
    // The event loop closes a dialog only on its own request; the close gadget asks the same
    // way as OK, so the dialog never stays up with its owner already usable again.
    closeRequested = 1;
    return true;
}

void FormAbout::evResize() {}

bool FormAbout::evKeyPress(int key)
{
    if (key == KeyReturn || key == KeyEscape || key == KeyDelete) {
        evCommand(okButton);
        return false;
    }
    return true;
}

void FormAbout::evKeyDown(int) {}

void FormAbout::evKeyUp(int) {}

void FormAbout::evCommand(GUIElement* element)
{
    if (element != nullptr && okButton != nullptr && element->GetID() == okButton->GetID())
        closeRequested = 1;
}

void FormAbout::evLeftMouseDOWN(GUIElement* element, tagPOINT p)
{
    if (element == nullptr)
        return;
    if (legal != nullptr && element->GetID() == legal->GetID()) {
        if (site != nullptr && site->Hit(p))
            element = site;
        else if (mail != nullptr && mail->Hit(p))
            element = mail;
        else
            return;
    }
    if (site != nullptr && element->GetID() == site->GetID()) {
        Enviroment::Shell(siteAddress);
    } else if (mail != nullptr && element->GetID() == mail->GetID()) {
        // An empty cell names no address to write to.
        if (!mail->GetText().empty())
            Enviroment::Shell("mailto:" + mail->GetText());
    }
}

void FormAbout::CreateChildren(GUIElement* element, unsigned long)
{
    if (FormAbout* dialog = DialogOf(element))
        dialog->evCreateChildren();
}

bool FormAbout::Closing(GUIElement* element)
{
    FormAbout* dialog = DialogOf(element);
    return dialog != nullptr ? dialog->evClosing() : true;
}

bool FormAbout::KeyPress(GUIElement* element, int key)
{
    FormAbout* dialog = DialogOf(element);
    return dialog != nullptr ? dialog->evKeyPress(key) : true;
}

void FormAbout::KeyDown(GUIElement* element, int key)
{
    if (FormAbout* dialog = DialogOf(element))
        dialog->evKeyDown(key);
}

void FormAbout::KeyUp(GUIElement* element, int key)
{
    if (FormAbout* dialog = DialogOf(element))
        dialog->evKeyUp(key);
}

void FormAbout::LeftMouseDOWN(GUIElement* element, unsigned long, tagPOINT p)
{
    if (FormAbout* dialog = DialogOf(element))
        dialog->evLeftMouseDOWN(element, p);
}

void FormAbout::OnExecCommand(GUIElement* element)
{
    if (FormAbout* dialog = DialogOf(element))
        dialog->evCommand(element);
}
