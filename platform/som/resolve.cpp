// Method resolution: one index by the token into the object's own table, so an override written
// over the slot by a subclass wins, and nothing walks the chain.
#include "platform/som/som_private.h"

#ifdef TOOLTRAY_TEST_HOOKS
#  include "platform/som/som_testing.h"

#  include <atomic>
#endif

namespace {

#ifdef TOOLTRAY_TEST_HOOKS
std::atomic<int64_t> g_parentResolutions{0};
#endif

inline somMethodProc Lookup(const somMethodTable* table, somMToken token)
{
    const uint32_t i = token->index;
    // A token from an unrelated class either lies past this table or names another slot's token.
    // Slots never hold a null procedure: BuildClass refuses one.
    if (i < table->count && table->slots[i].token == token) [[likely]]
        return table->slots[i].procedure;
    return nullptr;
}

[[gnu::cold, gnu::noinline]] somMethodProc Unresolved(const char* call, const char* why)
{
    som::RaiseSystemException(call, why);
    return nullptr;
}

} // namespace

extern "C" {

somMethodProc ResolveMethod(const SOMObject* object, somMToken token) noexcept
{
    if (object && token) [[likely]]
        if (somMethodProc p = Lookup(object->mtab, token)) [[likely]]
            return p;
    return Unresolved("ResolveMethod", !object  ? "the object is null"
                                       : !token ? "the method token is null"
                                                : "the object's class has no such method");
}

somMethodProc ResolveParentMethod(somMethodTabs parentTables, int32_t parentNumber,
                                  somMToken token) noexcept
{
#ifdef TOOLTRAY_TEST_HOOKS
    g_parentResolutions.fetch_add(1, std::memory_order_relaxed);
#endif
    if (!parentTables || !token)
        return Unresolved("ResolveParentMethod", "null parent tables or token");
    if (parentNumber < 1 || parentNumber > parentTables->count)
        return Unresolved("ResolveParentMethod", "no parent has that number");
    if (somMethodProc p = Lookup(parentTables->tables[parentNumber - 1], token))
        return p;
    return Unresolved("ResolveParentMethod", "the parent has no such method");
}

#ifdef TOOLTRAY_TEST_HOOKS
int64_t ResolveParentMethodCalls(void) noexcept
{
    return g_parentResolutions.load(std::memory_order_relaxed);
}
#endif

const char* MethodName(somMToken token) noexcept
{
    return token ? token->qualifiedName.c_str() : nullptr;
}

} // extern "C"
