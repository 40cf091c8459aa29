// Runtime-class members of the classes the stand-in itself provides.
#pragma once

#include "rxobject.h"

// Creates and registers a class that lives as long as the process (never deleted).
AcRxClass* acrxBuiltinClass(const ACHAR* name, AcRxClass* parent, AcRxPseudoConstructor constructor,
                            const ACHAR* dxfName);

#define ACRX_BUILTIN_DESC(CLASS, PARENT_DESC, CONSTRUCTOR, DXF_NAME)          \
    AcRxClass* CLASS::desc() {                                                \
        static AcRxClass* const cls =                                         \
            acrxBuiltinClass(L## #CLASS, PARENT_DESC, CONSTRUCTOR, DXF_NAME); \
        return cls;                                                           \
    }                                                                         \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }

#define ACRX_BUILTIN_MEMBERS(CLASS, PARENT, CONSTRUCTOR, DXF_NAME)        \
    ACRX_BUILTIN_DESC(CLASS, PARENT::desc(), CONSTRUCTOR, DXF_NAME)       \
    CLASS* CLASS::cast(const AcRxObject* inPtr) {                         \
        return (inPtr != nullptr && inPtr->isKindOf(CLASS::desc()))       \
                   ? const_cast<CLASS*>(static_cast<const CLASS*>(inPtr)) \
                   : nullptr;                                             \
    }

#define ACRX_CONSTRUCTOR(CLASS) ([]() -> AcRxObject* { return new CLASS(); })

// Lists every class of the stand-in in the class dictionary (called once, when the
// dictionary is first used).
void acrxRegisterStandInClasses();
