// KxToolSpaceObj: the space that carries palettes; it says whether it takes new tools.
#include "runtime/kxcore.h"
#include "platform/kxcore/kx_class_frame.h"

// Named, because <windows.h> has a GetWindow of its own.
namespace tool_space {
namespace {

struct KxToolSpaceObjData {
    HWND window;
    KxFixed bounds[4]; // left, top, right, bottom
    int32_t acceptsTools;
};

KxClassFrame<KxToolSpaceObjClassDataStructure, KxToolSpaceObjData> g_frame;

KxToolSpaceObjData* Data(KxToolSpaceObj* self) { return g_frame.Data(self); }

// A new tool space takes tools until told otherwise.
void SOMLINK Init(KxToolSpaceObj* self) noexcept { Data(self)->acceptsTools = 1; }

void SOMLINK InitToolSpaceObj(KxToolSpaceObj* self, Environment* ev) noexcept
{
    somCall<somTD_KxRefCntObject_InitRefCntObject>(
        self, resolve_KxRefCntObjectClassData()->InitRefCntObject, ev);
    Data(self)->acceptsTools = 1;
}

HWND SOMLINK GetWindow(KxToolSpaceObj* self, Environment*) noexcept { return Data(self)->window; }
void SOMLINK SetWindow(KxToolSpaceObj* self, Environment*, HWND w) noexcept
{
    Data(self)->window = w;
}

void SOMLINK GetBounds(KxToolSpaceObj* self, Environment*, KxRect* out) noexcept
{
    if (!out)
        return;
    const KxFixed* b = Data(self)->bounds;
    out->Set(b[0], b[1], b[2], b[3]);
}

void SOMLINK SetBounds(KxToolSpaceObj* self, Environment*, const KxRect* in) noexcept
{
    if (!in)
        return;
    KxFixed* b = Data(self)->bounds;
    b[0] = in->left;
    b[1] = in->top;
    b[2] = in->right;
    b[3] = in->bottom;
}

void SOMLINK SetAcceptsTools(KxToolSpaceObj* self, Environment*, int32_t accepts) noexcept
{
    Data(self)->acceptsTools = accepts;
}

int32_t SOMLINK AcceptsTools(KxToolSpaceObj* self, Environment*) noexcept
{
    return Data(self)->acceptsTools;
}

} // namespace
} // namespace tool_space

extern "C" {

KxToolSpaceObjClassDataStructure* resolve_KxToolSpaceObjClassData(void) noexcept
{
    return tool_space::g_frame.Record();
}

SOMClass* KxToolSpaceObjNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    namespace ts = tool_space; // qualified: <windows.h> has a GetWindow of its own
    return ts::g_frame.NewClass("KxToolSpaceObj", "KxRefCntObject", &KxRefCntObjectNewClass,
                                {{"InitToolSpaceObj", somProc(&ts::InitToolSpaceObj), 8},
                                 {"GetWindow", somProc(&ts::GetWindow), 8},
                                 {"SetWindow", somProc(&ts::SetWindow), 12},
                                 {"GetBounds", somProc(&ts::GetBounds), 12},
                                 {"SetBounds", somProc(&ts::SetBounds), 12},
                                 {"SetAcceptsTools", somProc(&ts::SetAcceptsTools), 12},
                                 {"AcceptsTools", somProc(&ts::AcceptsTools), 8}},
                                {{"SOMObject::somInit", somProc(&ts::Init)}}, majorVersion,
                                minorVersion);
}

} // extern "C"
