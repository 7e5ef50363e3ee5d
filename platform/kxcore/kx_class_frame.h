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

    // newParent is null for a class whose parent is the runtime's root.
    SOMClass* NewClass(const char* name, const char* parentName, NewClassProc newParent,
                       std::initializer_list<ClassDeclaration::Method> methods,
                       std::initializer_list<ClassDeclaration::Override> overrides,
                       int32_t majorVersion, int32_t minorVersion)
    {
        if (newParent)
            newParent(0, 0);
        std::call_once(once_, [&] {
            declaration_.emplace(name, parentName, static_cast<int32_t>(sizeof(InstanceData)),
                                 &classData_, &cClassData_, methods, overrides);
        });
        return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration_->Description(), majorVersion,
                          minorVersion);
    }

private:
    ClassData classData_{};
    somCClassDataStructure cClassData_{};
    std::once_flag once_;
    std::optional<ClassDeclaration> declaration_;
};

#endif // PLATFORM_KXCORE_KX_CLASS_FRAME_H
