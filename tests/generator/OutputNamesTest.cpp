#include <gtest/gtest.h>

#include "generator/OutputNames.h"

namespace qln {
namespace {

TEST(OutputNames, ExtensionOfTheFileNameIsReplacedBySuffixes) {
    const COutputNames names = MakeOutputNames("/home/ann/Proj.prj");
    EXPECT_EQ(names.listing, "/home/ann/Proj_ST25.txt");
    EXPECT_EQ(names.errorReport, "/home/ann/Proj_ErrorLog.txt");
    EXPECT_EQ(names.workFile, "/home/ann/Proj_WorkFile.txt");
    EXPECT_FALSE(names.IsEmpty());
}

TEST(OutputNames, OnlyTheLastDotOfTheFileNameCuts) {
    EXPECT_EQ(MakeOutputNames("/data/v1.2/Proj.prj").listing, "/data/v1.2/Proj_ST25.txt");
    EXPECT_EQ(MakeOutputNames("/data/v1.2/Proj.old.prj").listing, "/data/v1.2/Proj.old_ST25.txt");
    EXPECT_EQ(MakeOutputNames("Proj.prj").errorReport, "Proj_ErrorLog.txt");
}

TEST(OutputNames, FileWithoutExtensionInDottedFolderKeepsItsWholeName) {
    EXPECT_EQ(MakeOutputNames("/data/v1.2/Proj").listing, "/data/v1.2/Proj_ST25.txt");
    EXPECT_EQ(MakeOutputNames("C:\\My.Projects\\Proj").workFile, "C:\\My.Projects\\Proj_WorkFile.txt");
    EXPECT_EQ(MakeOutputNames("C:\\My.Projects\\Proj.prj").workFile, "C:\\My.Projects\\Proj_WorkFile.txt");
    EXPECT_EQ(MakeOutputNames("Proj").listing, "Proj_ST25.txt");
}

TEST(OutputNames, EmptyPathGivesNoNames) {
    const COutputNames names = MakeOutputNames("");
    EXPECT_TRUE(names.IsEmpty());
    EXPECT_EQ(names.listing, "");
    EXPECT_EQ(names.errorReport, "");
    EXPECT_EQ(names.workFile, "");
}

}  // namespace
}  // namespace qln
