// ToolList: the ordered container of a palette's tools, a circular doubly linked list whose
// sentinel is the list object itself. It owns its links, never the values they hold.
#ifndef TOOLS_TOOL_LIST_H
#define TOOLS_TOOL_LIST_H

#include <cstddef>
#include <new>

struct ToolListNode {
    ToolListNode* prev;
    ToolListNode* next;
    void* value; // null only in the sentinel

    ToolListNode() noexcept : prev(this), next(this), value(nullptr) {} // detached, self-linked
    ToolListNode(void* v, ToolListNode* after) noexcept; // spliced in directly after `after`
    ~ToolListNode();                                     // unlinks; leaves its own pointers
    ToolListNode(const ToolListNode&) = delete;
    ToolListNode& operator=(const ToolListNode&) = delete;

    // Links and lists live in the object runtime's allocator; null when memory is short.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* block) noexcept;
    static void operator delete(void* block, const std::nothrow_t&) noexcept;
};

struct ToolList : ToolListNode {
    ToolList() noexcept = default;
    ~ToolList(); // frees every link; the values stay

    // Inserts value at the front (so the front holds the newest). False, and nothing added, when
    // the link cannot be allocated.
    [[nodiscard]] bool Add(void* value);
    // Unlinks and frees the first link from the front holding value. False when none does.
    bool Remove(void* value);

    ToolListNode* First() { return next; } // the sentinel itself when empty
    ToolListNode* Last() { return prev; }
};

#endif // TOOLS_TOOL_LIST_H
