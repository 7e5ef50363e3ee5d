#include "tools/tool_list.h"

#include "runtime/som.h"

ToolListNode::ToolListNode(void* v, ToolListNode* after) noexcept
    : prev(after), next(after->next), value(v)
{
    after->next = this;
    next->prev = this;
}

ToolListNode::~ToolListNode()
{
    if (prev)
        prev->next = next;
    if (next)
        next->prev = prev;
}

void* ToolListNode::operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return SOMMalloc(size);
}

void ToolListNode::operator delete(void* block) noexcept { SOMFree(block); }
void ToolListNode::operator delete(void* block, const std::nothrow_t&) noexcept { SOMFree(block); }

ToolList::~ToolList()
{
    while (next != this)
        delete next;
}

bool ToolList::Add(void* value) { return new (std::nothrow) ToolListNode(value, this) != nullptr; }

bool ToolList::Remove(void* value)
{
    for (ToolListNode* n = next; n->value; n = n->next)
        if (n->value == value) {
            delete n;
            return true;
        }
    return false;
}
