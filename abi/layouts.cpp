// Anchors for scripts/abi-check.sh: layouts the interface fixes that no export of the libraries
// reaches (hosts hold tool records through pointers, and the instance data is found through its
// offset), made reachable from an exported function here so that abidiff compares them member
// by member. Built only for the check, never shipped. Each returns its own size so that no two
// are folded into one.
#include "tools/tool_info.h"
#include "tooltray/tooltray_private.h"

#define ABI_ANCHOR extern "C" __attribute__((visibility("default")))

ABI_ANCHOR size_t ToolTrayDataLayout(const ToolTrayData*) { return sizeof(ToolTrayData); }
ABI_ANCHOR size_t ToolInfoLayout(const ToolInfo*) { return sizeof(ToolInfo); }
