// Whether a module may let its custom class go: objects of the class in an
// open drawing (erased ones too, which the drawing still holds) run the
// module's code until the drawing closes, so the module must stay.
#pragma once

#include "rxobject.h"

// True when an open drawing holds an object of the class or of a class
// derived from it.
bool ArxClassHasInstances(const AcRxClass* classObj);
