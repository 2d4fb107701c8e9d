// SPDX-License-Identifier: MIT
// exec lists: the header is its own head and tail node, so that inserting and removing never
// needs a special case.
#include "platform/exec/Exec.h"

namespace amiga {

namespace {

Node* HeadNode(List* list)
{
    return reinterpret_cast<Node*>(&list->lh_Head);
}
Node* TailNode(List* list)
{
    return reinterpret_cast<Node*>(&list->lh_Tail);
}

} // namespace

void NewList(List* list)
{
    list->lh_Head = TailNode(list);
    list->lh_Tail = nullptr;
    list->lh_TailPred = HeadNode(list);
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

void Remove(Node* node)
{
    node->ln_Pred->ln_Succ = node->ln_Succ;
    node->ln_Succ->ln_Pred = node->ln_Pred;
    node->ln_Succ = nullptr;
    node->ln_Pred = nullptr;
}

} // namespace amiga
