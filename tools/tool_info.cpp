#include "tools/tool_info.h"

#include "runtime/som.h"

ToolInfo::~ToolInfo() = default;

void* ToolInfo::operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return SOMMalloc(size);
}

void ToolInfo::operator delete(void* block) noexcept { SOMFree(block); }
void ToolInfo::operator delete(void* block, const std::nothrow_t&) noexcept { SOMFree(block); }
