// SPDX-License-Identifier: MIT
// Application: registries, lookup and the log. Scans take the entry count once and index the
// storage at every step, so a handler that constructs an element during a scan is safe.
#include "toolkit/core/Application.h"

#include "platform/gadtools/GadTools.h"
#include "services/LogFile.h"
#include "services/StringUtils.h"
#include "toolkit/core/Child.h"

#include <algorithm>

namespace {

// Removes the first occurrence; false when there is none.
bool EraseFirst(std::vector<GUIElement*>& registry, GUIElement* e)
{
    const auto found = std::find(registry.begin(), registry.end(), e);
    if (found == registry.end())
        return false;
    registry.erase(found);
    return true;
}

std::string KindOf(GUIElement* e)
{
    return e != nullptr ? e->GetKesaClassName() : std::string();
}

std::string CountOf(const std::vector<GUIElement*>& registry)
{
    return StringUtils::IntToStr(static_cast<long>(registry.size()));
}

std::string IdOf(GUIElement* e)
{
    return StringUtils::IntToStr(static_cast<long>(e != nullptr ? e->GetID() : 0u));
}

} // namespace

void Application::AddWinForm(GUIElement* e)
{
    lst.push_back(e);
}

void Application::AddWindow(GUIElement* e)
{
    if (KindOf(e) == "form")
        lstForm.push_back(e);
}

void Application::AddTimer(GUIElement* e)
{
    if (KindOf(e) == "timer")
        lstTimer.push_back(e);
}

void Application::RemoveWinForm(GUIElement* e)
{
    const std::string kind = KindOf(e);
    if (kind == "form")
        RemoveWindow(e);
    else if (kind == "timer")
        RemoveTimer(e);
    if (!EraseFirst(lst, e))
        Log(" NON TROVATO! Application::RemoveWinForm = " + kind + " size " + CountOf(lst) + " id " + IdOf(e));
}

void Application::RemoveWindow(GUIElement* e)
{
    if (!EraseFirst(lstForm, e))
        Log(" NON TROVATO! Application::RemoveWindow = " + KindOf(e) + " lx " + CountOf(lstForm) + " id " + IdOf(e));
}

void Application::RemoveTimer(GUIElement* e)
{
    // The same prefix as RemoveWindow: the log has always named both this way.
    if (!EraseFirst(lstTimer, e))
        Log(" NON TROVATO! Application::RemoveWindow = " + KindOf(e) + " lx " + CountOf(lstTimer) + " id " + IdOf(e));
}

void Application::ForgetElement(GUIElement* e)
{
    std::erase(lst, e);
    std::erase(lstForm, e);
    std::erase(lstTimer, e);
    if (GadgetSel == e)
        GadgetSel = nullptr;
    if (CustomsGadgetSel == e)
        CustomsGadgetSel = nullptr;
}

void Application::RimuoviChildren(unsigned int id)
{
    // A container not yet loaded has ID 0 like every unloaded element: what GetChildren(0)
    // finds belongs to strangers, so only loaded panels and menus are emptied.
    const auto contentsOf = [](GUIElement* container) {
        return container->GetID() != 0 ? GetChildren(container->GetID()) : std::vector<GUIElement*>{};
    };
    const std::vector<GUIElement*> children = GetChildren(id);
    for (GUIElement* c : children) {
        const std::string kind = c->GetKesaClassName();
        if (kind == "panel") {
            for (GUIElement* inner : contentsOf(c))
                RemoveWinForm(inner);
        } else if (kind == "menubar") {
            for (GUIElement* m : contentsOf(c)) {
                if (m->GetKesaClassName() == "menu") {
                    for (GUIElement* item : contentsOf(m))
                        RemoveWinForm(item);
                }
                RemoveWinForm(m);
            }
        }
        RemoveWinForm(c);
    }
}

void Application::ResetRiferimenti()
{
    GadgetSel = nullptr;
    CustomsGadgetSel = nullptr;
}

GUIElement* Application::GetElementByID(unsigned int id)
{
    const size_t count = lst.size();
    for (size_t i = 0; i < count && i < lst.size(); ++i) {
        GUIElement* e = lst[i];
        if (e != nullptr && e->GetID() == id)
            return e;
    }
    return nullptr;
}

GUIElement* Application::GetForm(GUIElement* e)
{
    for (GUIElement* current = e; current != nullptr; current = Child::ParentOf(current)) {
        if (current->GetKesaClassName() == "form")
            return current;
    }
    return nullptr;
}

std::vector<GUIElement*> Application::GetChildren(unsigned int parentId)
{
    std::vector<GUIElement*> result;
    const size_t count = lst.size();
    for (size_t i = 0; i < count && i < lst.size(); ++i) {
        GUIElement* e = lst[i];
        GUIElement* parent = Child::ParentOf(e);
        if (parent == nullptr || parent->GetID() != parentId)
            continue;
        result.push_back(e);
        // A panel not yet loaded has ID 0 like every unloaded element: searching it would
        // adopt strangers (and itself), so only loaded panels are opened.
        if (e->GetKesaClassName() == "panel" && e->GetID() != 0) {
            const std::vector<GUIElement*> contents = GetChildren(e->GetID());
            result.insert(result.end(), contents.begin(), contents.end());
        }
    }
    return result;
}

GUIElement* Application::GetChildrenHit(unsigned int parentId, tagPOINT p)
{
    const size_t count = lst.size();
    for (size_t i = 0; i < count && i < lst.size(); ++i) {
        GUIElement* e = lst[i];
        if (e == nullptr || e->IsChildren() == 0 || !e->IsLoad() || !e->IsVisible() || !e->GetEnabled())
            continue;
        GUIElement* parent = Child::ParentOf(e);
        if (parent == nullptr || parent->GetID() != parentId)
            continue;
        if (e->GetKesaClassName() != "panel") {
            if (e->Hit(p))
                return e;
            continue;
        }
        const tagPOINT origin = e->GetPosition();
        GUIElement* inner = GetChildrenHit(e->GetID(), tagPOINT{p.x - origin.x, p.y - origin.y});
        if (inner != nullptr)
            return inner;
    }
    return nullptr;
}

void Application::CancellaBuffer(const amiga::Window* w)
{
    if (w == nullptr || w->UserPort == nullptr)
        return;
    while (amiga::IntuiMessage* message = amiga::GT_GetIMsg(w->UserPort))
        amiga::GT_ReplyIMsg(message);
}

short Application::GetKeyState(short code)
{
    if (code < 0 || code > 255)
        return 0;
    return keyState[code] == 1 ? static_cast<short>(-1) : static_cast<short>(0);
}

void Application::Log(const char* message)
{
    // The writing lives in services, so that services (Sound) log the same way.
    LogFile::Write(message);
}

void Application::Log(std::string message)
{
    Log(message.c_str());
}
