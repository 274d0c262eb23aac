// Project files: the exact bytes written, round trips, save and load
// progress, and the loader's answer to damaged or hostile files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/Applicant.h"
#include "model/Archive.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/Publication.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "support/ArchiveBytes.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

using test::Int32;
using test::Letters;

namespace fs = std::filesystem;
using Cause = CArchiveException::Cause;

// ---- building archive bytes by hand ----

std::string Word(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string Str(const std::string& text) {
    if (text.size() < 0xFF) return static_cast<char>(text.size()) + text;
    return "\xFF" + Word(static_cast<uint16_t>(text.size())) + text;
}

// Tag of a new object whose class is named here (schema 1).
std::string NewClass(const std::string& name, uint16_t schema = 1) {
    return Word(0xFFFF) + Word(schema) + Word(static_cast<uint16_t>(name.size())) + name;
}

// Tag of a new object of a class introduced before under this index.
std::string ClassRef(uint16_t index) { return Word(static_cast<uint16_t>(0x8000 | index)); }

const std::string kNoMessages = Word(0);
const std::string kDnaAlphabet = CDNASequence::kAlphabet;

// The project and its project data with empty texts, up to and including the
// last import folder. Indices: 1 CProject, 2 the project, 3 CProjectData, 4
// the project data; the next index is 5.
std::string ProjectHead() {
    return NewClass("CProject") + Word(0) + kNoMessages + NewClass("CProjectData") + Word(2) + kNoMessages + Str("") +
           Str("") + Str("") + Str("") + Word(0) + Str("");
}

// No applicants and no prior applications.
std::string ProjectTail() { return Int32(0) + Int32(0) + Int32(0); }

// A feature body after its tag: parent, no messages, key, comment, To, From,
// joined, reserved, row.
std::string FeatureBody(uint16_t parent, const std::string& key, const std::string& comment, const std::string& to,
                        const std::string& from, int32_t joined = 0) {
    return Word(parent) + kNoMessages + Str(key) + Str(comment) + Str(to) + Str(from) + Int32(joined) + Int32(0) +
           Int32(0);
}

// A DNA sequence body after its tag, up to and including the project
// reference: parent and project are the project (index 2).
std::string DnaBodyHead(const std::string& name, const std::string& residues, bool versioned = true) {
    return Word(2) + kNoMessages + (versioned ? Str("V3.3") : std::string()) + Str(name) + Str("Homo sapiens") +
           Str(residues) + Int32(0) + Int32(0) + Str(kDnaAlphabet) + Int32(0) + Str("DNA") + Word(2);
}

// The same followed by four empty publication lists.
std::string DnaBodyStart(const std::string& name, const std::string& residues, bool versioned = true) {
    return DnaBodyHead(name, residues, versioned) + Int32(0) + Int32(0) + Int32(0) + Int32(0);
}

// ---- storing and loading in memory ----

std::string StoreBytes(CProject& project, CProjectProgress* progress = nullptr) {
    std::string bytes;
    CStringSink sink(bytes);
    StoreProject(project, sink, "test.prj", progress);
    return bytes;
}

Ptr<CProject> LoadBytes(const std::string& bytes, CProjectProgress* progress = nullptr) {
    CMemorySource source(bytes);
    return LoadProject(source, "test.prj", progress);
}

// Loading the bytes fails with this cause and exactly this message.
::testing::AssertionResult FailsWith(const std::string& bytes, Cause cause, const std::string& message) {
    try {
        CMemorySource source(bytes);
        LoadProject(source, "broken.prj");
    } catch (const CArchiveException& e) {
        if (e.GetCause() != cause || e.what() != message)
            return ::testing::AssertionFailure()
                   << "failed with cause " << static_cast<int>(e.GetCause()) << " and \"" << e.what() << "\"";
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "loaded without an error";
}

const std::string kBadFormat = "broken.prj has a bad format.";
const std::string kUnexpectedObject = "broken.prj contained an unexpected object.";
const std::string kBadSchema = "broken.prj contains an incorrect schema.";
const std::string kPastEnd = "Attempted to access broken.prj past its end.";
const std::string kUnexpectedFormat = "Unexpected file format.";

template <class T, class... Args>
T* AddTo(CArray<Ptr<T>>& list, Args&&... args) {
    list.Add(Ptr<T>(new T(std::forward<Args>(args)...)));
    return list[list.GetSize() - 1].get();
}

// A project with something in every field the file holds: all five
// sequence kinds, every feature and publication class, custom codons,
// applicants, prior applications, custom organisms, messages, a skipped
// sequence and one in display layout. With parkable residues two sequences
// are long enough to be parked in residue files; without, all residues stay
// in memory, which keeps loops over thousands of loads free of file writes.
Ptr<CProject> MakeRichProject(bool parkable = true) {
    Ptr<CProject> project = MakePtr<CProject>();
    CProjectData& data = *project->GetProjectData();
    data.SetTitle("Rich project");
    data.SetFileReference("REF-7");
    data.SetApplicationNumber("US 10/123,456");
    data.GetFilingDate() = "2004-05-06";
    data.GetMessages() = {"Project Data Screen: a message"};
    project->GetCustomOrganisms() = {"Mus musculus", "Danio rerio"};
    project->SetLastImportFolder("C:\\imports\\run 4");
    project->GetMessages() = {"project message"};

    Ptr<CDNASequence> dna(new CDNASequence(project.get(), "dna-long", "Homo sapiens", Letters(parkable ? 150 : 90)));
    dna->SetResiduesValid(1);
    dna->SetReserved(77);
    dna->GetCustomCodons() = {{"tga", "W"}, {"aaa", "K"}};
    dna->GetComment()->SetComment("comment text");
    dna->GetMessages() = {"Sequence: dna-long: first", "Sequence: dna-long: second"};
    Ptr<CFeature> cds(new CDS(dna.get(), "coding", "1", "120", true));
    cds->SetReserved(5);
    cds->SetRow(1);
    cds->GetMessages() = {"feature message"};
    dna->GetFeatures().Add(cds);
    dna->GetFeatures().Add(Ptr<CFeature>(new CExon(dna.get(), "", "1", "60")));
    dna->GetFeatures().Add(Ptr<CFeature>(new CIntron(dna.get(), "", "61", "70")));
    dna->GetFeatures().Add(Ptr<CFeature>(new CMatPeptide(dna.get(), "", "71", "80")));
    dna->GetFeatures().Add(Ptr<CFeature>(new COtherFeature(dna.get(), "misc_feature", "n is a", "5", "9")));
    auto* journal = AddTo(dna->GetJournals(), dna.get(), "Doe, J.", "A title", "J. Mol.", "1", "2", "3-4", "2000-01-01",
                          "X1", "1999-12-12", "1", "10");
    journal->GetMessages() = {"journal message"};
    AddTo(dna->GetDatabases(), dna.get(), "GB123", "1998-01-01", "1", "5");
    AddTo(dna->GetPatents(), dna.get(), "Patent title", "US 5,000,000", "1990-01-01", "1991-01-01", "P1", "1992-02-02",
          "2", "8");
    AddTo(dna->GetTheses(), dna.get(), "Roe, R.", "Thesis title", "1995-06-01", "1-200", "T1", "1996-03-03", "3", "9");
    project->Add(dna.get());

    Ptr<CRNASequence> rna(new CRNASequence(project.get(), "rna", "Artificial Sequence", "augcuu"));
    rna->GetCustomCodons() = {{"uga", "W"}};
    rna->GetComment()->SetComment("made up");
    project->Add(rna.get());

    Ptr<CDNARNASequence> mixed(new CDNARNASequence(project.get(), "mixed", "unknown", "000"));
    mixed->SetSkipped(true);
    project->Add(mixed.get());

    Ptr<CProtein1Sequence> protein1(
        new CProtein1Sequence(project.get(), "prt-1", "Homo sapiens", Letters(parkable ? 130 : 40, "MKVL")));
    protein1->FormatForDisplay();
    protein1->GetFeatures().Add(Ptr<CFeature>(new CMatPeptide(protein1.get(), "", "2", "5")));
    project->Add(protein1.get());

    project->Add(new CProtein3Sequence(project.get(), "prt-3", "Homo sapiens", "MetLysVal"));

    Ptr<COrgApplicant> org(new COrgApplicant(project.get(), "Acme"));
    org->SetStreet("1 Road");
    org->SetCity("Town");
    org->SetState("ST");
    org->SetCountry("US");
    org->SetPostalCode("12345");
    org->SetPhoneNumber("555");
    org->SetFaxNumber("556");
    org->SetEmailAddress("a@b.c");
    project->GetOrgApplicants().Add(org);
    AddTo(project->GetIndivApplicants(), project.get(), "Ann", "Lee", "B", "Jr");
    AddTo(project->GetPriorApplications(), project.get(), "EP 1", "2001-02-03");
    AddTo(project->GetPriorApplications(), project.get(), "JP 2", "");
    return project;
}

// The stored rich project. The project itself is gone afterwards, so the
// callers may sweep residue files away.
std::string RichProjectBytes(bool parkable = true) {
    Ptr<CProject> project = MakeRichProject(parkable);
    return StoreBytes(*project);
}

// ---- exact bytes ----

TEST(ProjectFileBytes, NewEmptyProjectIsExactly63Bytes) {
    CProject project;
    const std::string expected = std::string("\xFF\xFF\x01\x00\x08\x00", 6) + "CProject" + std::string(4, '\0') +
                                 std::string("\xFF\xFF\x01\x00\x0C\x00", 6) + "CProjectData" +
                                 std::string("\x02\x00\x00\x00", 4) + std::string(4, '\0') + std::string(2, '\0') +
                                 std::string(1, '\0') + std::string(16, '\0');
    ASSERT_EQ(expected.size(), 63u);
    EXPECT_EQ(StoreBytes(project), expected);
}

TEST(ProjectFileBytes, TwoSequencesOfOneClassWithFeaturesAndCodons) {
    Ptr<CProject> project = MakePtr<CProject>();
    Ptr<CDNASequence> first(new CDNASequence(project.get(), "first", "Homo sapiens", Letters(300)));
    project->Add(first.get());
    // Leading white space of the residues is not written.
    Ptr<CDNASequence> second(new CDNASequence(project.get(), "second", "Homo sapiens", " \n\tacgt"));
    second->SetSkipped(true);
    second->GetComment()->SetComment("why");
    second->GetFeatures().Add(Ptr<CFeature>(new CDS(second.get(), "cds note", "1", "30", true)));
    second->GetCustomCodons()["tga"] = "W";
    project->Add(second.get());

    // Indices: 5 CDNASequence, 6 first, 7 CCommentFeature, 8 its comment,
    // 9 second, 10 its comment, 11 CDS, 12 the coding region.
    const std::string expected = ProjectHead() + Int32(2) + NewClass("CDNASequence") + Word(2) + kNoMessages +
                                 Str("V3.3") + Str("first") + Str("Homo sapiens") + "\xFF" + Word(300) + Letters(300) +
                                 Int32(0) + Int32(0) + Str(kDnaAlphabet) + Int32(0) + Str("DNA") + Word(2) + Int32(0) +
                                 Int32(0) + Int32(0) + Int32(0) + Int32(1) + NewClass("CCommentFeature") +
                                 FeatureBody(6, "", "", "", "") + Int32(0) + Int32(0) + ClassRef(5) +
                                 DnaBodyStart("second", "acgt") + Int32(2) + ClassRef(7) +
                                 FeatureBody(9, "", "why", "", "") + NewClass("CDS") +
                                 FeatureBody(9, "CDS", "cds note", "30", "1", 1) + Int32(1) + Int32(1) + Str("tga") +
                                 Str("W") + ProjectTail();
    const std::string bytes = StoreBytes(*project);
    EXPECT_EQ(bytes, expected);

    // The spots the format is easiest to get wrong, named on their own.
    EXPECT_NE(bytes.find(std::string("\xFF\x2C\x01", 3) + Letters(300)), std::string::npos);
    EXPECT_NE(bytes.find(ClassRef(5) + Word(2) + kNoMessages + Str("V3.3") + Str("second")), std::string::npos);
}

TEST(ProjectFileBytes, FeatureCountOfOneHoldsOnlyTheComment) {
    Ptr<CProject> project = MakePtr<CProject>();
    project->Add(new CDNASequence(project.get(), "s", "Homo sapiens", "acgt"));
    const std::string bytes = StoreBytes(*project);
    const std::string expected = ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "acgt") +
                                 Int32(1) + NewClass("CCommentFeature") + FeatureBody(6, "", "", "", "") + Int32(0) +
                                 Int32(0) + ProjectTail();
    EXPECT_EQ(bytes, expected);

    Ptr<CProject> loaded = LoadBytes(bytes);
    CSequence* s = loaded->GetSequences()[0].get();
    EXPECT_TRUE(s->GetFeatures().IsEmpty());
    ASSERT_NE(s->GetComment(), nullptr);
    EXPECT_EQ(s->GetComment()->GetParent(), s);
}

TEST(ProjectFileBytes, ProteinSequenceHasNoCodonCount) {
    Ptr<CProject> project = MakePtr<CProject>();
    project->Add(new CProtein1Sequence(project.get(), "p", "Homo sapiens", "MKV"));
    const std::string bytes = StoreBytes(*project);
    const std::string body = Word(2) + kNoMessages + Str("V3.3") + Str("p") + Str("Homo sapiens") + Str("MKV") +
                             Int32(0) + Int32(0) + Str(CProteinSequence::kAlphabet) + Int32(0) + Str("PRT") + Word(2) +
                             Int32(0) + Int32(0) + Int32(0) + Int32(0) + Int32(1) + NewClass("CCommentFeature") +
                             FeatureBody(6, "", "", "", "") + Int32(0);
    EXPECT_EQ(bytes, ProjectHead() + Int32(1) + NewClass("CProtein1Sequence") + body + ProjectTail());
}

// ---- reading older and unusual layouts ----

TEST(ProjectFileLoad, SequenceWithoutVersionTagHasNoSkippedField) {
    // Indices: 5 CDNASequence, 6 the sequence, 7 CCommentFeature, 8 comment.
    const std::string bytes = ProjectHead() + Int32(1) + NewClass("CDNASequence") +
                              DnaBodyStart("old-1", "acgtacgt", false) + Int32(1) + NewClass("CCommentFeature") +
                              FeatureBody(6, "", "old comment", "", "") +
                              // no skipped value: the custom codons follow at once
                              Int32(1) + Str("tga") + Str("W") + ProjectTail();
    Ptr<CProject> project = LoadBytes(bytes);
    ASSERT_EQ(project->GetSequences().GetSize(), 1);
    auto* s = dynamic_cast<CDNASequence*>(project->GetSequences()[0].get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetName(), "old-1");
    EXPECT_EQ(s->GetOrganism(), "Homo sapiens");
    EXPECT_EQ(s->GetResidues(), "acgtacgt");
    EXPECT_FALSE(s->IsSkipped());
    EXPECT_EQ(s->GetComment()->GetComment(), "old comment");
    EXPECT_EQ(s->GetCustomCodons(), (CBaseSequence::CodonTable{{"tga", "W"}}));
    EXPECT_EQ(project->Find("old-1"), s);

    // Stored again it gains the version tag and the skipped value.
    const std::string again = StoreBytes(*project);
    EXPECT_NE(again.find(Str("V3.3") + Str("old-1")), std::string::npos);
    EXPECT_EQ(LoadBytes(again)->GetSequences()[0]->GetName(), "old-1");
}

TEST(ProjectFileLoad, FirstFeatureThatIsNoCommentBecomesAFeature) {
    // Indices: 5 CDNASequence, 6 the sequence, 7 CDS, 8 the coding region,
    // 9 COtherFeature, 10 the other feature.
    const std::string bytes = ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "acgt") +
                              Int32(2) + NewClass("CDS") + FeatureBody(6, "CDS", "", "4", "1") +
                              NewClass("COtherFeature") + FeatureBody(6, "misc_feature", "x", "2", "2") + Int32(0) +
                              Int32(0) + ProjectTail();
    Ptr<CProject> project = LoadBytes(bytes);
    CSequence* s = project->GetSequences()[0].get();
    ASSERT_EQ(s->GetFeatures().GetSize(), 2);
    EXPECT_TRUE(s->GetFeatures()[0]->IsKindOf(CDS::runtimeClass));
    EXPECT_EQ(s->GetFeatures()[0]->GetToText(), "4");
    EXPECT_EQ(s->GetFeatures()[0]->GetFromText(), "1");
    EXPECT_TRUE(s->GetFeatures()[1]->IsKindOf(COtherFeature::runtimeClass));
    CCommentFeature* comment = s->GetComment();
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->GetParent(), s);
    EXPECT_EQ(comment->GetComment(), "");
    EXPECT_FALSE(comment->IsJoined());
    for (const auto& f : s->GetFeatures()) EXPECT_NE(f.get(), static_cast<CFeature*>(comment));
}

TEST(ProjectFileLoad, FeatureCountZeroGivesAFreshComment) {
    const std::string bytes = ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "acgt") +
                              Int32(0) + Int32(0) + Int32(0) + ProjectTail();
    Ptr<CProject> project = LoadBytes(bytes);
    CSequence* s = project->GetSequences()[0].get();
    EXPECT_TRUE(s->GetFeatures().IsEmpty());
    ASSERT_NE(s->GetComment(), nullptr);
    EXPECT_EQ(s->GetComment()->GetParent(), s);
    EXPECT_EQ(s->GetComment()->GetComment(), "");
}

TEST(ProjectFileLoad, LongFormsOfStringsAndTags) {
    // A wide title, a file reference with the 8-byte length, a 4-byte back
    // reference to the project and a 4-byte class tag for the second sequence.
    const std::string wideTitle = "\xFF" + Word(0xFFFE) + "\x05" + std::string("T\0i\0t\0l\0\xE9\0", 10);
    const std::string eightByteLength = "\xFF" + Word(0xFFFF) + Int32(-1) + Int32(4) + Int32(0) + "Long";
    const std::string bigBackReference = Word(0x7FFF) + Int32(2);
    const std::string bytes = NewClass("CProject") + Word(0) + kNoMessages + NewClass("CProjectData") +
                              bigBackReference + kNoMessages + wideTitle + eightByteLength + Str("") + Str("") +
                              Word(0xFFFF) + Int32(1) + Str("Danio rerio") + Str("") + Int32(2) +
                              NewClass("CDNASequence") + DnaBodyStart("a", "acgt") + Int32(0) + Int32(0) + Int32(0) +
                              Word(0x7FFF) + Int32(static_cast<int32_t>(0x80000005u)) + DnaBodyStart("b", "acgt") +
                              Int32(0) + Int32(1) + Int32(0) + ProjectTail();
    Ptr<CProject> project = LoadBytes(bytes);
    EXPECT_EQ(project->GetProjectData()->GetTitle(), "Titl\xE9");
    EXPECT_EQ(project->GetProjectData()->GetFileReference(), "Long");
    EXPECT_EQ(project->GetCustomOrganisms(), StringList{"Danio rerio"});
    ASSERT_EQ(project->GetSequences().GetSize(), 2);
    EXPECT_TRUE(project->GetSequences()[1]->IsKindOf(CDNASequence::runtimeClass));
    EXPECT_EQ(project->GetSequences()[1]->GetName(), "b");
    EXPECT_TRUE(project->GetSequences()[1]->IsSkipped());
}

// A parent reference may introduce an object of its own. It is dropped
// after loading: the owner is the parent, and storing writes nothing of it.
TEST(ProjectFileLoad, ParentThatIsNoOwnerIsReplacedByTheOwner) {
    // Indices: 5 CDNASequence, 6 the sequence, 7 CCommentFeature, 8 the
    // comment, 9 a sequence made only as the comment's parent, 10 CDS, 11
    // the coding region, which names that sequence as its parent too.
    const std::string stray = ClassRef(5) + DnaBodyStart("stray", "acgt") + Int32(0) + Int32(0) + Int32(0);
    const std::string bytes = ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "acgt") +
                              Int32(2) + NewClass("CCommentFeature") + stray + kNoMessages + Str("") + Str("note") +
                              Str("") + Str("") + Int32(0) + Int32(0) + Int32(0) + NewClass("CDS") +
                              FeatureBody(9, "CDS", "", "4", "1") + Int32(0) + Int32(0) + ProjectTail();
    Ptr<CProject> project = LoadBytes(bytes);
    ASSERT_EQ(project->GetSequences().GetSize(), 1);
    CSequence* s = project->GetSequences()[0].get();
    EXPECT_EQ(project->Find("stray"), nullptr);
    EXPECT_EQ(s->GetComment()->GetComment(), "note");
    EXPECT_EQ(s->GetComment()->GetParent(), s);
    ASSERT_EQ(s->GetFeatures().GetSize(), 1);
    EXPECT_EQ(s->GetFeatures()[0]->GetParent(), s);

    const std::string stored = StoreBytes(*project);
    EXPECT_EQ(stored.find("stray"), std::string::npos);
    EXPECT_EQ(StoreBytes(*LoadBytes(stored)), stored);
}

// ---- round trip ----

TEST(ProjectFileRoundTrip, RichProjectStoresLoadsAndStoresTheSameBytes) {
    const std::string bytes = RichProjectBytes();
    Ptr<CProject> project = LoadBytes(bytes);
    EXPECT_EQ(StoreBytes(*project), bytes);

    EXPECT_EQ(project->GetParent(), nullptr);
    EXPECT_EQ(project->GetMessages(), StringList{"project message"});
    CProjectData& data = *project->GetProjectData();
    EXPECT_EQ(data.GetParent(), project.get());
    EXPECT_EQ(data.GetTitle(), "Rich project");
    EXPECT_EQ(data.GetFileReference(), "REF-7");
    EXPECT_EQ(data.GetApplicationNumber(), "US 10/123,456");
    EXPECT_EQ(data.GetFilingDate().GetText(), "2004-05-06");
    EXPECT_EQ(data.GetMessages(), StringList{"Project Data Screen: a message"});
    EXPECT_EQ(project->GetCustomOrganisms(), (StringList{"Mus musculus", "Danio rerio"}));
    EXPECT_EQ(project->GetLastImportFolder(), "C:\\imports\\run 4");

    const auto& sequences = project->GetSequences();
    ASSERT_EQ(sequences.GetSize(), 5);
    EXPECT_TRUE(sequences[0]->IsKindOf(CDNASequence::runtimeClass));
    EXPECT_TRUE(sequences[1]->IsKindOf(CRNASequence::runtimeClass));
    EXPECT_TRUE(sequences[2]->IsKindOf(CDNARNASequence::runtimeClass));
    EXPECT_TRUE(sequences[3]->IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_TRUE(sequences[4]->IsKindOf(CProtein3Sequence::runtimeClass));
    for (const auto& s : sequences) {
        EXPECT_EQ(s->GetParent(), project.get()) << s->GetName();
        EXPECT_EQ(s->GetProject(), project.get()) << s->GetName();
        EXPECT_EQ(project->Find(s->GetName()), s.get());
        EXPECT_EQ(s->GetComment()->GetParent(), s.get());
        for (const auto& f : s->GetFeatures()) EXPECT_EQ(f->GetParent(), s.get());
    }

    // Long residues are parked after loading, short ones stay.
    EXPECT_FALSE(sequences[0]->AreResiduesInMemory());
    EXPECT_FALSE(sequences[3]->AreResiduesInMemory());
    EXPECT_TRUE(sequences[1]->AreResiduesInMemory());
    EXPECT_TRUE(sequences[4]->AreResiduesInMemory());

    auto* dna = static_cast<CDNASequence*>(sequences[0].get());
    EXPECT_EQ(dna->GetResidues(), Letters(150));
    EXPECT_EQ(dna->GetOrganism(), "Homo sapiens");
    EXPECT_EQ(dna->GetResiduesValid(), 1);
    EXPECT_EQ(dna->GetReserved(), 77);
    EXPECT_EQ(dna->GetTypeName(), "DNA");
    EXPECT_EQ(dna->GetAlphabet(), CDNASequence::kAlphabet);
    EXPECT_EQ(dna->GetMessages(), (StringList{"Sequence: dna-long: first", "Sequence: dna-long: second"}));
    EXPECT_EQ(dna->GetCustomCodons(), (CBaseSequence::CodonTable{{"aaa", "K"}, {"tga", "W"}}));
    EXPECT_EQ(dna->GetComment()->GetComment(), "comment text");
    const auto& features = dna->GetFeatures();
    ASSERT_EQ(features.GetSize(), 5);
    EXPECT_TRUE(features[0]->IsKindOf(CDS::runtimeClass));
    EXPECT_TRUE(features[1]->IsKindOf(CExon::runtimeClass));
    EXPECT_TRUE(features[2]->IsKindOf(CIntron::runtimeClass));
    EXPECT_TRUE(features[3]->IsKindOf(CMatPeptide::runtimeClass));
    EXPECT_TRUE(features[4]->IsKindOf(COtherFeature::runtimeClass));
    EXPECT_EQ(features[0]->GetFromText(), "1");
    EXPECT_EQ(features[0]->GetToText(), "120");
    EXPECT_TRUE(features[0]->IsJoined());
    EXPECT_EQ(features[0]->GetReserved(), 5);
    EXPECT_EQ(features[0]->GetRow(), 1);
    EXPECT_EQ(features[0]->GetMessages(), StringList{"feature message"});
    EXPECT_EQ(features[4]->GetKey(), "misc_feature");
    EXPECT_EQ(features[4]->GetComment(), "n is a");

    ASSERT_EQ(dna->GetJournals().GetSize(), 1);
    const CJournal& journal = *dna->GetJournals()[0];
    EXPECT_EQ(journal.GetParent(), dna);
    EXPECT_EQ(journal.GetAuthors(), "Doe, J.");
    EXPECT_EQ(journal.GetTitle(), "A title");
    EXPECT_EQ(journal.GetJournalName(), "J. Mol.");
    EXPECT_EQ(journal.GetVolume(), "1");
    EXPECT_EQ(journal.GetIssue(), "2");
    EXPECT_EQ(journal.GetPageRange(), "3-4");
    EXPECT_EQ(journal.GetPublicationDate().GetText(), "2000-01-01");
    EXPECT_EQ(journal.GetAccessionNumber(), "X1");
    EXPECT_EQ(journal.GetEntryDate().GetText(), "1999-12-12");
    EXPECT_EQ(journal.GetFromText(), "1");
    EXPECT_EQ(journal.GetToText(), "10");
    EXPECT_EQ(journal.GetMessages(), StringList{"journal message"});
    ASSERT_EQ(dna->GetDatabases().GetSize(), 1);
    EXPECT_EQ(dna->GetDatabases()[0]->GetParent(), dna);
    EXPECT_EQ(dna->GetDatabases()[0]->GetAccessionNumber(), "GB123");
    ASSERT_EQ(dna->GetPatents().GetSize(), 1);
    const CPatent& patent = *dna->GetPatents()[0];
    EXPECT_EQ(patent.GetParent(), dna);
    EXPECT_EQ(patent.GetTitle(), "Patent title");
    EXPECT_EQ(patent.GetDocumentNumber(), "US 5,000,000");
    EXPECT_EQ(patent.GetFilingDate().GetText(), "1990-01-01");
    EXPECT_EQ(patent.GetPublicationDate().GetText(), "1991-01-01");
    ASSERT_EQ(dna->GetTheses().GetSize(), 1);
    const CThesis& thesis = *dna->GetTheses()[0];
    EXPECT_EQ(thesis.GetParent(), dna);
    EXPECT_EQ(thesis.GetAuthors(), "Roe, R.");
    EXPECT_EQ(thesis.GetDate().GetText(), "1995-06-01");
    EXPECT_EQ(thesis.GetPageRange(), "1-200");

    auto* rna = static_cast<CRNASequence*>(sequences[1].get());
    EXPECT_EQ(rna->GetCustomCodons(), (CBaseSequence::CodonTable{{"uga", "W"}}));
    EXPECT_EQ(rna->GetComment()->GetComment(), "made up");
    EXPECT_TRUE(sequences[2]->IsSkipped());
    EXPECT_FALSE(sequences[1]->IsSkipped());
    EXPECT_EQ(sequences[2]->GetResidues(), "000");
    EXPECT_EQ(sequences[2]->GetTypeName(), "DNA/RNA");
    EXPECT_TRUE(sequences[3]->IsDisplayLayout());
    EXPECT_EQ(sequences[3]->GetResidueCount(), 130);
    EXPECT_FALSE(sequences[4]->IsDisplayLayout());
    EXPECT_EQ(sequences[4]->GetResidues(), "MetLysVal");
    EXPECT_EQ(sequences[4]->GetTypeName(), "PRT");

    ASSERT_EQ(project->GetOrgApplicants().GetSize(), 1);
    const COrgApplicant& org = *project->GetOrgApplicants()[0];
    EXPECT_EQ(org.GetParent(), project.get());
    EXPECT_EQ(org.GetOrganizationName(), "Acme");
    EXPECT_EQ(org.GetStreet(), "1 Road");
    EXPECT_EQ(org.GetCity(), "Town");
    EXPECT_EQ(org.GetState(), "ST");
    EXPECT_EQ(org.GetCountry(), "US");
    EXPECT_EQ(org.GetPostalCode(), "12345");
    EXPECT_EQ(org.GetPhoneNumber(), "555");
    EXPECT_EQ(org.GetFaxNumber(), "556");
    EXPECT_EQ(org.GetEmailAddress(), "a@b.c");
    ASSERT_EQ(project->GetIndivApplicants().GetSize(), 1);
    const CIndivApplicant& person = *project->GetIndivApplicants()[0];
    EXPECT_EQ(person.GetParent(), project.get());
    EXPECT_EQ(person.GetFirstName(), "Ann");
    EXPECT_EQ(person.GetLastName(), "Lee");
    EXPECT_EQ(person.GetMiddleInitial(), "B");
    EXPECT_EQ(person.GetSuffix(), "Jr");
    ASSERT_EQ(project->GetPriorApplications().GetSize(), 2);
    EXPECT_EQ(project->GetPriorApplications()[0]->GetParent(), project.get());
    EXPECT_EQ(project->GetPriorApplications()[0]->GetNumber(), "EP 1");
    EXPECT_EQ(project->GetPriorApplications()[0]->GetFilingDate().GetText(), "2001-02-03");
    EXPECT_EQ(project->GetPriorApplications()[1]->GetNumber(), "JP 2");
}

TEST(ProjectFileRoundTrip, StoringParksLongResiduesAgain) {
    Ptr<CProject> project = MakePtr<CProject>();
    Ptr<CDNASequence> longOne(new CDNASequence(project.get(), "long", "Homo sapiens", Letters(101)));
    Ptr<CDNASequence> edge(new CDNASequence(project.get(), "edge", "Homo sapiens", Letters(100)));
    project->Add(longOne.get());
    project->Add(edge.get());
    const std::string bytes = StoreBytes(*project);
    EXPECT_FALSE(longOne->AreResiduesInMemory());
    EXPECT_TRUE(edge->AreResiduesInMemory());
    EXPECT_EQ(longOne->GetResidues(), Letters(101));

    Ptr<CProject> loaded = LoadBytes(bytes);
    EXPECT_FALSE(loaded->GetSequences()[0]->AreResiduesInMemory());
    EXPECT_TRUE(loaded->GetSequences()[1]->AreResiduesInMemory());
    EXPECT_EQ(StoreBytes(*loaded), bytes);
}

// ---- progress ----

class RecordingProgress : public CProjectProgress {
public:
    // Answers "cancelled" from the given question on (1-based); 0 never.
    explicit RecordingProgress(int cancelAtQuestion = 0) : cancelAt_(cancelAtQuestion) {}
    void Command(int code, int value) override { commands.emplace_back(code, value); }
    bool IsCancelled() override { return cancelAt_ > 0 && ++questions_ >= cancelAt_; }
    void SetStatusText(const std::string& text) override { texts.push_back(text); }

    std::vector<std::pair<int, int>> commands;
    std::vector<std::string> texts;

private:
    int cancelAt_;
    int questions_ = 0;
};

using Commands = std::vector<std::pair<int, int>>;
using Texts = std::vector<std::string>;

Ptr<CProject> ProjectWithSequences(int n) {
    Ptr<CProject> project = MakePtr<CProject>();
    for (int i = 1; i <= n; ++i)
        project->Add(new CDNASequence(project.get(), "s" + std::to_string(i), "Homo sapiens", "acgt"));
    return project;
}

using test::TempFolder;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TEST(ProjectFileProgress, SaveReportsTheCountThenEverySequence) {
    Ptr<CProject> project = ProjectWithSequences(3);
    RecordingProgress progress;
    std::string bytes;
    CStringSink sink(bytes);
    EXPECT_EQ(StoreProject(*project, sink, "x.prj", &progress), SaveResult::Saved);
    EXPECT_EQ(progress.commands, (Commands{{1037, 3}, {1038, 1}, {1038, 2}, {1038, 3}}));
    EXPECT_EQ(progress.texts, (Texts{"Sequences Saved: 1", "Sequences Saved: 2", "Sequences Saved: 3"}));

    Ptr<CProject> empty = MakePtr<CProject>();
    RecordingProgress none;
    StoreBytes(*empty, &none);
    EXPECT_EQ(none.commands, (Commands{{1037, 0}}));
    EXPECT_TRUE(none.texts.empty());
}

TEST(ProjectFileProgress, CancelBeforeTheSecondSequenceStopsTheSave) {
    Ptr<CProject> project = ProjectWithSequences(3);
    RecordingProgress cancelling(2);
    std::string bytes;
    CStringSink sink(bytes);
    EXPECT_EQ(StoreProject(*project, sink, "x.prj", &cancelling), SaveResult::Cancelled);
    EXPECT_EQ(cancelling.commands, (Commands{{1037, 3}, {1038, 1}}));
    EXPECT_EQ(cancelling.texts, Texts{"Sequences Saved: 1"});

    // The next save starts afresh.
    RecordingProgress patient;
    std::string full;
    CStringSink fullSink(full);
    EXPECT_EQ(StoreProject(*project, fullSink, "x.prj", &patient), SaveResult::Saved);
    EXPECT_EQ(LoadBytes(full)->GetSequences().GetSize(), 3);
}

TEST(ProjectFileProgress, CancelledFileSaveLeavesThePreviousFile) {
    TempFolder folder;
    const fs::path path = folder.path() / "project.prj";
    WriteFile(path, "previous contents");

    Ptr<CProject> project = ProjectWithSequences(3);
    RecordingProgress cancelling(2);
    EXPECT_EQ(SaveProjectFile(*project, path.string(), &cancelling), SaveResult::Cancelled);
    EXPECT_EQ(ReadFile(path), "previous contents");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"project.prj"});

    RecordingProgress patient;
    EXPECT_EQ(SaveProjectFile(*project, path.string(), &patient), SaveResult::Saved);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"project.prj"});
    EXPECT_EQ(ReadFile(path), StoreBytes(*project));
    Ptr<CProject> loaded = LoadProjectFile(path.string());
    EXPECT_EQ(loaded->GetSequences().GetSize(), 3);
}

TEST(ProjectFileProgress, LoadReportsSequencesLoaded) {
    Ptr<CProject> project = ProjectWithSequences(3);
    const std::string bytes = StoreBytes(*project);
    RecordingProgress progress;
    Ptr<CProject> loaded = LoadBytes(bytes, &progress);
    EXPECT_EQ(progress.texts, (Texts{"Sequences Loaded: 1", "Sequences Loaded: 2", "Sequences Loaded: 3"}));
    EXPECT_TRUE(progress.commands.empty());

    // A later load without a receiver reports to nobody.
    LoadBytes(bytes);
    EXPECT_EQ(progress.texts.size(), 3u);
}

// ---- files on disk ----

TEST(ProjectFileDisk, SaveIntoMissingFolderIsAWriteErrorAndCreatesNothing) {
    TempFolder folder;
    const fs::path missing = folder.path() / "no such folder";
    const std::string path = (missing / "p.prj").string();
    Ptr<CProject> project = ProjectWithSequences(1);
    try {
        SaveProjectFile(*project, path);
        FAIL() << "saved into a missing folder";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), Cause::WriteError);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(folder.Names().empty());
}

// A save killed before its rename left its temporary file: the next save of
// that project clears it, and leaves other projects' and the user's files.
TEST(ProjectFileDisk, NextSaveRemovesTheProjectsStaleTemporaryFiles) {
    TempFolder folder;
    const fs::path path = folder.path() / "project.prj";
    for (const char* name : {"project.prj.saving-123456", "project.prj.saving", "other.prj.saving-42",
                             "project.prj.saving-notes", "project.prj.savings"})
        WriteFile(folder.path() / name, "half a project");
    Ptr<CProject> project = ProjectWithSequences(1);
    EXPECT_EQ(SaveProjectFile(*project, path.string()), SaveResult::Saved);
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"other.prj.saving-42", "project.prj", "project.prj.saving-notes",
                                               "project.prj.savings"}));
}

TEST(ProjectFileDisk, LoadingAMissingFileIsAReadError) {
    TempFolder folder;
    const std::string path = (folder.path() / "absent.prj").string();
    try {
        LoadProjectFile(path);
        FAIL() << "loaded a missing file";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), Cause::ReadError);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

TEST(ProjectFileDisk, DamagedFileNamesItselfInTheMessage) {
    TempFolder folder;
    const fs::path path = folder.path() / "cut.prj";
    WriteFile(path, RichProjectBytes().substr(0, 100));
    try {
        LoadProjectFile(path.string());
        FAIL() << "loaded a cut file";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), Cause::EndOfFile);
        EXPECT_EQ(std::string(e.what()), "Attempted to access " + path.string() + " past its end.");
    }
}

// ---- damaged and hostile input ----

TEST(ProjectFileFaults, LengthsBeyondTheEnd) {
    const std::string head = NewClass("CProject") + Word(0) + kNoMessages + NewClass("CProjectData") + Word(2) +
                             kNoMessages;
    EXPECT_TRUE(FailsWith(head + "\x0A" + "abc", Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith(head + "\xFF" + Word(300) + "abc", Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith(head + "\xFF" + Word(0xFFFF) + Int32(-2) + "abc", Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith(head + "\xFF" + Word(0xFFFF) + Int32(-1) + Int32(-1) + Int32(-1) + "abc", Cause::EndOfFile,
                          kPastEnd));
    // Wide strings count two bytes a character.
    EXPECT_TRUE(
        FailsWith(head + "\xFF" + Word(0xFFFE) + "\x03" + std::string("a\0b\0", 4), Cause::EndOfFile, kPastEnd));
    // Class names and string arrays.
    EXPECT_TRUE(FailsWith(Word(0xFFFF) + Word(1) + Word(8) + "CProj", Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith(NewClass("CProject") + Word(0) + Word(5) + Str("one"), Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith("", Cause::EndOfFile, kPastEnd));
    EXPECT_TRUE(FailsWith("\xFF", Cause::EndOfFile, kPastEnd));
}

TEST(ProjectFileFaults, TagsThatNameNothingDefined) {
    const std::string top = NewClass("CProject") + Word(0) + kNoMessages;
    // A class index that was never given.
    EXPECT_TRUE(FailsWith(top + ClassRef(9), Cause::BadFormat, kBadFormat));
    // A back reference to an object not yet read.
    EXPECT_TRUE(FailsWith(top + Word(7), Cause::BadFormat, kBadFormat));
    EXPECT_TRUE(FailsWith(top + Word(0x7FFF) + Int32(0x12345), Cause::BadFormat, kBadFormat));
    // A class index used as an object, and an object index used as a class.
    EXPECT_TRUE(FailsWith(top + Word(1), Cause::BadFormat, kBadFormat));
    EXPECT_TRUE(FailsWith(top + ClassRef(2), Cause::BadFormat, kBadFormat));
    EXPECT_TRUE(FailsWith(top + ClassRef(0), Cause::BadFormat, kBadFormat));
    // A class name longer than any class has.
    EXPECT_TRUE(FailsWith(Word(0xFFFF) + Word(1) + Word(64) + std::string(64, 'C'), Cause::BadFormat, kBadFormat));
    // The first tag of a file can refer to nothing.
    EXPECT_TRUE(FailsWith(Word(1), Cause::BadFormat, kBadFormat));
}

TEST(ProjectFileFaults, ObjectsThatDoNotBelongWhereTheyAre) {
    const std::string top = NewClass("CProject") + Word(0) + kNoMessages;
    const std::string afterData = Str("") + Str("") + Str("") + Str("") + Word(0) + Str("");
    EXPECT_TRUE(FailsWith(top + NewClass("CProjectDatX") + Word(2), Cause::UnexpectedObject, kUnexpectedObject));
    // Abstract classes are never written on their own.
    EXPECT_TRUE(FailsWith(top + NewClass("CSequence") + Word(2), Cause::UnexpectedObject, kUnexpectedObject));
    EXPECT_TRUE(FailsWith(top + NewClass("COrgApplicant") + Word(2), Cause::UnexpectedObject, kUnexpectedObject));
    // The project data may not be missing.
    EXPECT_TRUE(FailsWith(top + Word(0) + Word(0) + afterData, Cause::UnexpectedObject, kUnexpectedObject));
    // A sequence list holding applicants or nothing.
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(1) + NewClass("COrgApplicant") + Word(2), Cause::UnexpectedObject,
                          kUnexpectedObject));
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(1) + Word(0), Cause::UnexpectedObject, kUnexpectedObject));
    // An applicant list holding a prior application.
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(0) + Int32(1) + NewClass("CEarlierApplication") + Word(2),
                          Cause::UnexpectedObject, kUnexpectedObject));
    // A sequence's project reference naming the project data.
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(1) + NewClass("CDNASequence") + Word(2) + kNoMessages + Str("V3.3") +
                              Str("s") + Str("") + Str("") + Int32(0) + Int32(0) + Str("") + Int32(0) + Str("DNA") +
                              Word(4),
                          Cause::UnexpectedObject, kUnexpectedObject));
    // A journal list holding a patent.
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyHead("s", "") + Int32(1) +
                              NewClass("CPatent") + Word(6),
                          Cause::UnexpectedObject, kUnexpectedObject));
}

// Every record has one owner. A back reference where a list or field takes
// ownership would hand one object to two owners, possibly to one that only
// lives while the file is read, leaving the survivor pointing at freed memory.
TEST(ProjectFileFaults, RecordsWithTwoOwnersAreRefused) {
    // Indices: 5 CDNASequence, 6 the first sequence.
    const std::string first = NewClass("CDNASequence") + DnaBodyStart("s", "acgt") + Int32(0) + Int32(0) + Int32(0);
    // The same sequence twice in the list.
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(2) + first + Word(6) + ProjectTail(), Cause::UnexpectedObject,
                          kUnexpectedObject));
    // The second sequence's parent is a new project (8, with project data
    // 9) that claims the first sequence, then goes away with the archive.
    const std::string borrowingProject = ClassRef(1) + Word(0) + kNoMessages + ClassRef(3) + Word(8) + kNoMessages +
                                         Str("") + Str("") + Str("") + Str("") + Word(0) + Str("") + Int32(1) +
                                         Word(6) + ProjectTail();
    const std::string second = ClassRef(5) + borrowingProject + kNoMessages + Str("V3.3") + Str("t") + Str("") +
                               Str("") + Int32(0) + Int32(0) + Str(kDnaAlphabet) + Int32(0) + Str("DNA") + Word(2) +
                               Int32(0) + Int32(0) + Int32(0) + Int32(0) + Int32(0) + Int32(0) + Int32(0);
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(2) + first + second + ProjectTail(), Cause::UnexpectedObject,
                          kUnexpectedObject));
    // A feature of the first sequence listed again by the second (indices:
    // 7 CDS, 8 the coding region, 9 the second sequence).
    const std::string withFeature = NewClass("CDNASequence") + DnaBodyStart("s", "acgt") + Int32(1) + NewClass("CDS") +
                                    FeatureBody(6, "CDS", "", "4", "1") + Int32(0) + Int32(0);
    const std::string sharing = ClassRef(5) + DnaBodyStart("t", "acgt") + Int32(1) + Word(8) + Int32(0) + Int32(0);
    EXPECT_TRUE(FailsWith(ProjectHead() + Int32(2) + withFeature + sharing + ProjectTail(), Cause::UnexpectedObject,
                          kUnexpectedObject));
    // The project data read first as the project's parent, then named again
    // where the project owns it.
    EXPECT_TRUE(FailsWith(NewClass("CProject") + NewClass("CProjectData") + Word(2) + kNoMessages + Str("") + Str("") +
                              Str("") + Str("") + kNoMessages + Word(4) + Word(0) + Str("") + Int32(0) + ProjectTail(),
                          Cause::UnexpectedObject, kUnexpectedObject));
}

TEST(ProjectFileFaults, SchemaOtherThanOne) {
    const std::string rest = Word(0) + kNoMessages + NewClass("CProjectData") + Word(2);
    EXPECT_TRUE(FailsWith(NewClass("CProject", 2) + rest, Cause::BadSchema, kBadSchema));
    EXPECT_TRUE(FailsWith(NewClass("CProject", 0) + rest, Cause::BadSchema, kBadSchema));
    EXPECT_TRUE(FailsWith(NewClass("CProject") + Word(0) + kNoMessages + NewClass("CProjectData", 0xFFFF),
                          Cause::BadSchema, kBadSchema));
}

TEST(ProjectFileFaults, TopObjectMustBeAProject) {
    EXPECT_TRUE(FailsWith(Word(0), Cause::UnexpectedFormat, kUnexpectedFormat));
    EXPECT_TRUE(FailsWith(NewClass("CProjectData") + Word(0) + kNoMessages + Str("") + Str("") + Str("") + Str(""),
                          Cause::UnexpectedFormat, kUnexpectedFormat));
    EXPECT_TRUE(FailsWith(NewClass("CModel") + Word(0) + kNoMessages, Cause::UnexpectedFormat, kUnexpectedFormat));
}

TEST(ProjectFileFaults, NegativeCountsAreRejected) {
    EXPECT_THROW(LoadBytes(ProjectHead() + Int32(-1) + ProjectTail()), CArchiveException);
    EXPECT_THROW(LoadBytes(ProjectHead() + Int32(0) + Int32(-5) + Int32(0) + Int32(0)), CArchiveException);
    EXPECT_THROW(LoadBytes(ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "") + Int32(-1)),
                 CArchiveException);
}

TEST(ProjectFileFaults, HugeCountsWithFewBytesFailAtTheEnd) {
    const int32_t huge = 0x7FFFFFFF;
    const std::string seq = NewClass("CDNASequence") + DnaBodyStart("s", "");
    const std::vector<std::string> cases = {
        ProjectHead() + Int32(huge) + seq + Int32(0) + Int32(0) + Int32(0),
        ProjectHead() + Int32(0) + Int32(huge) + NewClass("COrgApplicant"),
        ProjectHead() + Int32(0) + Int32(0) + Int32(0) + Int32(huge),
        ProjectHead() + Int32(1) + seq + Int32(huge),
        ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyHead("s", "") + Int32(huge),
        ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyHead("s", "") + Int32(0) + Int32(0) + Int32(0) +
            Int32(huge),
        ProjectHead() + Int32(1) + seq + Int32(0) + Int32(0) + Int32(huge),
        ProjectHead() + Int32(1) + seq + Int32(0) + Int32(0) + Int32(huge) + Str("tga") + Str("W"),
        // Custom organisms: the 4-byte count form.
        NewClass("CProject") + Word(0) + kNoMessages + NewClass("CProjectData") + Word(2) + kNoMessages + Str("") +
            Str("") + Str("") + Str("") + Word(0xFFFF) + Int32(huge) + Str("x"),
        NewClass("CProject") + Word(0) + Word(0xFFFF) + Int32(-1),
    };
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_THROW(LoadBytes(cases[i]), CArchiveException) << "case " << i;
}

TEST(ProjectFileFaults, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    // Each project's parent reference is another new project, 20000 deep.
    std::string bytes = NewClass("CProject");
    for (int i = 0; i < 20000; ++i) bytes += ClassRef(1);
    EXPECT_TRUE(FailsWith(bytes, Cause::BadFormat, kBadFormat));

    // The same through features whose parent is another new feature.
    std::string features = ProjectHead() + Int32(1) + NewClass("CDNASequence") + DnaBodyStart("s", "") + Int32(1) +
                           NewClass("CDS");
    for (int i = 0; i < 20000; ++i) features += ClassRef(7);
    EXPECT_TRUE(FailsWith(features, Cause::BadFormat, kBadFormat));
}

// Every prefix of a good file is a file that ends early, whatever the
// field it cuts.
TEST(ProjectFileFaults, CutShortAtEveryOffset) {
    const std::string bytes = RichProjectBytes(false);
    ASSERT_GT(bytes.size(), 1500u) << bytes.size();
    ASSERT_LT(bytes.size(), 5000u);
    size_t wrong = 0;
    std::string firstWrong;
    for (size_t n = 0; n < bytes.size(); ++n) {
        try {
            LoadBytes(bytes.substr(0, n));
            if (!wrong++) firstWrong = "length " + std::to_string(n) + " loaded";
        } catch (const CArchiveException& e) {
            if (e.GetCause() != Cause::EndOfFile && !wrong++)
                firstWrong = "length " + std::to_string(n) + ": " + e.what();
        }
    }
    EXPECT_EQ(wrong, 0u) << firstWrong;
}

// A file that ends after a sequence parked its residues: the load fails the
// same way, and the file it wrote does not disturb the next load.
TEST(ProjectFileFaults, CutShortAfterResiduesWereParked) {
    Ptr<CProject> project = MakePtr<CProject>();
    Ptr<CDNASequence> dna(new CDNASequence(project.get(), "long", "Homo sapiens", Letters(150)));
    dna->GetFeatures().Add(Ptr<CFeature>(new CDS(dna.get(), "", "1", "150")));
    project->Add(dna.get());
    project->Add(new CDNASequence(project.get(), "long-2", "Homo sapiens", Letters(200)));
    const std::string bytes = StoreBytes(*project);
    const size_t afterResidues = bytes.find(Letters(150)) + 150;
    ASSERT_NE(afterResidues, std::string::npos);
    for (size_t n = afterResidues; n < bytes.size(); n += 9)
        EXPECT_TRUE(FailsWith(bytes.substr(0, n), Cause::EndOfFile, kPastEnd)) << "length " << n;
    Ptr<CProject> loaded = LoadBytes(bytes);
    EXPECT_EQ(loaded->GetSequences()[0]->GetResidues(), Letters(150));
    EXPECT_EQ(loaded->GetSequences()[1]->GetResidues(), Letters(200));
}

// Changed bytes may load or fail, but only with the archive's own errors,
// and whatever loaded can be stored again.
TEST(ProjectFileFaults, SingleByteChangesNeverCrash) {
    const std::string bytes = RichProjectBytes(false);
    size_t loaded = 0, failed = 0;
    for (size_t offset = 0; offset < bytes.size(); ++offset) {
        const auto original = static_cast<unsigned char>(bytes[offset]);
        // A neighbouring value shifts a length or count by one; 0xFF turns
        // lengths and tags into their long forms.
        const unsigned char values[] = {static_cast<unsigned char>(original ^ 0x01), 0xFF};
        for (unsigned char value : values) {
            if (value == original) continue;
            std::string changed = bytes;
            changed[offset] = static_cast<char>(value);
            try {
                Ptr<CProject> project = LoadBytes(changed);
                StoreBytes(*project);
                ++loaded;
            } catch (const CArchiveException&) {
                ++failed;
            } catch (const CResidueFileError&) {
                ++failed;
            }
        }
    }
    EXPECT_GT(loaded, 0u);
    EXPECT_GT(failed, 0u);
}

}  // namespace
}  // namespace qln
