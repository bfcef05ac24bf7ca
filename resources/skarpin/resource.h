// Resource ids of Skarpin's own templates, menus and strings (the shared library's are in library/resource.h).
#pragma once
#include "library/resource.h"
