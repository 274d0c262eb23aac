#include "export/St26Export.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "export/St26Dtd.h"
#include "export/St26SequenceMapper.h"
#include "export/St26Text.h"
#include "export/St26Verifier.h"
#include "export/XmlWriter.h"
#include "generator/DerivedEntries.h"
#include "generator/OutputNames.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/FileReplacement.h"
#include "model/Project.h"
#include "model/ResidueFile.h"

namespace fs = std::filesystem;

namespace qln {

using Severity = CSt26Report::Severity;
using Kind = CSt26Report::Kind;

namespace {

// The version the listing names: major and minor, as the ST.25 listing does.
std::string ListingVersion() {
    const std::string full = QLN_VERSION;
    const size_t second = full.find('.', full.find('.') + 1);
    return second == std::string::npos ? full : full.substr(0, second);
}

// The file's name as the listing may hold it: Basic Latin, any other
// character as "_".
std::string FileNameAttribute(const std::string& xmlPath) {
    std::string name = fs::path(xmlPath).filename().string();
    if (const auto folded = CSt26Text::FoldToBasicLatin(name)) return *folded;
    for (char& c : name)
        if (!CSt26Text::IsPrintableBasicLatin(std::string_view(&c, 1))) c = '_';
    return name;
}

bool HasNucleotideCodingRegion(const CSequence& sequence) {
    if (!dynamic_cast<const CBaseSequence*>(&sequence)) return false;
    for (const auto& feature : sequence.GetFeatures())
        if (dynamic_cast<const CDS*>(feature.get())) return true;
    return false;
}

std::string IndividualName(const CIndivApplicant& applicant) {
    std::string name = std::string(TrimmedView(applicant.GetLastName())) + ", " +
                       std::string(TrimmedView(applicant.GetFirstName()));
    for (const std::string* part : {&applicant.GetMiddleInitial(), &applicant.GetSuffix()})
        if (!TrimmedView(*part).empty()) name += " " + std::string(TrimmedView(*part));
    return name;
}

bool HasAddress(const CApplicant& applicant) {
    for (const std::string* field : {&applicant.GetStreet(), &applicant.GetCity(), &applicant.GetState(),
                                     &applicant.GetCountry(), &applicant.GetPostalCode(), &applicant.GetEmailAddress(),
                                     &applicant.GetPhoneNumber(), &applicant.GetFaxNumber()})
        if (!TrimmedView(*field).empty()) return true;
    return false;
}

}  // namespace

struct CSt26Export::Impl {
    Impl(CProject& exported, std::string exportedPath, CSt26Choices chosen)
        : project(exported),
          projectPath(std::move(exportedPath)),
          choices(std::move(chosen)),
          xmlPath(ProjectPathStem(this->projectPath) + kSt26ListingSuffix),
          reportPath(ProjectPathStem(this->projectPath) + kSt26ReportSuffix),
          version(ListingVersion()) {}

    void Note(std::string element, std::string oldValue, std::string newValue, std::string rule, Severity severity,
              Kind kind) {
        report.Add(CSt26Report::Item{
            0, {}, std::move(element), std::move(oldValue), std::move(newValue), std::move(rule), severity, kind});
    }
    bool IsCancelled() const { return isCancelled && isCancelled(); }
    std::vector<int> Number();
    void WriteGeneralPart(CXmlWriter& xml, int total);
    void WriteApplicationIdentification(CXmlWriter& xml);
    void WritePriority(CXmlWriter& xml);
    void WriteApplicant(CXmlWriter& xml);
    std::string BasicLatin(const std::string& text, const std::string& element);
    static void WriteSequence(CXmlWriter& xml, const CSt26SequenceData& data, int& nextQualifierId);
    St26Outcome Export();
    bool WriteReport(bool written);

    CProject& project;
    std::string projectPath;
    CSt26Choices choices;
    std::string xmlPath;
    std::string reportPath;
    std::string productionDate;
    std::string version;
    std::function<bool()> isCancelled;
    CSt26Report report;
    CSt26Findings verification;
    std::string failure;
};

// The SEQ ID of each sequence: one after the last number of the sequence
// before it and its derived entries. Only nucleotide sequences with coding
// regions are read for this.
std::vector<int> CSt26Export::Impl::Number() {
    std::vector<int> ids;
    int next = 1;
    CCodonTranslator translator;
    for (auto& sequence : project.GetSequences()) {
        ids.push_back(next++);
        if (sequence->IsSkipped() || !HasNucleotideCodingRegion(*sequence)) continue;
        sequence->LoadResidues();
        sequence->StripToLetters();
        auto& nucleotide = static_cast<CBaseSequence&>(*sequence);
        next += static_cast<int>(CDerivedEntries::For(nucleotide, nucleotide.GetResidues(), translator).size());
        sequence->UnloadResidues();
    }
    ids.push_back(next);  // one past the last
    return ids;
}

std::string CSt26Export::Impl::BasicLatin(const std::string& text, const std::string& element) {
    const auto folded = CSt26Text::FoldFreeText(TrimmedView(text));
    if (!folded.text) {
        Note(element, text, {}, "characters outside printable Basic Latin; 40", Severity::Error, Kind::Problem);
        return {};
    }
    if (folded.lineBreaks)
        Note(element, text, *folded.text, "line breaks folded to blanks; 40", Severity::Warning, Kind::Change);
    if (folded.accents) Note(element, text, *folded.text, "folded to Basic Latin; 40", Severity::Warning, Kind::Change);
    return *folded.text;
}

void CSt26Export::Impl::WriteApplicationIdentification(CXmlWriter& xml) {
    const CProjectData* data = project.GetProjectData();
    const std::string number = data ? std::string(TrimmedView(data->GetApplicationNumber())) : std::string();
    if (number.empty()) {
        Note("ApplicationIdentification", {}, {}, "no application number; the file reference identifies the listing",
             Severity::Info, Kind::Drop);
        return;
    }
    auto id = CSt26Text::SplitApplicationNumber(number);
    if (!id && !choices.officeCode.empty()) {
        id = CSt26Text::ApplicationId{choices.officeCode, number};
        Note("IPOfficeCode", {}, choices.officeCode, "the office code chosen for the application", Severity::Info,
             Kind::Default);
    } else if (!id) {
        Note("ApplicationIdentification", number, {},
             "the number names no office: choose the office code to write it; 45", Severity::Confirm, Kind::Default);
        return;
    } else {
        Note("IPOfficeCode", number, id->officeCode, "from the application number; ST.3", Severity::Info, Kind::Change);
    }
    xml.Open("ApplicationIdentification");
    xml.Leaf("IPOfficeCode", id->officeCode);
    xml.Leaf("ApplicationNumberText", BasicLatin(id->number, "ApplicationNumberText"));
    const std::string date = data->GetFilingDate().GetOutputText();
    if (CSt26Text::IsCompleteDate(date))
        xml.Leaf("FilingDate", date);
    else if (!date.empty())
        Note("FilingDate", date, {}, "not a complete date", Severity::Warning, Kind::Drop);
    xml.Close("ApplicationIdentification");
}

void CSt26Export::Impl::WritePriority(CXmlWriter& xml) {
    const CEarlierApplication* earliest = nullptr;
    for (const auto& prior : project.GetPriorApplications()) {
        const std::string& date = prior->GetFilingDate().GetText();
        if (!CSt26Text::IsCompleteDate(date)) continue;
        if (!earliest || date < earliest->GetFilingDate().GetText()) earliest = prior.get();
    }
    for (const auto& prior : project.GetPriorApplications())
        if (prior.get() != earliest)
            Note("EarliestPriorityApplicationIdentification", prior->GetNumber(), {},
                 "only the earliest priority application is named; 47", Severity::Info, Kind::Drop);
    if (!earliest) return;
    const auto id = CSt26Text::SplitApplicationNumber(earliest->GetNumber());
    if (!id) {
        Note("EarliestPriorityApplicationIdentification", earliest->GetNumber(), {},
             "the number names no office (write it as \"US 63/000,001\" or \"PCT/IB2020/000001\"); 47",
             Severity::Warning, Kind::Drop);
        return;
    }
    xml.Open("EarliestPriorityApplicationIdentification");
    xml.Leaf("IPOfficeCode", id->officeCode);
    xml.Leaf("ApplicationNumberText", BasicLatin(id->number, "ApplicationNumberText"));
    xml.Leaf("FilingDate", earliest->GetFilingDate().GetText());
    xml.Close("EarliestPriorityApplicationIdentification");
}

void CSt26Export::Impl::WriteApplicant(CXmlWriter& xml) {
    // The first applicant as the ST.25 listing orders them: organizations,
    // then individuals.
    std::string name;
    bool taken = false, addresses = false;
    auto take = [&](const CApplicant& applicant, std::string listingName) {
        addresses = addresses || HasAddress(applicant);
        if (!taken)
            name = std::move(listingName);
        else
            Note("ApplicantName", listingName, {}, "only the first applicant is named; 47", Severity::Info, Kind::Drop);
        taken = true;
    };
    for (const auto& applicant : project.GetOrgApplicants())
        take(*applicant, std::string(TrimmedView(applicant->GetOrganizationName())));
    for (const auto& applicant : project.GetIndivApplicants()) take(*applicant, IndividualName(*applicant));
    if (addresses) Note("applicant addresses", {}, {}, "no place for addresses", Severity::Info, Kind::Drop);
    if (name.empty()) {
        Note("ApplicantName", {}, {}, "no applicant; 47", Severity::Error, Kind::Problem);
        return;
    }
    xml.Leaf("ApplicantName", name, {{"languageCode", choices.GetLanguageOrDefault()}});
    if (CSt26Text::IsPrintableBasicLatin(name)) return;
    const auto latin = CSt26Text::FoldToBasicLatin(name);
    if (!latin) {
        Note("ApplicantNameLatin", name, {}, "no Basic Latin form; 40", Severity::Error, Kind::Problem);
        return;
    }
    xml.Leaf("ApplicantNameLatin", *latin);
    Note("ApplicantNameLatin", name, *latin, "accents folded; 40", Severity::Warning, Kind::Default);
}

void CSt26Export::Impl::WriteGeneralPart(CXmlWriter& xml, int total) {
    const CProjectData none;
    const CProjectData& data = project.GetProjectData() ? *project.GetProjectData() : none;
    if (choices.language.empty())
        Note("languageCode", {}, choices.GetLanguageOrDefault(), "default filing language", Severity::Confirm,
             Kind::Default);
    WriteApplicationIdentification(xml);
    const std::string reference = BasicLatin(data.GetFileReference(), "ApplicantFileReference");
    if (reference.empty())
        Note("ApplicantFileReference", {}, {}, "no file reference; 45", Severity::Error, Kind::Problem);
    xml.Leaf("ApplicantFileReference", reference);
    WritePriority(xml);
    WriteApplicant(xml);
    const std::string title(TrimmedView(data.GetTitle()));
    if (title.empty()) Note("InventionTitle", {}, {}, "no title; 48", Severity::Error, Kind::Problem);
    xml.Leaf("InventionTitle", title, {{"languageCode", choices.GetLanguageOrDefault()}});
    xml.Leaf("SequenceTotalQuantity", std::to_string(total));
    Note("<160>, <170>", {}, {}, "no place in ST.26", Severity::Info, Kind::Drop);
}

void CSt26Export::Impl::WriteSequence(CXmlWriter& xml, const CSt26SequenceData& data, int& nextQualifierId) {
    xml.Open("SequenceData", {{"sequenceIDNumber", std::to_string(data.seqId)}});
    xml.Open("INSDSeq");
    if (data.skipped) {
        xml.Leaf("INSDSeq_length", {});
        xml.Leaf("INSDSeq_moltype", {});
        xml.Leaf("INSDSeq_division", {});
    } else {
        xml.PlainLeaf("INSDSeq_length", std::to_string(data.residues.size()));
        xml.PlainLeaf("INSDSeq_moltype", data.moltype);
        xml.PlainLeaf("INSDSeq_division", "PAT");
        xml.Open("INSDSeq_feature-table");
        for (const CSt26Feature& feature : data.features) {
            xml.Open("INSDFeature");
            xml.Leaf("INSDFeature_key", feature.key);
            xml.Leaf("INSDFeature_location", feature.location);
            if (!feature.qualifiers.empty()) {
                xml.Open("INSDFeature_quals");
                for (const CSt26Qualifier& qualifier : feature.qualifiers) {
                    CXmlWriter::Attributes id;
                    if (qualifier.freeText) id.emplace_back("id", "q" + std::to_string(nextQualifierId++));
                    xml.Open("INSDQualifier", id);
                    xml.Leaf("INSDQualifier_name", qualifier.name);
                    xml.Leaf("INSDQualifier_value", qualifier.value);
                    xml.Close("INSDQualifier");
                }
                xml.Close("INSDFeature_quals");
            }
            xml.Close("INSDFeature");
        }
        xml.Close("INSDSeq_feature-table");
    }
    xml.PlainLeaf("INSDSeq_sequence", data.residues);
    xml.Close("INSDSeq");
    xml.Close("SequenceData");
}

St26Outcome CSt26Export::Impl::Export() {
    report.Clear();
    verification = CSt26Findings();
    failure.clear();
    if (!choices.language.empty() && !IsLanguageCode(choices.language))
        Note("languageCode", choices.language, {}, "not an ISO 639-1 code", Severity::Error, Kind::Problem);
    if (project.GetSequences().IsEmpty()) Note("SequenceData", {}, {}, "no sequences", Severity::Error, Kind::Problem);

    const std::vector<int> ids = Number();
    CFileReplacement replacement(xmlPath);
    if (!replacement.IsReserved()) {
        failure = xmlPath + ": cannot be written (" + replacement.Error().message() + ")";
        return St26Outcome::Failed;
    }
    std::ofstream out(replacement.TemporaryPath(), std::ios::binary | std::ios::trunc);
    if (!out) {
        failure = xmlPath + ": cannot be written (" + std::strerror(errno) + ")";
        return St26Outcome::Failed;
    }
    bool cancelled = false;
    {
        CXmlWriter xml(out);
        xml.Line(kSt26Declaration);
        xml.Line(kSt26DocumentType);
        xml.Open("ST26SequenceListing",
                 {{"dtdVersion", "V1_3"},
                  {"fileName", FileNameAttribute(xmlPath)},
                  {"softwareName", "Quillion"},
                  {"softwareVersion", version},
                  {"productionDate", productionDate.empty() ? DateField::Today() : productionDate}});
        WriteGeneralPart(xml, ids.back() - 1);
        CSt26SequenceMapper mapper(choices, report);
        int nextQualifierId = 1;
        auto& sequences = project.GetSequences();
        for (int i = 0; i < sequences.GetSize(); ++i) {
            if (IsCancelled()) {
                cancelled = true;
                break;
            }
            CSequence& sequence = *sequences[i];
            sequence.LoadResidues();
            sequence.StripToLetters();
            const auto entries = mapper.Map(sequence, ids[static_cast<size_t>(i)]);
            sequence.UnloadResidues();
            if (report.HasErrors()) continue;  // only the report is wanted now
            for (const auto& data : entries) WriteSequence(xml, data, nextQualifierId);
        }
        xml.Close("ST26SequenceListing");
    }
    out.close();
    if (cancelled || report.HasErrors()) {
        replacement.Discard();
        if (cancelled) {
            failure = "Export cancelled; nothing was written.";
            return St26Outcome::Failed;
        }
        return WriteReport(false) ? St26Outcome::Refused : St26Outcome::Failed;
    }
    if (!out) {
        failure = xmlPath + ": cannot be written (the disk may be full)";
        return St26Outcome::Failed;
    }
    if (!replacement.Commit()) {
        failure = xmlPath + ": cannot be written (" + replacement.Error().message() + ")";
        return St26Outcome::Failed;
    }
    const std::string numbers = "1.." + std::to_string(ids.back() - 1);
    Note("SEQ ID NO", numbers, numbers, "the ST.25 numbers, derived protein entries included", Severity::Info,
         Kind::Numbering);
    verification = CSt26Verifier::VerifyFile(xmlPath);
    if (!WriteReport(true)) return St26Outcome::Failed;
    return report.Count(Severity::Confirm) ? St26Outcome::WrittenToConfirm : St26Outcome::Written;
}

bool CSt26Export::Impl::WriteReport(bool written) {
    std::ofstream out(reportPath, std::ios::binary | std::ios::trunc);
    out << report.Text(projectPath, xmlPath, written, written ? &verification : nullptr);
    out.close();
    if (out) return true;
    failure = reportPath + ": cannot be written";
    return false;
}

// ---- CSt26Export ------------------------------------------------------------------

CSt26Export::CSt26Export(CProject& project, std::string projectPath, CSt26Choices choices)
    : impl_(new Impl(project, std::move(projectPath), std::move(choices))) {}

CSt26Export::~CSt26Export() = default;

void CSt26Export::SetOutputPath(std::string xmlPath) {
    impl_->xmlPath = std::move(xmlPath);
    const std::string stem = ProjectPathStem(impl_->xmlPath);
    const std::string suffix = "_ST26";
    const bool named = stem.size() >= suffix.size() &&
                       stem.compare(stem.size() - suffix.size(), suffix.size(), suffix) == 0;
    impl_->reportPath = (named ? stem.substr(0, stem.size() - suffix.size()) : stem) + kSt26ReportSuffix;
}

void CSt26Export::SetProductionDate(std::string date) { impl_->productionDate = std::move(date); }

void CSt26Export::SetSoftwareVersion(std::string version) { impl_->version = std::move(version); }

void CSt26Export::SetCancelCheck(std::function<bool()> isCancelled) { impl_->isCancelled = std::move(isCancelled); }

std::vector<CSt26SequenceRow> CSt26Export::Rows() {
    const std::vector<int> ids = impl_->Number();
    CSt26Report scratch;
    CSt26SequenceMapper mapper(impl_->choices, scratch);
    std::vector<CSt26SequenceRow> rows;
    auto& sequences = impl_->project.GetSequences();
    for (int i = 0; i < sequences.GetSize(); ++i) {
        const CSequence& sequence = *sequences[i];
        CSt26SequenceRow row;
        row.seqId = ids[static_cast<size_t>(i)];
        row.name = sequence.GetName();
        row.type = sequence.GetTypeName();
        if (!sequence.IsSkipped()) {
            row.moltype = St26MolTypeOf(sequence);
            row.organism = CSt26SequenceMapper::ExportedOrganism(sequence);
            row.molType = mapper.MolTypeFor(sequence);
            row.molTypeIsDefault = !impl_->choices.molTypes.count(sequence.GetName());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

St26Outcome CSt26Export::Run() {
    try {
        return impl_->Export();
    } catch (const CResidueFileError& e) {
        impl_->failure = e.what();
    } catch (const std::bad_alloc&) {
        impl_->failure = "Not enough memory to export the listing.";
    }
    return St26Outcome::Failed;
}

const std::string& CSt26Export::GetXmlPath() const { return impl_->xmlPath; }
const std::string& CSt26Export::GetReportPath() const { return impl_->reportPath; }
const CSt26Report& CSt26Export::GetReport() const { return impl_->report; }
const CSt26Findings& CSt26Export::GetVerification() const { return impl_->verification; }
const std::string& CSt26Export::GetFailure() const { return impl_->failure; }

}  // namespace qln
