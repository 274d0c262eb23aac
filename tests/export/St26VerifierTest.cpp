// The ST.26 verifier: a listing that breaks no rule passes, and a copy of it
// that breaks one rule gives findings of that rule only; WIPO's own files
// give what WIPO's tool reports on them; the file is read as untrusted
// input.
#include "export/St26Verifier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "export/St26Dtd.h"
#include "export/St26TestSupport.h"
#include "export/St26XmlReader.h"

namespace qln {
namespace {

namespace fs = std::filesystem;
using Severity = CSt26Finding::Severity;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kListings = fs::path(QLN_TEST_DATA_DIR) / "st26-listings";

std::string ValidListing() { return ReadText(kListings / "valid.xml"); }

// Each finding on its own line, for failure messages.
std::string Shown(const CSt26Findings& findings) { return "\n" + findings.Lines(); }

using Replacements = std::vector<std::pair<std::string, std::string>>;

// The text with the first occurrence of each "from" replaced, in order; a
// "from" missing is a fault of the test.
std::string Replaced(std::string text, const Replacements& replacements) {
    for (const auto& [from, to] : replacements) {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

struct Breach {
    St26Rule rule;
    Severity severity;
    Replacements replacements;
};

// One rule each; the valid listing's SEQ IDs: 1 DNA with a CDS, 2 its
// protein, 3 a synthetic RNA with a non-English note, 4 skipped, 5 a protein
// with features, 6 a DNA with most nucleotide features.
// clang-format off
const Breach kBreaches[] = {
    {St26Rule::Xml, Severity::Error, {{"</ApplicantName>", "</ApplicantNam>"}}},
    {St26Rule::Declaration, Severity::Error, {{"encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\""}}},
    {St26Rule::Declaration, Severity::Warning, {{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version='1.0' encoding='UTF-8'?>"}}},
    {St26Rule::DocumentType, Severity::Error, {{"-//WIPO//DTD Sequence Listing 1.3//EN", "-//WIPO//DTD Sequence Listing 1.2//EN"}}},
    {St26Rule::DocumentType, Severity::Error,
     {{"\"ST26SequenceListing_V1_3.dtd\">", "\"ST26SequenceListing_V1_3.dtd\" [<!ENTITY x \"y\">]>"}}},
    {St26Rule::Dtd, Severity::Error, {{"<SequenceTotalQuantity>", "<Extra/><SequenceTotalQuantity>"}}},
    {St26Rule::DtdVersion, Severity::Error, {{"dtdVersion=\"V1_3\"", "dtdVersion=\"V1_2\""}}},
    {St26Rule::Date, Severity::Error, {{"productionDate=\"2024-05-02\"", "productionDate=\"2023-02-29\""}}},
    {St26Rule::LanguageCode, Severity::Error, {{"ApplicantName languageCode=\"en\"", "ApplicantName languageCode=\"english\""}}},
    {St26Rule::OfficeCode, Severity::Error, {{"<IPOfficeCode>US</IPOfficeCode>", "<IPOfficeCode>ZZ</IPOfficeCode>"}}},
    {St26Rule::FileReference, Severity::Warning, {{"<ApplicantFileReference>R-1</ApplicantFileReference>", ""}}},
    {St26Rule::Priority, Severity::Warning,
     {{"<EarliestPriorityApplicationIdentification>", "<!--"}, {"</EarliestPriorityApplicationIdentification>", "-->"}}},
    {St26Rule::ApplicantName, Severity::Error, {{">Acme Bio Inc.<", ">\xD0\x90\xD0\xBA\xD0\xBC\xD0\xB5<"}}},
    {St26Rule::InventionTitle, Severity::Error, {{"Stable expression cassettes", ""}}},
    {St26Rule::NonEnglishLanguage, Severity::Error, {{" nonEnglishFreeTextLanguageCode=\"de\"", ""}}},
    {St26Rule::Characters, Severity::Error, {{">R-1<", ">R-1\xC3\xA9<"}}},
    {St26Rule::FreeTextLength, Severity::Error, {{">hinge<", ">" + std::string(1001, 'h') + "<"}}},
    {St26Rule::SequenceTotal, Severity::Error, {{"<SequenceTotalQuantity>6<", "<SequenceTotalQuantity>7<"}}},
    {St26Rule::Numbering, Severity::Error, {{"sequenceIDNumber=\"3\"", "sequenceIDNumber=\"7\""}}},
    {St26Rule::SkippedForm, Severity::Error, {{"<INSDSeq_length/>", "<INSDSeq_length>3</INSDSeq_length>"}}},
    {St26Rule::Division, Severity::Error, {{"<INSDSeq_division>PAT<", "<INSDSeq_division>EST<"}}},
    {St26Rule::Moltype, Severity::Error, {{"<INSDSeq_moltype>RNA<", "<INSDSeq_moltype>mRNA<"}}},
    {St26Rule::Length, Severity::Error, {{"<INSDSeq_length>20<", "<INSDSeq_length>21<"}}},
    {St26Rule::Alphabet, Severity::Error, {{">ggacttagca", ">ggacutagca"}}},
    {St26Rule::Threshold, Severity::Error,
     {{">ggacttagcatgctaggcat<", ">nnnnnnnnnnnnttaggcat<"}}},
    {St26Rule::OtherSeqids, Severity::Error,
     {{"<INSDSeq_division>PAT</INSDSeq_division>", "<INSDSeq_division>PAT</INSDSeq_division><INSDSeq_other-seqids>"
                                                   "<INSDSeqid>pat|WO|1|A1|1</INSDSeqid></INSDSeq_other-seqids>"}}},
    {St26Rule::Source, Severity::Error, {{">1..20<", ">2..20<"}}},
    {St26Rule::Organism, Severity::Warning, {{">Homo sapiens<", ">Unknown<"}}},
    {St26Rule::MolType, Severity::Error, {{">other RNA<", ">other DNA<"}}},
    {St26Rule::SyntheticConstruct, Severity::Warning, {{">genomic DNA<", ">other DNA<"}}},
    {St26Rule::FeatureKey, Severity::Error, {{">misc_feature<", ">made_up<"}}},
    {St26Rule::FeatureKey, Severity::Error, {{">MOD_RES<", ">modified_base<"}}},
    {St26Rule::MandatoryQualifier, Severity::Error, {{"<INSDQualifier_name>regulatory_class", "<INSDQualifier_name>note"}}},
    {St26Rule::MandatoryQualifier, Severity::Error,
     {{"<INSDQualifier_name>note</INSDQualifier_name>\n              <INSDQualifier_value>xanthine",
       "<INSDQualifier_name>allele</INSDQualifier_name>\n              <INSDQualifier_value>xanthine"}}},
    {St26Rule::Qualifier, Severity::Error, {{"<INSDQualifier_name>note</INSDQualifier_name>\n              <INSDQualifier_value>engineered", "<INSDQualifier_name>colour</INSDQualifier_name>\n              <INSDQualifier_value>engineered"}}},
    {St26Rule::Qualifier, Severity::Error, {{"<INSDQualifier_name>note</INSDQualifier_name>\n              <INSDQualifier_value>hinge", "<INSDQualifier_name>gene</INSDQualifier_name>\n              <INSDQualifier_value>hinge"}}},
    {St26Rule::Qualifier, Severity::Warning, {{"<INSDQualifier_name>note</INSDQualifier_name>\n              <INSDQualifier_value>engineered", "<INSDQualifier_name>db_xref</INSDQualifier_name>\n              <INSDQualifier_value>taxon:10090"}}},
    {St26Rule::Qualifier, Severity::Warning, {{"<INSDQualifier_name>note</INSDQualifier_name>\n              <INSDQualifier_value>engineered", "<INSDQualifier_name>translation</INSDQualifier_name>\n              <INSDQualifier_value>MK"}}},
    {St26Rule::QualifierValue, Severity::Error, {{">i</INSDQualifier_value>", ">zz</INSDQualifier_value>"}}},
    {St26Rule::QualifierValue, Severity::Error, {{">direct<", ">sideways<"}}},
    {St26Rule::QualifierValue, Severity::Error, {{">promoter<", ">promotor<"}}},
    {St26Rule::QualifierValue, Severity::Error, {{"<INSDQualifier_value>t</INSDQualifier_value>", "<INSDQualifier_value>T</INSDQualifier_value>"}}},
    {St26Rule::QualifierValue, Severity::Warning, {{">promoter<", ">uORF<"}}},
    {St26Rule::Location, Severity::Error, {{">complement(1..30)<", ">complement(12..40)<"}}},
    {St26Rule::Location, Severity::Error, {{">5..9<", ">(5)..(9)<"}}},
    {St26Rule::Translation, Severity::Error, {{">MAUKGEELF<", ">MAUKGEELW<"}, {">MAUKGEELF<", ">MAUKGEELW<"}}},
    {St26Rule::Translation, Severity::Error, {{"(pos:10..12,aa:Sec)", "(pos:13..15,aa:Sec)"}}},
    {St26Rule::StopCodon, Severity::Warning, {{">4..33<", ">4..30<"}}},
    {St26Rule::ProteinId, Severity::Error, {{"<INSDQualifier_value>2<", "<INSDQualifier_value>3<"}}},
    {St26Rule::QualifierId, Severity::Error, {{"id=\"q2\"", "id=\"q1\""}}},
    {St26Rule::QualifierId, Severity::Warning, {{"id=\"q2\"", "id=\"n2\""}}},
    {St26Rule::NonEnglishValue, Severity::Warning,
     {{"<INSDQualifier_value>t</INSDQualifier_value>",
       "<INSDQualifier_value>t</INSDQualifier_value><NonEnglishQualifier_value>t</NonEnglishQualifier_value>"}}},
};
// clang-format on

TEST(St26VerifierTest, TheValidListingPassesAndEachBreachGivesItsRuleOnly) {
    const std::string valid = ValidListing();
    ASSERT_FALSE(valid.empty());
    const CSt26Findings clean = CSt26Verifier::VerifyBytes(valid);
    EXPECT_TRUE(clean.Items().empty()) << Shown(clean);
    EXPECT_EQ(clean.CountsText(), "0 errors, 0 warnings, 0 notes in 6 sequences");

    std::set<St26Rule> covered;
    for (const Breach& breach : kBreaches) {
        const CSt26RuleInfo& info = St26RuleInfo(breach.rule);
        SCOPED_TRACE(std::string(info.name) + " " + CSt26Finding::SeverityName(breach.severity));
        const CSt26Findings findings = CSt26Verifier::VerifyBytes(Replaced(valid, breach.replacements));
        EXPECT_TRUE(std::any_of(findings.Items().begin(), findings.Items().end(), [&](const CSt26Finding& f) {
            return f.rule == breach.rule && f.severity == breach.severity;
        })) << Shown(findings);
        for (const CSt26Finding& finding : findings.Items()) EXPECT_EQ(finding.rule, breach.rule) << finding.Text();
        EXPECT_EQ(findings.ExitStatus(), breach.severity == Severity::Error ? 2 : 1);
        covered.insert(breach.rule);
    }
    // Every rule has its breach, but the limits, which have a test of their own.
    EXPECT_EQ(covered.size(), kSt26RuleCount - 1);
}

// Listings that look unlike the valid one but break no rule: coding regions
// on the other strand, joined, with another genetic code and an alternative
// start codon, with ambiguous codons; names in upper case, as WIPO's tool
// takes them; a non-English organism; CDATA; CR LF line ends.
TEST(St26VerifierTest, VariantsThatBreakNoRulePass) {
    const std::string tableQualifier =
        "<INSDQualifier>\n              <INSDQualifier_name>transl_table</INSDQualifier_name>\n"
        "              <INSDQualifier_value>11</INSDQualifier_value>\n            </INSDQualifier>\n"
        "            <INSDQualifier>\n              <INSDQualifier_name>transl_except";
    const std::vector<std::pair<const char*, Replacements>> kVariants = {
        {"complement",
         {{">ccgatggctagcaaaggcgaagagctgttctaagcg<", ">cgcttagaacagctcttcgcctttgctagccatcgg<"},
          {">4..33<", ">complement(4..33)<"},
          {"(pos:10..12,aa:Sec)", "(pos:complement(25..27),aa:Sec)"}}},
        {"joined", {{">4..33<", ">join(4..15,16..33)<"}}},
        {"table 11, gtg start",
         {{">ccgatggct", ">ccggtggct"},
          {"<INSDQualifier>\n              <INSDQualifier_name>transl_except", tableQualifier}}},
        {"ambiguous codons",
         {{"aaaggcgaagag", "aanggngargag"}, {">MAUKGEELF<", ">MAUXGEELF<"}, {">MAUKGEELF<", ">MAUXGEELF<"}}},
        {"upper case names", {{">source<", ">SOURCE<"}, {">organism<", ">ORGANISM<"}, {">MOD_RES<", ">mod_res<"}}},
        {"non-English organism",
         {{">synthetic construct</INSDQualifier_value>",
           ">synthetic construct</INSDQualifier_value><NonEnglishQualifier_value>synthetisches Konstrukt"
           "</NonEnglishQualifier_value>"}}},
        {"CDATA", {{">hinge<", "><![CDATA[hin]]>ge<"}}},
    };
    for (const auto& [name, replacements] : kVariants) {
        SCOPED_TRACE(name);
        const CSt26Findings findings = CSt26Verifier::VerifyBytes(Replaced(ValidListing(), replacements));
        EXPECT_TRUE(findings.Items().empty()) << Shown(findings);
    }
    std::string crlf;
    for (const char c : ValidListing()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(CSt26Verifier::VerifyBytes(crlf).Items().empty()) << Shown(CSt26Verifier::VerifyBytes(crlf));
}

// A finding names where, what rule and what to do, on one line; the report
// groups them under the general part and each SEQ ID, the counts on top.
TEST(St26VerifierTest, FindingsReadAsOneLineEachAndGroupBySequence) {
    const CSt26Findings findings = CSt26Verifier::VerifyBytes(Replaced(
        ValidListing(), {{">other RNA<", ">other DNA<"}, {"<SequenceTotalQuantity>6<", "<SequenceTotalQuantity>9<"}}));
    ASSERT_EQ(findings.Items().size(), 2u) << Shown(findings);
    EXPECT_EQ(findings.Items()[1].Text(),
              "SEQ ID 3, source 1..20, mol_type (line 101): error: \"other DNA\" is no mol_type of RNA "
              "[mol-type; ST.26 Annex I 6.39, 8.1] -> use one of: genomic RNA, mRNA, tRNA, rRNA, transcribed RNA, "
              "viral cRNA, other RNA, unassigned RNA");
    const std::string report = findings.ReportText("x.xml");
    EXPECT_EQ(report.substr(0, report.find("\n\nGeneral\n  General, SequenceTotalQuantity")),
              "ST.26 verification of x.xml\n2 errors, 0 warnings, 0 notes in 6 sequences");
    EXPECT_NE(report.find("\nSEQ ID 3\n  SEQ ID 3, source"), std::string::npos) << report;
}

// Files WIPO wrote: its specimen and a listing its tool passes give no
// errors; the one its tool refuses for a missing mol_type gives that and
// nothing else; and two files of the same set made from the valid one give
// what WIPO's tool reported on theirs.
TEST(St26VerifierTest, WiposOwnFilesGiveWhatWiposToolReports) {
    const fs::path real = test::St26Folder() / "real";
    if (!fs::is_directory(real)) GTEST_SKIP() << test::SharedFolderMissing(real);
    for (const char* name : {"annex-iii-specimen.xml", "Valid-Exemplary DNA and AA.xml"}) {
        const CSt26Findings findings = CSt26Verifier::VerifyFile((real / name).string());
        EXPECT_EQ(test::St26Errors(findings), std::vector<std::string>()) << name << Shown(findings);
        EXPECT_EQ(findings.Count(Severity::Warning), 0) << name << Shown(findings);
    }

    const CSt26Findings missing = CSt26Verifier::VerifyFile(
        (real / "Error-Mandatory_qualifier_MOL_TYPE_for_the_feature_SOURCE_is_missing.xml").string());
    ASSERT_EQ(missing.Items().size(), 1u) << Shown(missing);
    const CSt26Finding& finding = missing.Items().front();
    EXPECT_EQ(finding.severity, Severity::Error);
    EXPECT_EQ(finding.rule, St26Rule::MandatoryQualifier);
    EXPECT_EQ(finding.Where(), "SEQ ID 2, source 1..21, mol_type");

    // "Error_The_Applicant_File_Reference_number_is_missing": two warnings.
    std::string text = ReadText(real / "Valid-Exemplary DNA and AA.xml");
    const auto cut = [&text](const std::string& from, const std::string& to) {
        const size_t begin = text.find(from), end = text.find(to, begin);
        ASSERT_NE(end, std::string::npos) << from;
        text.erase(begin, end + to.size() - begin);
    };
    std::string valid = text;
    cut("<ApplicantFileReference>", "</ApplicantFileReference>");
    cut("<EarliestPriorityApplicationIdentification>", "</EarliestPriorityApplicationIdentification>");
    const CSt26Findings noReference = CSt26Verifier::VerifyBytes(text);
    EXPECT_EQ(noReference.Count(Severity::Warning), 2) << Shown(noReference);
    EXPECT_TRUE(noReference.Has(St26Rule::FileReference) && noReference.Has(St26Rule::Priority));
    EXPECT_EQ(noReference.Items().size(), 2u) << Shown(noReference);

    // "Error-Missing_Non_English_Qualifier_Value": the language without values.
    text = valid;
    while (text.find("<NonEnglishQualifier_value>") != std::string::npos)
        cut("<NonEnglishQualifier_value>", "</NonEnglishQualifier_value>");
    const CSt26Findings noValues = CSt26Verifier::VerifyBytes(text);
    ASSERT_EQ(noValues.Items().size(), 1u) << Shown(noValues);
    EXPECT_EQ(noValues.Items().front().rule, St26Rule::NonEnglishLanguage);
}

// The DTD the program carries is WIPO's file byte for byte.
TEST(St26VerifierTest, TheShippedDtdIsWiposOwn) {
    const std::string shipped = ReadText(fs::path(QLN_SOURCE_DIR) / "data" / "st26" / std::string(kSt26DtdFileName));
    EXPECT_EQ(St26DtdText(), shipped);
    if (!fs::is_directory(test::St26Folder())) GTEST_SKIP() << test::SharedFolderMissing(test::St26Folder());
    EXPECT_EQ(shipped, ReadText(test::St26Folder() / "real" / std::string(kSt26DtdFileName)));
}

// Untrusted input: no entity is fetched, whatever the file names; nesting,
// a file that is not XML and one that ends early end the reading with
// findings, not a crash.
TEST(St26VerifierTest, UntrustedInputIsReadSafely) {
    const std::string valid = ValidListing();
    const fs::path secret = fs::temp_directory_path() / "qln-st26-secret.txt";
    std::ofstream(secret) << "SECRET";
    const std::string doctype(kSt26DocumentType);
    const auto with = [&](const std::string& replacement) {
        std::string text = valid;
        text.replace(text.find(doctype), doctype.size(), replacement);
        return CSt26Verifier::VerifyBytes(text);
    };
    for (const std::string& doctypeText :
         {"<!DOCTYPE ST26SequenceListing SYSTEM \"file://" + secret.string() + "\">",
          "<!DOCTYPE ST26SequenceListing [<!ENTITY s SYSTEM \"file://" + secret.string() + "\">]>",
          std::string("<!DOCTYPE ST26SequenceListing PUBLIC \"-//WIPO//DTD Sequence Listing 1.3//EN\" "
                      "\"http://127.0.0.1:9/ST26SequenceListing_V1_3.dtd\" [<!ENTITY % p SYSTEM "
                      "\"http://127.0.0.1:9/x\"> %p;]>")}) {
        std::string text = valid;
        text.replace(text.find(">R-1<"), 5, ">&s;<");
        text.replace(text.find(doctype), doctype.size(), doctypeText);
        const CSt26Findings findings = CSt26Verifier::VerifyBytes(text);
        EXPECT_TRUE(findings.Has(St26Rule::DocumentType)) << Shown(findings);
        EXPECT_EQ(findings.Lines().find("SECRET"), std::string::npos) << Shown(findings);
        EXPECT_EQ(findings.ExitStatus(), 2);
    }
    fs::remove(secret);

    // Without a document type the DTD still applies.
    const CSt26Findings bare = with("");
    EXPECT_TRUE(bare.Has(St26Rule::DocumentType));
    EXPECT_EQ(bare.Items().size(), 1u) << Shown(bare);

    std::string deep = valid;
    std::string nest;
    for (int i = 0; i <= CSt26XmlReader::kMaxDepth; ++i) nest += "<a>";
    deep.replace(deep.find("<SequenceTotalQuantity>"), 0, nest);
    const CSt26Findings tooDeep = CSt26Verifier::VerifyBytes(deep);
    EXPECT_TRUE(tooDeep.Has(St26Rule::Limits)) << Shown(tooDeep);
    EXPECT_TRUE(tooDeep.Unreadable());

    for (const std::string& broken : {std::string("not xml at all"), valid.substr(0, valid.size() / 2),
                                      std::string("\xFF\xFE<\0?\0x\0", 8), std::string()}) {
        const CSt26Findings findings = CSt26Verifier::VerifyBytes(broken);
        EXPECT_EQ(findings.ExitStatus(), 2) << Shown(findings);
        EXPECT_FALSE(findings.Items().empty());
    }
}

// Inputs that once failed stay checked: every file under st26-listings
// verifies without a crash.
TEST(St26VerifierTest, EverySavedListingVerifies) {
    for (const auto& file : fs::directory_iterator(kListings)) {
        SCOPED_TRACE(file.path().filename().string());
        const CSt26Findings findings = CSt26Verifier::VerifyFile(file.path().string());
        EXPECT_LE(findings.Items().size(), CSt26Findings::kMaxKept);
    }
}

}  // namespace
}  // namespace qln
