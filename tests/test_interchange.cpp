#include "interchange.h"
#include <gtest/gtest.h>
TEST(Interchange, Placeholder) {}
