#include <gtest/gtest.h>

#include "calc/constant_block.h"

// The program registers its constants before the first text is made; so do
// the tests.
int main(int argc, char** argv) {
  tamrel::RegisterProgramConstants();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
