// GoogleTest, precompiled for the test programs.
#pragma once
#include <gtest/gtest.h>
