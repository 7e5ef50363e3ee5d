// An independent model of a palette's tool list and layout, written from the palette's documented
// behaviour in plain integers and vectors; it shares no code with the library. Tests drive the
// real palette and this model side by side and compare them.
#ifndef TESTS_MODEL_PALETTE_H
#define TESTS_MODEL_PALETTE_H

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace model {

// Four 16.16 coordinates, or four pixel values, depending on use.
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};
std::ostream& operator<<(std::ostream& os, const Rect& r);

struct Tool {
    const void* handle = nullptr; // the real palette's record, as an opaque identity
    int32_t id = 0;
    Rect bounds; // 16.16
    uint16_t state = 0;
};

// Nearest pixel, halves upward, kept as a signed 16-bit value.
int32_t Px(int32_t fixed);
// Whole pixels to 16.16, wrapping in 32 bits.
int32_t Fixed(int32_t pixels);

class Palette {
public:
    static constexpr int32_t kDefaultToolSize = 25 * 65536;

    Rect size;                             // 16.16
    int32_t toolWidth = kDefaultToolSize;  // 16.16
    int32_t toolHeight = kDefaultToolSize; // 16.16
    std::vector<Tool> tools;               // newest first

    // Where the next tool goes, in 16.16.
    Rect NextToolBounds() const;
    // Empties every rectangle, then places the tools oldest first.
    void Arrange();
    // Adds a tool at the front (handle as the real palette returned it).
    void Add(const void* handle, int32_t id, const Rect& bounds, uint16_t state);
    // Removes the tool with this handle; false when there is none.
    bool Remove(const void* handle);
    // The newest tool with this id, or null.
    const Tool* NewestWithId(int32_t id) const;
    // The handle of the first tool front to back that strictly contains (x, y), or null.
    const void* Hit(int32_t x, int32_t y) const;
    Tool* Find(const void* handle);
};

} // namespace model

#endif // TESTS_MODEL_PALETTE_H
