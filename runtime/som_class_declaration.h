// ClassDeclaration: a class description assembled at run time, for classes that do not need their
// description as constant data (the framework's classes, host subclasses, tests). It owns every
// name cell the description points into, so it must outlive the built class: keep it in static
// storage.
#ifndef TOOLTRAY_RUNTIME_SOM_CLASS_DECLARATION_H
#define TOOLTRAY_RUNTIME_SOM_CLASS_DECLARATION_H

#include "som_description.h"

#include <memory>
#include <string>
#include <vector>

class ClassDeclaration {
public:
    struct Method {
        const char* name; // bare name, "GetSize"
        somMethodProc procedure;
        int32_t argumentBytes; // 32-bit platform, object and environment included
        int32_t resultKind = SOM_RESULT_KIND_DEFAULT;
    };
    struct Override {
        const char* qualifiedName; // "SOMObject::somInit"
        somMethodProc procedure;
    };

    // classData has room for the class object and one token per method; auxClassData is the
    // class's somCClassDataStructure.
    ClassDeclaration(const char* className, const char* parentName, int32_t instanceDataSize,
                     void* classData, void* auxClassData, const std::vector<Method>& methods,
                     const std::vector<Override>& overrides = {}, int32_t majorVersion = 1,
                     int32_t minorVersion = 0)
        : className_(className), parentName_(parentName),
          methods_(std::make_unique<MethodCells[]>(methods.size())),
          entries_(std::make_unique<MethodEntry[]>(methods.size())),
          overrides_(std::make_unique<OverrideCells[]>(overrides.size())),
          overrideEntries_(std::make_unique<OverrideEntry[]>(overrides.size()))
    {
        auto* tokenCells =
            reinterpret_cast<somMToken*>(static_cast<char*>(classData) + sizeof(SOMClass*));
        size_t i = 0;
        for (const Method& m : methods) {
            MethodCells& c = methods_[i];
            c.name.Init(m.name);
            c.descriptor.Init("::" + className_.text + "::" + m.name);
            c.call = MethodCallInfo{m.resultKind, m.argumentBytes, nullptr};
            c.stub = MethodStubInfo{nullptr, nullptr, &c.call};
            entries_[i] =
                MethodEntry{tokenCells + i, &c.name.id, &c.descriptor.id, m.procedure, -1, &c.stub};
            ++i;
        }
        i = 0;
        for (const Override& o : overrides) {
            overrides_[i].name.Init(o.qualifiedName);
            overrideEntries_[i] = OverrideEntry{&overrides_[i].name.id, o.procedure};
            ++i;
        }
        description_ = ClassDescription{};
        description_.layoutLevel = SOM_DESCRIPTION_LAYOUT_LEVEL;
        description_.numMethods = static_cast<int32_t>(methods.size());
        description_.numOverrides = static_cast<int32_t>(overrides.size());
        description_.majorVersion = majorVersion;
        description_.minorVersion = minorVersion;
        description_.instanceDataSize = instanceDataSize;
        description_.maxMethods = description_.numMethods;
        description_.numParents = 1;
        description_.className = className_.id;
        description_.implicitMetaclass = 1;
        description_.parentNames = &parentName_.id;
        description_.classData = classData;
        description_.auxClassData = auxClassData;
        description_.methods = entries_.get();
        description_.overrides = overrideEntries_.get();
        description_.instanceAlignment = 1;
        description_.declaredInitialisers = -1;
        description_.numMethodTokens = description_.numMethods;
    }
    ClassDeclaration(const ClassDeclaration&) = delete;
    ClassDeclaration& operator=(const ClassDeclaration&) = delete;

    const ClassDescription* Description() const { return &description_; }

private:
    // A name and the two cells that make it a NameId.
    struct Name {
        std::string text;
        const char* cell = nullptr;
        NameId id = nullptr;
        Name() = default;
        explicit Name(std::string s) { Init(std::move(s)); }
        void Init(std::string s)
        {
            text = std::move(s);
            cell = text.c_str();
            id = &cell;
        }
        Name(const Name&) = delete;
        Name& operator=(const Name&) = delete;
    };
    struct MethodCells {
        Name name;
        Name descriptor;
        MethodCallInfo call;
        MethodStubInfo stub;
    };
    struct OverrideCells {
        Name name;
    };

    Name className_;
    Name parentName_;
    std::unique_ptr<MethodCells[]> methods_;
    std::unique_ptr<MethodEntry[]> entries_;
    std::unique_ptr<OverrideCells[]> overrides_;
    std::unique_ptr<OverrideEntry[]> overrideEntries_;
    ClassDescription description_;
};

// Casts a typed method procedure to the generic type descriptions carry.
template <typename F>
inline somMethodProc somProc(F* procedure)
{
    return reinterpret_cast<somMethodProc>(procedure);
}

#endif // TOOLTRAY_RUNTIME_SOM_CLASS_DECLARATION_H
