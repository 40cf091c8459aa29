// An object of the drawing held open for one operation: it is closed when the
// holder goes out of scope, whichever way the operation leaves.
#pragma once

#include <memory>

#include "dbmain.h"

struct CloseObject {
    void operator()(AcDbObject* object) const {
        if (object != nullptr) object->close();
    }
};

template <typename T>
using ClosedOnExit = std::unique_ptr<T, CloseObject>;

// Opens the object as T (or a class derived from it); empty on failure, and
// while T's class is not registered (nothing can then be checked to be a T).
template <typename T>
ClosedOnExit<T> OpenClosedOnExit(AcDbObjectId id, AcDb::OpenMode mode) {
    T* object = nullptr;
    if (T::desc() == nullptr) return nullptr;
    if (acdbOpenObject(object, id, mode) != Acad::eOk) return nullptr;
    return ClosedOnExit<T>(object);
}
