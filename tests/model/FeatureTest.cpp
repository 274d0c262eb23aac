#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/Archive.h"
#include "model/Feature.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "support/ArchiveBytes.h"

namespace qln {
namespace {

using test::Int32;
using test::Short;

// A DNA sequence S1 of eight residues, added to no project.
class FeatureCheck : public ::testing::Test {
protected:
    Ptr<CDNASequence> sequence = MakePtr<CDNASequence>(nullptr, "S1", "Homo sapiens", "acgtacgt");

    Ptr<CFeature> Make(const std::string& key, const std::string& comment, const std::string& from,
                       const std::string& to) {
        return MakeFeatureForKey(sequence.get(), key, comment, from, to);
    }
    // Runs the check in row 1 and returns the messages, noting the flag.
    StringList Check(CFeature& feature, int row = 1) {
        locationError = false;
        return feature.CheckFeature(row, locationError);
    }

    bool locationError = false;
    const std::string row1 = "Sequence: S1: Feature Screen:Row 1: ";
};

// ---- prefixes ----

TEST_F(FeatureCheck, PrefixNamesSequenceScreenAndRow) {
    auto feature = Make("CDS", "", "1", "3");
    EXPECT_EQ(feature->GetMessagePrefix(12), "Sequence: S1: Feature Screen:Row 12: ");
    EXPECT_EQ(feature->GetMessagePrefix(0), "Sequence: S1: Feature Screen:Row ");
    EXPECT_EQ(feature->GetMessagePrefix(-1), "Sequence: S1: ");
}

// ---- location checks ----

TEST_F(FeatureCheck, FromZeroInRowTwo) {
    auto feature = Make("misc_feature", "", "0", "4");
    EXPECT_EQ(Check(*feature, 2),
              StringList{"Sequence: S1: Feature Screen:Row 2: From: The From must be greater than 0."});
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, FromBelowOneStopsBeforeOtherLocationChecks) {
    // To is also below 1 and beyond nothing; only the From message comes.
    auto feature = Make("CDS", "", "-4", "-9");
    EXPECT_EQ(Check(*feature), StringList{row1 + "From: The From must be greater than 0."});
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, NonNumericToCountsAsZero) {
    auto feature = Make("exon", "", "2", "x5");
    EXPECT_EQ(Check(*feature), StringList{row1 + "To: The To must be greater than 0."});
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, ReversedAndBeyondLengthAreAllReportedInOrder) {
    auto both = Make("CDS", "", "10", "5");
    EXPECT_EQ(Check(*both), (StringList{row1 + "From/To: The From can not be greater than the To.",
                                        row1 + "From: The From can not be greater than the sequence length."}));
    EXPECT_TRUE(locationError);

    auto toOnly = Make("CDS", "", "3", "9");
    EXPECT_EQ(Check(*toOnly), StringList{row1 + "To: The To can not be greater than the sequence length."});
    EXPECT_TRUE(locationError);

    auto all = Make("intron", "", "12", "9");
    EXPECT_EQ(Check(*all), (StringList{row1 + "From/To: The From can not be greater than the To.",
                                       row1 + "From: The From can not be greater than the sequence length.",
                                       row1 + "To: The To can not be greater than the sequence length."}));
}

TEST_F(FeatureCheck, WholeSequenceIsAValidLocation) {
    auto feature = Make("CDS", "", "1", "8");
    EXPECT_TRUE(Check(*feature).empty());
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, LocationErrorIsOnlyEverSet) {
    auto bad = Make("CDS", "", "5", "");
    auto good = Make("CDS", "", "1", "8");
    bool flag = false;
    bad->CheckFeature(1, flag);
    good->CheckFeature(2, flag);
    EXPECT_TRUE(flag);
}

// ---- keys ----

TEST_F(FeatureCheck, EmptyKeyStillGetsLocationChecks) {
    auto feature = Make("", "", "5", "3");
    EXPECT_EQ(Check(*feature), (StringList{row1 + "Feature Name is required.",
                                           row1 + "From/To: The From can not be greater than the To."}));
    EXPECT_TRUE(locationError);
}

TEST_F(FeatureCheck, BlankKeyIsEmptyAfterTrimming) {
    COtherFeature feature(sequence.get(), "   ", "", "1", "2");
    EXPECT_EQ(Check(feature), StringList{row1 + "Feature Name is required."});
    EXPECT_EQ(feature.GetKey(), "");
}

TEST_F(FeatureCheck, MiscFeatureWithCommentNeedsNoLocation) {
    EXPECT_TRUE(Check(*Make("misc_feature", "n is any base", "", "")).empty());
    // Even a broken location goes unchecked once the comment is there.
    EXPECT_TRUE(Check(*Make("MISC_Feature", "note", "10", "5")).empty());
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, MiscFeatureWithoutCommentOrLocation) {
    auto feature = Make("misc_feature", "", "", "");
    EXPECT_EQ(Check(*feature), StringList{row1 + "From: The From must be greater than 0."});
}

TEST_F(FeatureCheck, MiscFeatureWithBlankCommentCountsAsWithout) {
    auto feature = Make("misc_feature", "  \t", "", "");
    EXPECT_EQ(Check(*feature), StringList{row1 + "From: The From must be greater than 0."});
    EXPECT_EQ(feature->GetComment(), "");
}

TEST_F(FeatureCheck, MatPeptideNeedsOnlyAPositiveFromWithinLength) {
    for (const char* from : {"", "0", "abc"}) {
        auto feature = Make("mat_peptide", "", from, "99");
        EXPECT_EQ(Check(*feature), StringList{row1 + "Mat_Peptide location is required and can not be 0."})
            << "From '" << from << "'";
        EXPECT_TRUE(locationError);
    }
    auto beyond = Make("Mat_Peptide", "", "9", "");
    EXPECT_EQ(Check(*beyond), StringList{row1 + "Mat_Peptide location can not be greater than the sequence length."});
    EXPECT_TRUE(locationError);

    // To is never looked at.
    auto last = Make("mat_peptide", "", "8", "-1");
    EXPECT_TRUE(Check(*last).empty());
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, MatPeptideKeyOfAnyClassIsCheckedAsMatPeptide) {
    COtherFeature feature(sequence.get(), "MAT_PEPTIDE", "", "", "");
    EXPECT_EQ(Check(feature), StringList{row1 + "Mat_Peptide location is required and can not be 0."});
}

TEST_F(FeatureCheck, CodingKeysNeedBothPositionsAndNameTheKeyAsStored) {
    auto cds = Make("cds", "", "1", "");
    EXPECT_EQ(Check(*cds), StringList{row1 + "CDS requires both From and To locations."});
    EXPECT_TRUE(locationError);

    auto exon = Make("Exon", "", "", "4");
    EXPECT_EQ(Check(*exon), StringList{row1 + "exon requires both From and To locations."});

    COtherFeature intron(sequence.get(), "INTRON", "", "", "");
    EXPECT_EQ(Check(intron), StringList{row1 + "INTRON requires both From and To locations."});
    EXPECT_TRUE(locationError);
}

TEST_F(FeatureCheck, OtherKeyWithOnePositionAsksForBoth) {
    auto feature = Make("modified_base", "m5c", "3", "");
    EXPECT_EQ(Check(*feature),
              StringList{row1 + "From/To: If one of the From or To Field is filled, both of them must be filled."});
    EXPECT_FALSE(locationError);
}

TEST_F(FeatureCheck, LeadingBlanksAreRemovedFromStoredValues) {
    auto feature = Make("misc_feature", "", " 12", "\t 14 ");
    feature->SetKey("  misc_feature");
    feature->SetComment("  some note ");
    EXPECT_TRUE(Check(*feature).empty());  // a comment is present once trimmed
    EXPECT_EQ(feature->GetKey(), "misc_feature");
    EXPECT_EQ(feature->GetComment(), "some note ");
    EXPECT_EQ(feature->GetFromText(), "12");
    EXPECT_EQ(feature->GetToText(), "14 ");
}

TEST_F(FeatureCheck, RecheckReplacesEarlierMessages) {
    auto feature = Make("CDS", "", "", "");
    ASSERT_EQ(Check(*feature).size(), 1u);
    feature->SetFromText("1");
    feature->SetToText("3");
    EXPECT_TRUE(Check(*feature).empty());
    EXPECT_TRUE(feature->GetMessages().empty());
}

TEST(FeatureCheckParked, LengthComesFromParkedResidues) {
    const std::string residues(150, 'a');
    auto sequence = MakePtr<CDNASequence>(nullptr, "Long", "Homo sapiens", residues);
    sequence->UnloadResidues();
    CDS feature(sequence.get(), "", "120", "150");
    bool locationError = false;
    EXPECT_TRUE(feature.CheckFeature(1, locationError).empty());
    feature.SetToText("151");
    EXPECT_EQ(
        feature.CheckFeature(1, locationError),
        StringList{"Sequence: Long: Feature Screen:Row 1: To: The To can not be greater than the sequence length."});
    sequence = nullptr;
    CResidueFiles::RemoveAll();
}

// ---- positions ----

TEST(FeaturePosition, LeadingDecimalNumberOrZero) {
    EXPECT_EQ(CFeature::PositionValue(""), 0);
    EXPECT_EQ(CFeature::PositionValue("abc"), 0);
    EXPECT_EQ(CFeature::PositionValue("<5"), 0);
    EXPECT_EQ(CFeature::PositionValue(">5"), 0);
    EXPECT_EQ(CFeature::PositionValue("12abc"), 12);
    EXPECT_EQ(CFeature::PositionValue("  7"), 7);
    EXPECT_EQ(CFeature::PositionValue("+7"), 7);
    EXPECT_EQ(CFeature::PositionValue("-3"), -3);
    EXPECT_EQ(CFeature::PositionValue("99999999999999999999"), INT_MAX);
    EXPECT_EQ(CFeature::PositionValue("-99999999999999999999"), INT_MIN);
}

// ---- classes and keys ----

TEST(FeatureForKey, SpecificKeysChooseTheirClassAndFixedKey) {
    struct Case {
        const char* typed;
        const CRuntimeClass& cls;
        const char* stored;
    };
    const Case cases[] = {
        {"cds", CDS::runtimeClass, "CDS"},
        {"EXON", CExon::runtimeClass, "exon"},
        {"Exon", CExon::runtimeClass, "exon"},
        {"Mat_Peptide", CMatPeptide::runtimeClass, "mat_peptide"},
        {"intron", CIntron::runtimeClass, "intron"},
        {"misc_feature", COtherFeature::runtimeClass, "misc_feature"},
        {"MOD_RES", COtherFeature::runtimeClass, "MOD_RES"},
        {"exons", COtherFeature::runtimeClass, "exons"},
        {"", COtherFeature::runtimeClass, ""},
    };
    for (const Case& c : cases) {
        auto feature = MakeFeatureForKey(nullptr, c.typed, "note", "1", "2", true);
        EXPECT_EQ(&feature->GetRuntimeClass(), &c.cls) << c.typed;
        EXPECT_EQ(feature->GetKey(), c.stored) << c.typed;
        EXPECT_EQ(feature->GetComment(), "note");
        EXPECT_TRUE(feature->IsJoined());
    }
}

TEST(FeatureCopy, CloneKeepsClassParentAndFieldsButNotMessages) {
    CModel owner;
    CExon exon(&owner, "note", "2", "7", true);
    exon.SetReserved(5);
    exon.SetRow(3);
    exon.GetMessages().push_back("old");

    Ptr<CFeature> clone = exon.Clone();
    EXPECT_EQ(&clone->GetRuntimeClass(), &CExon::runtimeClass);
    EXPECT_EQ(clone->GetParent(), &owner);
    EXPECT_EQ(clone->GetKey(), "exon");
    EXPECT_EQ(clone->GetComment(), "note");
    EXPECT_EQ(clone->GetFromText(), "2");
    EXPECT_EQ(clone->GetToText(), "7");
    EXPECT_EQ(clone->GetFrom(), 2);
    EXPECT_EQ(clone->GetTo(), 7);
    EXPECT_TRUE(clone->IsJoined());
    EXPECT_EQ(clone->GetReserved(), 5);
    EXPECT_EQ(clone->GetRow(), 3);
    EXPECT_TRUE(clone->GetMessages().empty());
    EXPECT_EQ(clone->GetRefCount(), 1);

    COtherFeature other(nullptr, "LIPID", "MYRISTATE", "4", "4");
    Ptr<CFeature> otherClone = other.Clone();
    EXPECT_EQ(&otherClone->GetRuntimeClass(), &COtherFeature::runtimeClass);
    EXPECT_EQ(otherClone->GetKey(), "LIPID");
}

// ---- archive ----

TEST(FeatureArchive, StoredBytesPutToBeforeFromAndRoundTrip) {
    COtherFeature feature(nullptr, "misc_feature", "n is a, c, g or t", "3", "17", true);
    feature.SetReserved(-2);
    feature.SetRow(4);
    feature.GetMessages().push_back("checked");

    std::string bytes;
    {
        CStringSink sink(bytes);
        CArchive ar(sink, "test.prj");
        ar.WriteObject(&feature);
        ar.Flush();
    }
    const std::string expected = std::string("\xFF\xFF\x01\x00\x0D\x00", 6) + "COtherFeature" +
                                 std::string("\x00\x00", 2) +  // no parent
                                 std::string("\x01\x00", 2) + Short("checked") + Short("misc_feature") +
                                 Short("n is a, c, g or t") + Short("17") + Short("3") + Int32(1) + Int32(-2) +
                                 Int32(4);
    EXPECT_EQ(bytes, expected);

    Ptr<CFeature> read;
    {
        CMemorySource source(bytes);
        CArchive ar(source, "test.prj");
        read = ar.ReadObjectOf<CFeature>();
    }
    ASSERT_TRUE(read);
    EXPECT_EQ(&read->GetRuntimeClass(), &COtherFeature::runtimeClass);
    EXPECT_EQ(read->GetParent(), nullptr);
    EXPECT_EQ(read->GetMessages(), StringList{"checked"});
    EXPECT_EQ(read->GetKey(), "misc_feature");
    EXPECT_EQ(read->GetComment(), "n is a, c, g or t");
    EXPECT_EQ(read->GetFromText(), "3");
    EXPECT_EQ(read->GetToText(), "17");
    EXPECT_TRUE(read->IsJoined());
    EXPECT_EQ(read->GetReserved(), -2);
    EXPECT_EQ(read->GetRow(), 4);
}

TEST(FeatureArchive, AnyNonZeroJoinedReadsAsJoined) {
    std::string bytes = std::string("\xFF\xFF\x01\x00\x03\x00", 6) + "CDS" + std::string(4, '\0') + Short("CDS") +
                        Short("") + Short("9") + Short("1") + Int32(7) + Int32(0) + Int32(0);
    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    Ptr<CFeature> read = ar.ReadObjectOf<CFeature>();
    ASSERT_TRUE(read);
    EXPECT_EQ(&read->GetRuntimeClass(), &CDS::runtimeClass);
    EXPECT_TRUE(read->IsJoined());
    EXPECT_EQ(read->GetFrom(), 1);
    EXPECT_EQ(read->GetTo(), 9);
}

}  // namespace
}  // namespace qln
