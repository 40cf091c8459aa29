// Host application services (working database).
#pragma once

#include "dbmain.h"
