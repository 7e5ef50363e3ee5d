// Walking a list of tools: the typed view of a link, the walks in either direction, and finding
// the first tool that matches. Every loop over a palette's tools goes through these.
#ifndef TOOLS_TOOL_WALK_H
#define TOOLS_TOOL_WALK_H

#include "tools/tool_info.h"
#include "tools/tool_list.h"

// The tool a link holds; null for the sentinel, which is how every walk knows it is done.
inline ToolInfo* ToolOf(const ToolListNode* link) { return static_cast<ToolInfo*>(link->value); }

// Front to back, newest first. f must not remove the tool it is given or any other.
template <typename F>
inline void ForEachTool(ToolList* list, F&& f)
{
    for (ToolListNode* n = list->First(); ToolOf(n); n = n->next)
        f(ToolOf(n));
}

// Back to front, oldest first; the same restriction.
template <typename F>
inline void ForEachToolOldestFirst(ToolList* list, F&& f)
{
    for (ToolListNode* n = list->Last(); ToolOf(n); n = n->prev)
        f(ToolOf(n));
}

// The link of the first tool from the front for which match is true; the sentinel (whose ToolOf
// is null) when none is.
template <typename Match>
inline ToolListNode* FindToolLink(ToolList* list, Match&& match)
{
    ToolListNode* n = list->First();
    while (ToolOf(n) && !match(ToolOf(n)))
        n = n->next;
    return n;
}

// The first tool from the front for which match is true, or null.
template <typename Match>
inline ToolInfo* FindTool(ToolList* list, Match&& match)
{
    return ToolOf(FindToolLink(list, match));
}

#endif // TOOLS_TOOL_WALK_H
