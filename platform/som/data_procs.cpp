// Instance-data procedures. A class's auxiliary record hands out a procedure that, given an object,
// returns the address of that class's instance data. C has no closures, so the runtime carries a
// pool of compiled procedures, one per class it can hold, each reading the offset its class was
// given when it was built: pointer plus offset.
#include "platform/som/som_private.h"

#include <array>
#include <utility>

namespace {

uint32_t g_offsets[som::kMaxClasses];

template <uint32_t N>
void* SOMLINK DataAt(SOMObject* object)
{
    return reinterpret_cast<char*>(object) + g_offsets[N];
}

template <uint32_t... N>
constexpr std::array<somDataProc, sizeof...(N)> MakePool(std::integer_sequence<uint32_t, N...>)
{
    return {&DataAt<N>...};
}

constexpr auto kPool = MakePool(std::make_integer_sequence<uint32_t, som::kMaxClasses>{});

} // namespace

namespace som {

somDataProc DataProc(uint32_t index, uint32_t offset)
{
    g_offsets[index] = offset;
    return kPool[index];
}

} // namespace som
