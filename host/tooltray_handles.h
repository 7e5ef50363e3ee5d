// Owning handles for hosts: a palette that frees its object when the handle goes, runtime objects
// and bitmaps owned the same way, and class building that reports the runtime's reason instead of
// returning null. Errors are thrown as ToolTrayError.
//     SOMClass* cls = BuildToolTrayClass();                  // throws with the runtime's reason
//     ObjectHandle base = NewOwnedObject("KxObject");
//     PaletteHandle palette = PaletteHandle::Create(cls, base.get());
//     BitmapHandle icon = MakeBitmap(16, 16, pixels);
//     palette.CreateTool(1, icon.get(), 0);
// A palette borrows what it is given (base object, tool space, bitmaps): keep those handles alive
// at least as long as the palette uses them.
#ifndef TOOLTRAY_HOST_TOOLTRAY_HANDLES_H
#define TOOLTRAY_HOST_TOOLTRAY_HANDLES_H

#include "tooltray_bindings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#if !defined(_WIN32)
// The two portable GDI calls the handles make, declared as the drawing header (runtime/win_gdi.h)
// declares them, so that the kit brings none of the Win32 names that header defines.
extern "C" {
__attribute__((visibility("default"))) HBITMAP CreateBitmap(int width, int height,
                                                            unsigned int planes,
                                                            unsigned int bitsPerPixel,
                                                            const void* bits) noexcept;
__attribute__((visibility("default"))) int DeleteObject(void* object) noexcept;
}
#endif

// Builds the ToolTray class (its framework parents first) and returns its class object; a
// second call returns the same class. Throws ToolTrayError carrying GetLastBuildError's reason
// when the runtime refuses, as for a version the class does not have.
inline SOMClass* BuildToolTrayClass(int32_t majorVersion = 1, int32_t minorVersion = 0)
{
    if (SOMClass* cls = ToolTrayNewClass(majorVersion, minorVersion))
        return cls;
    throw ToolTrayError(std::string("cannot build the ToolTray class: ") + GetLastBuildError());
}

// Any runtime object, freed with FreeObject.
struct FreeObjectDeleter {
    void operator()(SOMObject* object) const noexcept { FreeObject(object); }
};
using ObjectHandle = std::unique_ptr<SOMObject, FreeObjectDeleter>;

// A new object of cls; throws ToolTrayError when the class is null or memory is short.
inline ObjectHandle NewOwnedObject(SOMClass* cls)
{
    if (!cls)
        throw ToolTrayError("cannot create an object of a null class (FindClass answers null for "
                            "a class not built yet: BuildToolTrayClass builds the framework's)");
    if (SOMObject* object = NewObject(cls))
        return ObjectHandle(object);
    throw ToolTrayError(std::string("cannot create an object of class ") + ClassName(cls) +
                        ": out of memory");
}

// A new object of the class named className, which must be built already: the framework's
// classes (KxObject and the rest) are built by BuildToolTrayClass.
inline ObjectHandle NewOwnedObject(const char* className)
{
    if (SOMClass* cls = FindClass(className))
        return NewOwnedObject(cls);
    throw ToolTrayError(std::string("cannot create an object of class ") + className +
                        ": no class of that name is built yet (BuildToolTrayClass builds ToolTray "
                        "and the framework classes)");
}

// A bitmap, deleted with DeleteObject. The palette only borrows bitmaps: delete them after the
// tools that show them are gone, or the palette is.
struct DeleteBitmapDeleter {
    void operator()(HBITMAP bitmap) const noexcept { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmapDeleter>;

// A 32-bpp bitmap from width * height pixels, 0x00RRGGBB, rows top to bottom. Throws
// ToolTrayError for a size that is not positive or when GDI cannot make it.
inline BitmapHandle MakeBitmap(int width, int height, const uint32_t* pixels)
{
    if (width <= 0 || height <= 0 || !pixels)
        throw ToolTrayError("a bitmap needs a positive width and height, and pixels");
    // 32-bpp rows are word-aligned as they stand, and a DIB's pixel is B, G, R, unused: the
    // little-endian form of 0x00RRGGBB.
    if (HBITMAP bitmap = CreateBitmap(width, height, 1, 32, pixels))
        return BitmapHandle(bitmap);
    throw ToolTrayError("cannot create a " + std::to_string(width) + "x" + std::to_string(height) +
                        " bitmap");
}

// A palette that owns its object: FreeObject when the handle is destroyed or assigned over, which
// also destroys the palette's tools. Move-only. Release, which frees the object when its count
// reaches zero, is not offered here, since the handle would free it a second time: Detach first
// to hand the object to reference counting.
class PaletteHandle : public Palette {
public:
    PaletteHandle() = default;
    // Takes ownership of object (a ToolTray or a subclass instance).
    explicit PaletteHandle(
        ToolTray* object, Environment* ev = GetGlobalEnvironment(),
        const ToolTrayClassDataStructure* classData = resolve_ToolTrayClassData())
        : Palette(object, ev, classData)
    {}

    // A new palette of cls (the ToolTray class or a subclass), initialised as the extension of
    // base (borrowed). Throws ToolTrayError when the object cannot be created.
    static PaletteHandle Create(SOMClass* cls, SOMObject* base,
                                Environment* ev = GetGlobalEnvironment())
    {
        PaletteHandle palette(NewOwnedObject(cls).release(), ev);
        if (!palette.Methods())
            throw ToolTrayError(std::string("class ") + ClassName(cls) + " is not a ToolTray");
        palette.InitExtension(base);
        return palette;
    }

    PaletteHandle(const PaletteHandle&) = delete;
    PaletteHandle& operator=(const PaletteHandle&) = delete;
    PaletteHandle(PaletteHandle&& other) noexcept : Palette(other) { other.Forget(); }
    PaletteHandle& operator=(PaletteHandle&& other) noexcept
    {
        if (this != &other) {
            FreeObject(object_);
            static_cast<Palette&>(*this) = other;
            other.Forget();
        }
        return *this;
    }
    ~PaletteHandle() { FreeObject(object_); }

    void Release() const = delete;

    // Gives up ownership: the object is the caller's again.
    ToolTray* Detach()
    {
        ToolTray* object = object_;
        Forget();
        return object;
    }

private:
    void Forget()
    {
        object_ = nullptr;
        methods_ = nullptr;
    }
};

#endif // TOOLTRAY_HOST_TOOLTRAY_HANDLES_H
