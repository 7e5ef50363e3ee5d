#include "bench/virtual_shape.h"

// Like the runtime's data procedures: the object plus an offset kept beside the procedure. The
// record has external linkage, as the class data record has, so the call is not folded into a
// direct one.
struct ShapeDataRecord {
    void* (*dataProc)(const void* self);
};
extern ShapeDataRecord g_shapeDataRecord;

namespace {

uint32_t g_fieldsOffset = 0;

[[gnu::noinline]] void* FieldsOf(const void* self)
{
    return const_cast<char*>(static_cast<const char*>(self)) + g_fieldsOffset;
}

} // namespace

ShapeDataRecord g_shapeDataRecord{&FieldsOf};

namespace {

class DomainShape final : public Shape {
public:
    explicit DomainShape(int32_t domain) : domain_(domain) {}
    [[gnu::noinline]] int32_t GetDomain() const override { return domain_; }
    [[gnu::noinline]] int32_t Seven() const override { return 7; }

private:
    int32_t domain_;
};

class DataProcedureShape final : public Shape {
public:
    explicit DataProcedureShape(int32_t domain) : fields_{domain}
    {
        g_fieldsOffset = static_cast<uint32_t>(reinterpret_cast<const char*>(&fields_) -
                                               reinterpret_cast<const char*>(this));
    }
    [[gnu::noinline]] int32_t GetDomain() const override
    {
        return static_cast<const Fields*>(g_shapeDataRecord.dataProc(this))->domain;
    }
    [[gnu::noinline]] int32_t Seven() const override { return 7; }

private:
    struct Fields {
        int32_t domain;
    } fields_;
};

} // namespace

std::unique_ptr<Shape> MakeShapeWithDataProcedure(int32_t domain)
{
    return std::make_unique<DataProcedureShape>(domain);
}

std::unique_ptr<Shape> MakeShape(int32_t domain) { return std::make_unique<DomainShape>(domain); }
