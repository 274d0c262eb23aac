#include <gtest/gtest.h>

#include <string>

#include "model/Archive.h"
#include "model/Project.h"
#include "model/Sequence.h"
#include "support/FixedToday.h"

namespace qln {
namespace {

using test::FixedToday;

const char* const kTitleBlank = "Project Data Screen: Title Of Invention: Cannot be blank.";
const char* const kBothNeeded =
    "Project Data Screen: Current Application Number/Current Filing Date: If Current Application Number or Current "
    "Filing Date is entered, both must be entered.";
const char* const kReferenceBlank = "Project Data Screen: Application File Reference: Cannot be blank.";

// ---- project data ----

TEST(ProjectDataValidate, EmptyRecordNeedsTitleAndReferenceInThatOrder) {
    CProject project;
    EXPECT_EQ(project.GetProjectData()->Validate(0), (StringList{kTitleBlank, kReferenceBlank}));

    CProjectData loose;
    EXPECT_EQ(loose.Validate(0), (StringList{kTitleBlank, kReferenceBlank}));
}

TEST(ProjectDataValidate, BlankTitleIsNotEmpty) {
    CProjectData data("   ", "", "", "REF-1");
    EXPECT_TRUE(data.Validate(0).empty());
}

TEST(ProjectDataValidate, NumberAndDateMustComeTogether) {
    FixedToday today("2024-06-01");
    CProjectData onlyNumber("Title", "US 07/999,999", "", "REF");
    EXPECT_EQ(onlyNumber.Validate(0), StringList{kBothNeeded});

    CProjectData maskOnly("Title", "US 07/999,999", DateField::kBlankMask, "REF");
    EXPECT_EQ(maskOnly.Validate(0), StringList{kBothNeeded});

    CProjectData onlyDate("Title", "", "2001-01-01", "REF");
    EXPECT_EQ(onlyDate.Validate(0), StringList{kBothNeeded});

    CProjectData neither("Title", "", "", "REF");
    EXPECT_TRUE(neither.Validate(0).empty());

    CProjectData both("Title", "US 1", "2001-01-01", "REF");
    EXPECT_TRUE(both.Validate(0).empty());
}

TEST(ProjectDataValidate, MessagesFollowRuleOrderWithDateMessagesLast) {
    FixedToday today("2024-06-01");
    CProjectData data("", "", "2001-02-29", "");
    EXPECT_EQ(data.Validate(0),
              (StringList{kTitleBlank, kBothNeeded, kReferenceBlank,
                          "Project Data Screen: The valid days for the month you entered are from 1 to 28."}));
}

TEST(ProjectDataValidate, IncompleteFilingDateIsRejected) {
    FixedToday today("2024-06-01");
    CProjectData data("Title", "US 1", "2001-__-__", "REF");
    EXPECT_EQ(data.Validate(0), (StringList{"Project Data Screen: The month cannot be blank.",
                                            "Project Data Screen: The day cannot be blank."}));
}

TEST(ProjectDataValidate, CurrentFilingDateMustFollowEveryPriorDate) {
    FixedToday today("2024-06-01");
    CProject project;
    CProjectData* data = project.GetProjectData();
    data->SetTitle("Title");
    data->SetFileReference("REF");
    data->SetApplicationNumber("US 2");
    data->GetFilingDate() = "2001-05-05";
    auto& priors = project.GetPriorApplications();
    priors.Add(new CEarlierApplication(&project, "US 0", ""));            // row 1: no date, skipped
    priors.Add(new CEarlierApplication(&project, "US 1", "2001-05-05"));  // row 2: same day
    priors.Add(new CEarlierApplication(&project, "US 1", "2000-01-01"));  // row 3: earlier, fine
    priors.Add(new CEarlierApplication(&project, "US 3", "2002-01-01"));  // row 4: later

    EXPECT_EQ(data->Validate(0),
              (StringList{"Project Data Screen: Row 2: The Current Filing Date 2001-05-05 must be greater than the "
                          "Prior Application Filing Date2001-05-05 in the Prior Application Data Screen.",
                          "Project Data Screen: Row 4: The Current Filing Date 2001-05-05 must be greater than the "
                          "Prior Application Filing Date2002-01-01 in the Prior Application Data Screen."}));

    // The prior application itself reports the same pair from its side.
    EXPECT_EQ(priors[1]->Validate(2).size(), 1u);

    // Without a current filing date there is nothing to compare.
    data->SetApplicationNumber("");
    data->GetFilingDate() = "";
    EXPECT_TRUE(data->Validate(0).empty());
}

TEST(ProjectData, MessagesTextEndsEveryMessageWithCrLf) {
    CProjectData data;
    EXPECT_EQ(data.GetMessagesText(), std::string(kTitleBlank) + "\r\n" + kReferenceBlank + "\r\n");
    data.SetTitle("T");
    data.SetFileReference("R");
    EXPECT_EQ(data.GetMessagesText(), "");
}

TEST(ProjectData, ArchiveBytesAndRoundTrip) {
    CProjectData data("Widgets", "US 1", "2001-01-01", "REF");
    data.GetMessages().push_back("old");
    std::string bytes;
    {
        CStringSink sink(bytes);
        CArchive ar(sink, "test.prj");
        ar.WriteObject(&data);
        ar.Flush();
    }
    const std::string header = std::string("\xFF\xFF\x01\x00\x0C\x00", 6) + "CProjectData" +
                               std::string("\x00\x00\x01\x00\x03", 5) + "old";
    EXPECT_EQ(bytes, header +
                         "\x07Widgets\x03REF\x04US 1\x0A"
                         "2001-01-01");

    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    Ptr<CProjectData> read = ar.ReadObjectOf<CProjectData>();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetTitle(), "Widgets");
    EXPECT_EQ(read->GetFileReference(), "REF");
    EXPECT_EQ(read->GetApplicationNumber(), "US 1");
    EXPECT_EQ(read->GetFilingDate().GetText(), "2001-01-01");
    EXPECT_EQ(read->GetMessages(), StringList{"old"});
}

// ---- project container ----

TEST(Project, OwnsProjectDataFromTheStart) {
    CProject project;
    ASSERT_NE(project.GetProjectData(), nullptr);
    EXPECT_EQ(project.GetProjectData()->GetParent(), &project);
    EXPECT_FALSE(project.HasDeletedSequences());

    Ptr<CProjectData> replacement = MakePtr<CProjectData>("T", "", "", "R");
    project.SetProjectData(replacement);
    EXPECT_EQ(project.GetProjectData(), replacement.get());
    EXPECT_EQ(replacement->GetParent(), &project);
}

class ProjectSequences : public ::testing::Test {
protected:
    CSequence* AddDna(const std::string& name) {
        auto* sequence = new CDNASequence(nullptr, name, "Homo sapiens", "acgt");
        project.Add(sequence);
        return sequence;
    }
    std::string Names() const {
        std::string names;
        for (const auto& s : project.GetSequences()) names += s->GetName() + ";";
        return names;
    }

    CProject project;
};

TEST_F(ProjectSequences, AddAdoptsTheSequenceAndIndexesItsName) {
    CSequence* a = AddDna("a");
    EXPECT_EQ(a->GetParent(), &project);
    EXPECT_EQ(a->GetProject(), &project);
    EXPECT_EQ(project.Find("a"), a);
    EXPECT_EQ(project.Find("A"), nullptr);
    EXPECT_EQ(project.Find("b"), nullptr);
    EXPECT_EQ(a->GetRefCount(), 1);
}

TEST_F(ProjectSequences, DeleteAndRestoreMovesToTheEnd) {
    CSequence* a = AddDna("a");
    AddDna("b");
    AddDna("c");

    project.Delete(a);
    EXPECT_EQ(Names(), "b;c;");
    EXPECT_EQ(project.Find("a"), nullptr);
    EXPECT_TRUE(project.HasDeletedSequences());
    EXPECT_EQ(project.FindDeleted("a"), a);
    EXPECT_EQ(project.FindDeleted("b"), nullptr);

    project.Restore("a");
    EXPECT_EQ(Names(), "b;c;a;");
    EXPECT_EQ(project.Find("a"), a);
    EXPECT_EQ(project.GetSequences()[2].get(), a);
    EXPECT_FALSE(project.HasDeletedSequences());
    EXPECT_EQ(a->GetRefCount(), 1);
}

TEST_F(ProjectSequences, DeleteGoesByNameAndIgnoresUnknownNames) {
    CSequence* a = AddDna("a");
    AddDna("b");
    // A working copy of "a" stands for the listed sequence of that name.
    Ptr<CDNASequence> copy = MakePtr<CDNASequence>(nullptr, "a", "", "");
    project.Delete(copy.get());
    EXPECT_EQ(Names(), "b;");
    EXPECT_EQ(project.FindDeleted("a"), a);

    Ptr<CDNASequence> stranger = MakePtr<CDNASequence>(nullptr, "zzz", "", "");
    project.Delete(stranger.get());
    EXPECT_EQ(Names(), "b;");
    EXPECT_EQ(project.GetDeletedSequences().GetSize(), 1);
}

TEST_F(ProjectSequences, RestoreTakesTheFirstDeletedOfThatName) {
    CSequence* first = AddDna("x");
    project.Delete(first);
    CSequence* second = AddDna("x");
    project.Delete(second);
    EXPECT_EQ(project.FindDeleted("x"), first);

    project.Restore("x");
    EXPECT_EQ(project.Find("x"), first);
    EXPECT_EQ(project.FindDeleted("x"), second);
}

TEST_F(ProjectSequences, RenameUpdatesTheIndex) {
    CSequence* a = AddDna("a");
    project.Rename("renamed", a);
    EXPECT_EQ(a->GetName(), "renamed");
    EXPECT_EQ(project.Find("a"), nullptr);
    EXPECT_EQ(project.Find("renamed"), a);

    project.Rename(a->GetName(), a);
    EXPECT_EQ(a->GetName(), "renamed");
    EXPECT_EQ(project.Find("renamed"), a);
}

TEST_F(ProjectSequences, ReplaceKeepsThePosition) {
    AddDna("a");
    Ptr<CSequence> old = AddDna("b");
    AddDna("c");

    auto* protein = new CProtein1Sequence(nullptr, "b", "Homo sapiens", "MKV");
    project.Replace(protein);
    EXPECT_EQ(Names(), "a;b;c;");
    EXPECT_EQ(project.GetSequences()[1].get(), protein);
    EXPECT_EQ(project.Find("b"), protein);
    EXPECT_EQ(protein->GetParent(), &project);
    EXPECT_EQ(protein->GetProject(), &project);
    EXPECT_EQ(old->GetRefCount(), 1);  // only our handle is left
}

}  // namespace
}  // namespace qln
