// The C++ virtual call that a resolved method call is measured against: an object behind an opaque
// factory in another translation unit, with a tiny virtual function that reads one field.
#ifndef BENCH_VIRTUAL_SHAPE_H
#define BENCH_VIRTUAL_SHAPE_H

#include <cstdint>
#include <memory>

class Shape {
public:
    virtual ~Shape() = default;
    virtual int32_t GetDomain() const = 0;
    virtual int32_t Seven() const = 0;
};

// Defined out of line and not inlined, so the caller sees neither the type nor the function.
[[gnu::noinline]] std::unique_ptr<Shape> MakeShape(int32_t domain);

// The same shape written the way a class's method must be: its GetDomain first asks a data
// procedure, read from a global record at the moment of the call, for the address of its fields.
// Against a resolved method call this measures dispatch alone, with equal bodies.
[[gnu::noinline]] std::unique_ptr<Shape> MakeShapeWithDataProcedure(int32_t domain);

#endif // BENCH_VIRTUAL_SHAPE_H
