// The 32-bit layouts hosts and the object runtime rely on, proved at compile time. The records were
// laid out for a 32-bit platform with 4-byte references, so only a 32-bit build can check them;
// 64-bit builds compile this file to nothing.
#include "runtime/kxcore.h"
#include "runtime/som.h"
#include "runtime/som_description.h"
#include "tools/tool_info.h"
#include "tools/tool_list.h"
#include "tooltray/tooltray.h"
#include "tooltray/tooltray_private.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#if UINTPTR_MAX == 0xFFFFFFFFu

// Every float operation rounds to float, as on x86_64: x87 excess precision would change HALFTONE's
// mixing. The 32-bit toolchain files ask for SSE arithmetic.
static_assert(FLT_EVAL_METHOD == 0, "build with -msse2 -mfpmath=sse");

namespace {

constexpr std::size_t kWord = 4;

// Field n (from 1) of a record made of 4-byte words.
constexpr std::size_t Word(std::size_t n) { return (n - 1) * kWord; }

} // namespace

static_assert(sizeof(void*) == kWord && sizeof(HWND) == kWord && sizeof(somMethodProc) == kWord);

// ---- ToolTray's instance data ------------------------------------------------------------------
static_assert(sizeof(ToolTrayData) == 80);
static_assert(offsetof(ToolTrayData, initCompletedProc) == 0);
static_assert(offsetof(ToolTrayData, baseObject) == 4);
static_assert(offsetof(ToolTrayData, size) == 8);
static_assert(offsetof(ToolTrayData, toolSpaceObj) == 24);
static_assert(offsetof(ToolTrayData, pos) == 28);
static_assert(offsetof(ToolTrayData, toolSpaceWnd) == 32);
static_assert(offsetof(ToolTrayData, partFrameShape) == 36);
static_assert(offsetof(ToolTrayData, domain) == 40);
static_assert(offsetof(ToolTrayData, session) == 44);
static_assert(offsetof(ToolTrayData, userInfo) == 48);
static_assert(offsetof(ToolTrayData, toolList) == 52);
static_assert(offsetof(ToolTrayData, toolWidth) == 56);
static_assert(offsetof(ToolTrayData, toolHeight) == 60);
static_assert(offsetof(ToolTrayData, floatRect) == 64);

// ---- Class data records: the class object, then one token per method ---------------------------
#  define COUNT_METHOD(index, name, bytes, kind) +1
constexpr std::size_t kToolTrayMethods = 0 TOOLTRAY_METHODS(COUNT_METHOD);
#  undef COUNT_METHOD
static_assert(kToolTrayMethods == 39);
static_assert(sizeof(ToolTrayClassDataStructure) == Word(1 + kToolTrayMethods + 1));
#  define CHECK_TOKEN_OFFSET(index, name, bytes, kind) \
    static_assert(offsetof(ToolTrayClassDataStructure, name) == Word(index + 2), #name);
TOOLTRAY_METHODS(CHECK_TOKEN_OFFSET)
#  undef CHECK_TOKEN_OFFSET
static_assert(sizeof(ToolTrayCClassDataStructure) == 2 * kWord);
static_assert(sizeof(somCClassDataStructure) == 2 * kWord);
static_assert(sizeof(KxToolSpaceObjClassDataStructure) == 8 * kWord);
static_assert(offsetof(KxToolSpaceObjClassDataStructure, AcceptsTools) == Word(8));
static_assert(sizeof(SOMObjectClassDataStructure) == 3 * kWord);

// ---- Object runtime records ----------------------------------------------------------------------
static_assert(sizeof(SOMObject) == kWord);
static_assert(sizeof(Environment) == 3 * kWord);

// Field numbers as the description's comments count them, from 1.
static_assert(sizeof(ClassDescription) == 34 * kWord);
static_assert(offsetof(ClassDescription, layoutLevel) == Word(1));
static_assert(offsetof(ClassDescription, numMethods) == Word(2));
static_assert(offsetof(ClassDescription, numOverrides) == Word(3));
static_assert(offsetof(ClassDescription, numFurtherTables) == Word(4));
static_assert(sizeof(ClassDescription::numFurtherTables) == 3 * kWord);
static_assert(offsetof(ClassDescription, majorVersion) == Word(7));
static_assert(offsetof(ClassDescription, minorVersion) == Word(8));
static_assert(offsetof(ClassDescription, instanceDataSize) == Word(9));
static_assert(offsetof(ClassDescription, maxMethods) == Word(10));
static_assert(offsetof(ClassDescription, numParents) == Word(11));
static_assert(offsetof(ClassDescription, className) == Word(12) && Word(12) == 44);
static_assert(offsetof(ClassDescription, explicitMetaclass) == Word(13));
static_assert(offsetof(ClassDescription, implicitMetaclass) == Word(14));
static_assert(offsetof(ClassDescription, parentNames) == Word(15) && Word(15) == 56);
static_assert(offsetof(ClassDescription, classData) == Word(16));
static_assert(offsetof(ClassDescription, auxClassData) == Word(17));
static_assert(offsetof(ClassDescription, methods) == Word(18) && Word(18) == 68);
static_assert(offsetof(ClassDescription, overrides) == Word(19));
static_assert(offsetof(ClassDescription, furtherTables) == Word(20));
static_assert(sizeof(ClassDescription::furtherTables) == 5 * kWord);
static_assert(offsetof(ClassDescription, instanceAlignment) == Word(25) && Word(25) == 96);
static_assert(offsetof(ClassDescription, declaredInitialisers) == Word(26));
static_assert(offsetof(ClassDescription, initialiserList) == Word(27));
static_assert(offsetof(ClassDescription, reserved) == Word(28));
static_assert(sizeof(ClassDescription::reserved) == 6 * kWord);
static_assert(offsetof(ClassDescription, numMethodTokens) == Word(34) && Word(34) == 132);

static_assert(sizeof(MethodEntry) == 6 * kWord);
static_assert(offsetof(MethodEntry, tokenSlot) == Word(1));
static_assert(offsetof(MethodEntry, name) == Word(2));
static_assert(offsetof(MethodEntry, descriptor) == Word(3));
static_assert(offsetof(MethodEntry, procedure) == Word(4));
static_assert(offsetof(MethodEntry, redispatch) == Word(5));
static_assert(offsetof(MethodEntry, apply) == Word(6));

static_assert(sizeof(MethodStubInfo) == 3 * kWord);
static_assert(offsetof(MethodStubInfo, redispatchStub) == Word(1));
static_assert(offsetof(MethodStubInfo, applyStub) == Word(2));
static_assert(offsetof(MethodStubInfo, callInfo) == Word(3));

static_assert(sizeof(MethodCallInfo) == 3 * kWord);
static_assert(offsetof(MethodCallInfo, resultKind) == Word(1));
static_assert(offsetof(MethodCallInfo, argumentBytes) == Word(2));
static_assert(offsetof(MethodCallInfo, reserved) == Word(3));

static_assert(sizeof(OverrideEntry) == 2 * kWord);
static_assert(offsetof(OverrideEntry, name) == Word(1));
static_assert(offsetof(OverrideEntry, procedure) == Word(2));

// ---- Tools ---------------------------------------------------------------------------------------
// ToolInfo has a vtable, so it is not standard-layout and offsetof is only conditionally supported;
// GCC supports it for classes without virtual bases, which is all this needs.
static_assert(std::is_polymorphic_v<ToolInfo>);
#  pragma GCC diagnostic push
#  pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(ToolInfo) == 32);
static_assert(offsetof(ToolInfo, id) == 4, "right after the vtable pointer");
static_assert(offsetof(ToolInfo, bounds) == 8);
static_assert(offsetof(ToolInfo, bitmap) == 24);
static_assert(offsetof(ToolInfo, state) == 28);
#  pragma GCC diagnostic pop

static_assert(sizeof(ToolListNode) == 12);
static_assert(offsetof(ToolListNode, prev) == 0);
static_assert(offsetof(ToolListNode, next) == 4);
static_assert(offsetof(ToolListNode, value) == 8);
static_assert(sizeof(ToolList) == sizeof(ToolListNode), "the list is its own sentinel");

// ---- Geometry and GDI ----------------------------------------------------------------------------
static_assert(sizeof(KxPoint) == 8);
static_assert(offsetof(KxPoint, x) == 0 && offsetof(KxPoint, y) == 4);
static_assert(sizeof(KxRect) == 16);
static_assert(offsetof(KxRect, left) == 0 && offsetof(KxRect, top) == 4);
static_assert(offsetof(KxRect, right) == 8 && offsetof(KxRect, bottom) == 12);
static_assert(sizeof(KxToolSpaceRect) == 32);
static_assert(offsetof(KxToolSpaceRect, values) == 0 && offsetof(KxToolSpaceRect, rect) == 16);

static_assert(sizeof(RECT) == 16);
static_assert(sizeof(BITMAP) == 24);
static_assert(offsetof(BITMAP, bmWidthBytes) == 12);
static_assert(offsetof(BITMAP, bmPlanes) == 16 && offsetof(BITMAP, bmBitsPixel) == 18);
static_assert(offsetof(BITMAP, bmBits) == 20);
// What GetObjectA copies out of a DIB section and a brush: the portable layer's sizes are 32-bit
// gdi32's (the i686 probe recording replays them).
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(DIBSECTION) == 84);
static_assert(offsetof(DIBSECTION, dsBmih) == 24 && offsetof(DIBSECTION, dshSection) == 76);
static_assert(sizeof(LOGBRUSH) == 12);

#endif // 32-bit
