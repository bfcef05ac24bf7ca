// The system and standard headers nearly every file includes, precompiled once per target.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>
