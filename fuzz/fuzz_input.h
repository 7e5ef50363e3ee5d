// An input of the fuzzers read as a stream of small decisions. Past its end every read answers
// zero, so any byte string decodes to a finite, valid sequence of calls.
#ifndef FUZZ_FUZZ_INPUT_H
#define FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t U16() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    uint32_t U32() { return static_cast<uint32_t>(U16()) | static_cast<uint32_t>(U16()) << 16; }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    // A value in [lo, hi] from one byte (two when the range needs them).
    int Range(int lo, int hi)
    {
        const auto span = static_cast<uint32_t>(hi - lo) + 1;
        const uint32_t raw = span > 256 ? U16() : Byte();
        return lo + static_cast<int>(raw % span);
    }
    bool Chance(int percent) { return Range(0, 99) < percent; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Range(0, static_cast<int>(N) - 1)];
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

#endif // FUZZ_FUZZ_INPUT_H
