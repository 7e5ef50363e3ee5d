// A call through method resolution (read the token, ResolveMethod, call the procedure) against a
// C++ virtual call of an equally small function.
#include "bench/virtual_shape.h"
#include "host/tooltray_bindings.h"
#include "runtime/som_class_declaration.h"

#include <benchmark/benchmark.h>

namespace {

// ---- A tiny class built with ClassDeclaration: one method that reads one field of its instance data --

struct TinyData {
    int32_t value;
};

struct TinyClassData {
    SOMClass* classObject;
    somMToken GetValue;
    somMToken Seven;
} g_tinyClassData;
somCClassDataStructure g_tinyCClassData;

using somTD_Tiny_GetValue = int32_t(SOMLINK*)(SOMObject*, Environment*);

[[gnu::noinline]] int32_t SOMLINK TinyGetValue(SOMObject* self, Environment*)
{
    return static_cast<TinyData*>(g_tinyCClassData.instanceDataToken(self))->value;
}

// A body with no data access at all, to compare dispatch alone with Shape::Seven.
[[gnu::noinline]] int32_t SOMLINK TinySeven(SOMObject*, Environment*) { return 7; }

void SOMLINK TinyInit(SOMObject* self)
{
    static_cast<TinyData*>(g_tinyCClassData.instanceDataToken(self))->value = 7;
}

SOMClass* TinyClass()
{
    static const ClassDeclaration declaration(
        "BenchTiny", "SOMObject", sizeof(TinyData), &g_tinyClassData, &g_tinyCClassData,
        {{"GetValue", somProc(&TinyGetValue), 8}, {"Seven", somProc(&TinySeven), 8}},
        {{"SOMObject::somInit", somProc(&TinyInit)}});
    static SOMClass* const cls =
        BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), 1, 0);
    return cls;
}

// ---- Benchmarks ---------------------------------------------------------------------------------

void BM_VirtualCall(benchmark::State& state)
{
    std::unique_ptr<Shape> owner = MakeShape(7);
    const Shape* shape = owner.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            shape); // reloaded each time, as the resolved call reloads its object
        benchmark::DoNotOptimize(shape->GetDomain());
    }
}
BENCHMARK(BM_VirtualCall);

// The token is read from the class data record through a pointer the caller keeps, as the host
// bindings do, then resolved and called.
void BM_ResolveMethodCall(benchmark::State& state)
{
    SOMObject* object = NewObject(TinyClass());
    if (!object) {
        state.SkipWithError(GetLastBuildError());
        return;
    }
    Environment* ev = GetGlobalEnvironment();
    const TinyClassData* classData = &g_tinyClassData;
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        benchmark::DoNotOptimize(classData);
        auto proc =
            reinterpret_cast<somTD_Tiny_GetValue>(ResolveMethod(object, classData->GetValue));
        benchmark::DoNotOptimize(proc(object, ev));
    }
    FreeObject(object);
}
BENCHMARK(BM_ResolveMethodCall);

// The same through a palette: ToolTray's GetDomain, called as a host calls it.
void BM_ResolveMethodCall_PaletteGetDomain(benchmark::State& state)
{
    ToolTrayNewClass(1, 0);
    SOMObject* object = NewObject(resolve_ToolTrayClassData()->classObject);
    Environment* ev = GetGlobalEnvironment();
    const ToolTrayClassDataStructure* classData = resolve_ToolTrayClassData();
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        benchmark::DoNotOptimize(classData);
        auto proc =
            reinterpret_cast<somTD_ToolTray_GetDomain>(ResolveMethod(object, classData->GetDomain));
        benchmark::DoNotOptimize(proc(object, ev));
    }
    FreeObject(object);
}
BENCHMARK(BM_ResolveMethodCall_PaletteGetDomain);

// GetDomain through the host kit: the procedure resolved once for the palette's class, then one
// load of the table and one of the procedure per call, as a virtual call loads its vtable and slot.
void BM_KitCall_PaletteGetDomain(benchmark::State& state)
{
    ToolTrayNewClass(1, 0);
    SOMObject* object = NewObject(resolve_ToolTrayClassData()->classObject);
    const Palette palette(object, GetGlobalEnvironment());
    const Palette* view = &palette;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            view); // reloaded each time, as the virtual call reloads its object
        benchmark::DoNotOptimize(view->GetDomain());
    }
    FreeObject(object);
}
BENCHMARK(BM_KitCall_PaletteGetDomain);

// A virtual call whose body is written as a class's method must be: it finds its fields through a
// data procedure first. Beside BM_KitCall_PaletteGetDomain this is the kit's dispatch against a
// virtual call with the same work in the body; beside BM_VirtualCall it is what that work costs.
void BM_VirtualCall_DataProcedureBody(benchmark::State& state)
{
    std::unique_ptr<Shape> owner = MakeShapeWithDataProcedure(7);
    const Shape* shape = owner.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(shape);
        benchmark::DoNotOptimize(shape->GetDomain());
    }
}
BENCHMARK(BM_VirtualCall_DataProcedureBody);

// Dispatch alone: both bodies return a constant, so what differs is resolve-and-call against
// load-the-vtable-and-call. (The calls above also differ in their bodies: a method finds its
// instance data through the class's data procedure, one more indirect call.)
void BM_VirtualCall_ConstantBody(benchmark::State& state)
{
    std::unique_ptr<Shape> owner = MakeShape(7);
    const Shape* shape = owner.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(shape);
        benchmark::DoNotOptimize(shape->Seven());
    }
}
BENCHMARK(BM_VirtualCall_ConstantBody);

void BM_ResolveMethodCall_ConstantBody(benchmark::State& state)
{
    SOMObject* object = NewObject(TinyClass());
    Environment* ev = GetGlobalEnvironment();
    const TinyClassData* classData = &g_tinyClassData;
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        benchmark::DoNotOptimize(classData);
        auto proc = reinterpret_cast<somTD_Tiny_GetValue>(ResolveMethod(object, classData->Seven));
        benchmark::DoNotOptimize(proc(object, ev));
    }
    FreeObject(object);
}
BENCHMARK(BM_ResolveMethodCall_ConstantBody);

// The parts: resolution alone, and the resolved procedure alone.
void BM_ResolveMethodOnly(benchmark::State& state)
{
    SOMObject* object = NewObject(TinyClass());
    const TinyClassData* classData = &g_tinyClassData;
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        benchmark::DoNotOptimize(ResolveMethod(object, classData->GetValue));
    }
    FreeObject(object);
}
BENCHMARK(BM_ResolveMethodOnly);

void BM_ResolvedProcedureOnly(benchmark::State& state)
{
    SOMObject* object = NewObject(TinyClass());
    Environment* ev = GetGlobalEnvironment();
    auto proc =
        reinterpret_cast<somTD_Tiny_GetValue>(ResolveMethod(object, g_tinyClassData.GetValue));
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        benchmark::DoNotOptimize(proc);
        benchmark::DoNotOptimize(proc(object, ev));
    }
    FreeObject(object);
}
BENCHMARK(BM_ResolvedProcedureOnly);

} // namespace
