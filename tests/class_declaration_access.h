// Write access to a ClassDeclaration's description and method rows, for tests that build faulty
// descriptions from a sound one. Both are the declaration's own, non-constant storage, so writing
// through them is sound; hosts have no reason to, which is why this is not in the runtime's headers.
#ifndef TESTS_CLASS_DECLARATION_ACCESS_H
#define TESTS_CLASS_DECLARATION_ACCESS_H

#include "runtime/som_class_declaration.h"

inline ClassDescription* MutableDescription(ClassDeclaration& declaration)
{
    return const_cast<ClassDescription*>(declaration.Description());
}

inline MethodEntry* MutableMethods(ClassDeclaration& declaration)
{
    return const_cast<MethodEntry*>(declaration.Description()->methods);
}

#endif // TESTS_CLASS_DECLARATION_ACCESS_H
