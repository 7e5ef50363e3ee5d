#include "bench/virtual_shape.h"

namespace {

class DomainShape final : public Shape {
public:
    explicit DomainShape(int32_t domain) : domain_(domain) {}
    [[gnu::noinline]] int32_t GetDomain() const override { return domain_; }
    [[gnu::noinline]] int32_t Seven() const override { return 7; }

private:
    int32_t domain_;
};

} // namespace

std::unique_ptr<Shape> MakeShape(int32_t domain) { return std::make_unique<DomainShape>(domain); }
