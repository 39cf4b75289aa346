#include <gtest/gtest.h>

#include "model/conversions.h"

namespace kvtk {
TEST(Conversions, Base32PaddedCutsLeadingDigits) {
    EXPECT_EQ(NumberToBase32Padded(768, 2), "O0");
    EXPECT_EQ(NumberToBase32Padded(1535, 2), "FV");
}
}  // namespace kvtk
