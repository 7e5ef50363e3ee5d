// KxClassFrame: what every framework class has around its methods. Its class data record and
// auxiliary record, the typed view of its instance data, and the NewClass entry point, which
// builds the parent first and then the class from a declaration made on first use and kept for
// the life of the process (the built class points into it).
#ifndef PLATFORM_KXCORE_KX_CLASS_FRAME_H
#define PLATFORM_KXCORE_KX_CLASS_FRAME_H

#include "runtime/som_class_declaration.h"

#include <initializer_list>
#include <mutex>
#include <optional>
#include <vector>

template <typename ClassData, typename InstanceData>
class KxClassFrame {
public:
    using NewClassProc = SOMClass* (*)(int32_t majorVersion, int32_t minorVersion);

    ClassData* Record() { return &classData_; }

    InstanceData* Data(SOMObject* self)
    {
        return static_cast<InstanceData*>(cClassData_.instanceDataToken(self));
    }

    // newParent is null for a class whose parent is the runtime's root. Null when the parent or
    // the class cannot be built (memory short included), with the runtime's reason in
    // GetLastBuildError when it was the runtime that refused.
    SOMClass* NewClass(const char* name, const char* parentName, NewClassProc newParent,
                       std::initializer_list<ClassDeclaration::Method> methods,
                       std::initializer_list<ClassDeclaration::Override> overrides,
                       int32_t majorVersion, int32_t minorVersion) noexcept
    {
        if (newParent && !newParent(0, 0))
            return nullptr;
        const ClassDeclaration* declaration;
        try {
            std::lock_guard lock(mutex_);
            // A declaration whose making ran out of memory is left unmade, for the next call.
            if (!declaration_)
                declaration_.emplace(name, parentName, static_cast<int32_t>(sizeof(InstanceData)),
                                     &classData_, &cClassData_, methods, overrides);
            declaration = &*declaration_;
        } catch (...) {
            return nullptr;
        }
        SOMClass* cls = BuildClass(SOM_INHERIT_FIRST_PARENT, declaration->Description(),
                                   majorVersion, minorVersion);
        // Only a class whose record this frame filled is this class: anything else would be
        // called through tokens that are not there.
        return cls && classData_.classObject == cls ? cls : nullptr;
    }

private:
    ClassData classData_{};
    somCClassDataStructure cClassData_{};
    std::mutex mutex_;
    std::optional<ClassDeclaration> declaration_;
};

#endif // PLATFORM_KXCORE_KX_CLASS_FRAME_H
