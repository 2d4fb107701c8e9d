// SPDX-License-Identifier: MIT
// exec lists: the header is its own head and tail node, so that inserting and removing never
// needs a special case.
#include "platform/exec/Exec.h"

#include <cstring>

namespace amiga {

namespace {

Node* HeadNode(List* list) { return reinterpret_cast<Node*>(&list->lh_Head); }
Node* TailNode(List* list) { return reinterpret_cast<Node*>(&list->lh_Tail); }

} // namespace

void NewList(List* list)
{
    list->lh_Head = TailNode(list);
    list->lh_Tail = nullptr;
    list->lh_TailPred = HeadNode(list);
}

void NewMinList(MinList* list)
{
    list->mlh_Head = reinterpret_cast<MinNode*>(&list->mlh_Tail);
    list->mlh_Tail = nullptr;
    list->mlh_TailPred = reinterpret_cast<MinNode*>(&list->mlh_Head);
}

void AddHead(List* list, Node* node)
{
    Insert(list, node, nullptr);
}

void AddTail(List* list, Node* node)
{
    Node* last = list->lh_TailPred;
    node->ln_Succ = TailNode(list);
    node->ln_Pred = last;
    last->ln_Succ = node;
    list->lh_TailPred = node;
}

Node* RemHead(List* list)
{
    Node* first = list->lh_Head;
    if (first->ln_Succ == nullptr) {
        return nullptr;
    }
    Remove(first);
    return first;
}

Node* RemTail(List* list)
{
    Node* last = list->lh_TailPred;
    if (last->ln_Pred == nullptr) {
        return nullptr;
    }
    Remove(last);
    return last;
}

void Remove(Node* node)
{
    node->ln_Pred->ln_Succ = node->ln_Succ;
    node->ln_Succ->ln_Pred = node->ln_Pred;
    node->ln_Succ = nullptr;
    node->ln_Pred = nullptr;
}

void Insert(List* list, Node* node, Node* pred)
{
    if (pred == nullptr) {
        pred = HeadNode(list);
    }
    Node* next = pred->ln_Succ;
    node->ln_Succ = next;
    node->ln_Pred = pred;
    next->ln_Pred = node;
    pred->ln_Succ = node;
}

void Enqueue(List* list, Node* node)
{
    Node* next = list->lh_Head;
    while (next->ln_Succ != nullptr && next->ln_Pri >= node->ln_Pri) {
        next = next->ln_Succ;
    }
    Insert(list, node, next->ln_Pred);
}

Node* FindName(List* list, CONST_STRPTR name)
{
    if (name == nullptr) {
        return nullptr;
    }
    for (Node* node = list->lh_Head; node->ln_Succ != nullptr; node = node->ln_Succ) {
        if (node->ln_Name != nullptr && std::strcmp(node->ln_Name, name) == 0) {
            return node;
        }
    }
    return nullptr;
}

} // namespace amiga
