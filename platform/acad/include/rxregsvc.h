// Registration services of the runtime.
#pragma once

#include "rxdict.h"
#include "rxobject.h"
