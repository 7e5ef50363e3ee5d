// The framework's plain geometry: points, rectangles and tool-space rectangles in 16.16 fixed
// point. Field order and widths are part of the exported interface.
//
// The members declared without KX_FRAMEWORK_MEMBER are defined and exported by the class library;
// the five marked ones are the framework runtime's. Code of the palette itself reads and writes the
// fields directly and calls only the framework's five.
#ifndef TOOLTRAY_GEOMETRY_KX_GEOMETRY_H
#define TOOLTRAY_GEOMETRY_KX_GEOMETRY_H

#include "fixed_point.h"

#include <stddef.h>

#if defined(_WIN32)
#  define KX_GEOMETRY_TYPE
#  if defined(KXCORE_BUILDING)
#    define KX_FRAMEWORK_MEMBER __declspec(dllexport)
#  else
#    define KX_FRAMEWORK_MEMBER __declspec(dllimport)
#  endif
#else
#  define KX_GEOMETRY_TYPE __attribute__((visibility("default")))
#  define KX_FRAMEWORK_MEMBER
#endif

struct tagRECT; // the Windows RECT

struct KX_GEOMETRY_TYPE KxPoint {
    KxFixed x;
    KxFixed y;

    KxPoint(); // sets no field
    KxPoint(KxFixed x, KxFixed y);
    KxPoint(const KxPoint&) = default;
    KxPoint& operator=(const KxPoint&) = default;
    void Set(KxFixed x, KxFixed y);
    void Clear();
};

struct KX_GEOMETRY_TYPE KxRect {
    KxFixed left;
    KxFixed top;
    KxFixed right;
    KxFixed bottom;

    KxRect(); // sets no field
    KxRect(KxFixed left, KxFixed top, KxFixed right, KxFixed bottom);
    KxRect(const KxRect&) = default;
    KxRect& operator=(const KxRect& other);

    // The corners as points inside the rectangle: writes through them move its edges.
    KxPoint& TopLeft();
    const KxPoint& TopLeft() const;
    KxPoint& BotRight();
    const KxPoint& BotRight() const;

    KxFixed Width() const;                         // right - left, wrapping in 32 bits
    KxFixed Height() const;                        // bottom - top, wrapping in 32 bits
    uint8_t operator!=(const KxRect& other) const; // exactly 0 or 1

    // The framework's out-of-line operations.
    KX_FRAMEWORK_MEMBER void Set(KxFixed left, KxFixed top, KxFixed right, KxFixed bottom);
    KX_FRAMEWORK_MEMBER uint8_t IsEmpty() const;
    KX_FRAMEWORK_MEMBER void AsWinRect(tagRECT& out) const;
    KX_FRAMEWORK_MEMBER uint8_t Contains(const KxPoint& point) const;
    KX_FRAMEWORK_MEMBER uint8_t operator==(const KxRect& other) const;
};

struct KX_GEOMETRY_TYPE KxToolSpaceRect {
    int32_t values[4]; // the framework's; this library gives them no meaning
    KxRect rect;

    KxToolSpaceRect(); // sets no field, not even those of rect
    KxToolSpaceRect(int32_t v1, int32_t v2, int32_t v3, int32_t v4, KxRect* rect);
    KxToolSpaceRect(const KxToolSpaceRect&) = default;
    KxToolSpaceRect& operator=(const KxToolSpaceRect& other);
};

static_assert(sizeof(KxPoint) == 8 && sizeof(KxRect) == 16 && sizeof(KxToolSpaceRect) == 32);
static_assert(offsetof(KxRect, right) == sizeof(KxPoint), "BotRight is the second point");

#endif // TOOLTRAY_GEOMETRY_KX_GEOMETRY_H
