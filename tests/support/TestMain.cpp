// Test entry point: removes this run's residue files when the tests end.
#include <gtest/gtest.h>

#include "model/ResidueFile.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    qln::CResidueFiles::RemoveAll();
    return result;
}
