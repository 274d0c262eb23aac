#include "generator/WorkFile.h"

#include <fstream>

#include "model/Feature.h"
#include "model/Publication.h"

namespace qln {

namespace {

void Title(std::ostream& out, const std::string& title) {
    out << title << '\n' << std::string(title.size(), '-') << '\n';
}

void Item(std::ostream& out, const char* label, const std::string& value) { out << label << value << '\n'; }

void Item(std::ostream& out, const char* label, const DateField& date) { Item(out, label, date.GetOutputText()); }

void Address(std::ostream& out, const CApplicant& applicant) {
    Item(out, "      Street : ", applicant.GetStreet());
    Item(out, "      City : ", applicant.GetCity());
    Item(out, "      State : ", applicant.GetState());
    Item(out, "      Country : ", applicant.GetCountry());
    Item(out, "      PostalCode : ", applicant.GetPostalCode());
    Item(out, "      PhoneNumber : ", applicant.GetPhoneNumber());
    Item(out, "      FaxNumber : ", applicant.GetFaxNumber());
    Item(out, "      EmailAddress : ", applicant.GetEmailAddress());
}

void WriteOrganization(std::ostream& out, const COrgApplicant& applicant) {
    Title(out, "Organization Applicant");
    Address(out, applicant);
    Item(out, "<110> OrganizationName : ", applicant.GetOrganizationName());
    out << '\n';
}

void WriteIndividual(std::ostream& out, const CIndivApplicant& applicant) {
    Title(out, "Individual Applicant");
    Address(out, applicant);
    Item(out, "<110> LastName : ", applicant.GetLastName());
    Item(out, "<110> FirstName : ", applicant.GetFirstName());
    Item(out, "<110> MiddleInitial : ", applicant.GetMiddleInitial());
    Item(out, "<110> Suffix : ", applicant.GetSuffix());
    out << '\n';
}

void WriteProjectData(std::ostream& out, const CProjectData* data) {
    static const CProjectData empty;
    if (!data) data = &empty;
    Title(out, "Application Project");
    Item(out, "<120> Title : ", data->GetTitle());
    Item(out, "<130> AppFileReference : ", data->GetFileReference());
    Item(out, "<140> CurrentAppNumber : ", data->GetApplicationNumber());
    Item(out, "<141> CurrentFilingDate : ", data->GetFilingDate());
    out << '\n';
}

void WritePriorApplication(std::ostream& out, const CEarlierApplication& prior) {
    Title(out, "Earlier Applications");
    Item(out, "<150> PriorAppNumber : ", prior.GetNumber());
    Item(out, "<151> PriorFilingDate : ", prior.GetFilingDate());
    out << '\n';
}

void WriteRange(std::ostream& out, const CPublication& publication) {
    Item(out, "<313> From : ", publication.GetFromText());
    Item(out, "<313> To : ", publication.GetToText());
}

void WriteDatabaseReference(std::ostream& out, const CPublication& publication) {
    Item(out, "<308> DBAccessionNumber : ", publication.GetAccessionNumber());
    Item(out, "<309> DBEntryDate : ", publication.GetEntryDate());
}

void WriteFeature(std::ostream& out, const std::string& prefix, const CFeature& feature) {
    Title(out, "Feature");
    out << prefix << '\n';
    Item(out, "<221> FeatureKey : ", feature.GetKey());
    Item(out, "<222> LocationFrom : ", feature.GetFromText());
    Item(out, "<222> LocationTo : ", feature.GetToText());
    Item(out, "      Other Information : ", feature.GetComment());
    Item(out, "      CDSJoin : ", feature.IsJoined() ? "Yes" : "No");
    out << '\n';
}

// Journals and theses put an empty line between the database reference and
// the range; database entries and patents do not.
void WriteJournal(std::ostream& out, const std::string& prefix, const CJournal& journal) {
    Title(out, "Journal");
    out << prefix << '\n';
    Item(out, "<301> Authors : ", journal.GetAuthors());
    Item(out, "<302> Title : ", journal.GetTitle());
    Item(out, "<303> JournalName : ", journal.GetJournalName());
    Item(out, "<304> Volume : ", journal.GetVolume());
    Item(out, "<305> Issue : ", journal.GetIssue());
    Item(out, "<306> PageRange : ", journal.GetPageRange());
    Item(out, "<307> Date : ", journal.GetPublicationDate());
    WriteDatabaseReference(out, journal);
    out << '\n';
    WriteRange(out, journal);
    out << '\n';
}

void WriteDatabase(std::ostream& out, const std::string& prefix, const CPubDatabase& database) {
    Title(out, "Datebase");
    out << prefix << '\n';
    WriteDatabaseReference(out, database);
    WriteRange(out, database);
    out << '\n';
}

void WriteThesis(std::ostream& out, const std::string& prefix, const CThesis& thesis) {
    Title(out, "Thesis");
    out << prefix << '\n';
    Item(out, "<301> Authors : ", thesis.GetAuthors());
    Item(out, "<302> Title : ", thesis.GetTitle());
    Item(out, "<306> PageRange : ", thesis.GetPageRange());
    Item(out, "<307> Date : ", thesis.GetDate());
    WriteDatabaseReference(out, thesis);
    out << '\n';
    WriteRange(out, thesis);
    out << '\n';
}

void WritePatent(std::ostream& out, const std::string& prefix, const CPatent& patent) {
    Title(out, "Patent");
    out << prefix << '\n';
    Item(out, "<302> Title : ", patent.GetTitle());
    WriteDatabaseReference(out, patent);
    Item(out, "<310> DocNumber : ", patent.GetDocumentNumber());
    Item(out, "<311> PatentFilingDate : ", patent.GetFilingDate());
    Item(out, "<312> PubDate : ", patent.GetPublicationDate());
    WriteRange(out, patent);
    out << '\n';
}

void WriteSequence(std::ostream& out, CSequence& sequence) {
    Title(out, "Sequence");
    Item(out, "<213> OrganismName : ", sequence.GetOrganism());
    sequence.LoadResidues();
    out << "<400> PreSequenceString : \n" << sequence.GetResidues() << '\n';
    Item(out, "<212> Type : ", sequence.GetTypeName());
    Item(out, "<211> Length : ", std::to_string(sequence.GetResidueCount()));
    sequence.UnloadResidues();
    Item(out, "      SequenceName : ", sequence.GetName());
    Item(out, "      SequenceDescription : ", std::string());
    out << '\n';

    const std::string prefix = sequence.GetMessagePrefix();
    for (const auto& feature : sequence.GetFeatures()) WriteFeature(out, prefix, *feature);
    for (const auto& journal : sequence.GetJournals()) WriteJournal(out, prefix, *journal);
    for (const auto& database : sequence.GetDatabases()) WriteDatabase(out, prefix, *database);
    for (const auto& thesis : sequence.GetTheses()) WriteThesis(out, prefix, *thesis);
    for (const auto& patent : sequence.GetPatents()) WritePatent(out, prefix, *patent);
}

}  // namespace

void WriteWorkFile(CProject& project, std::ostream& out) {
    for (const auto& applicant : project.GetOrgApplicants()) WriteOrganization(out, *applicant);
    for (const auto& applicant : project.GetIndivApplicants()) WriteIndividual(out, *applicant);
    WriteProjectData(out, project.GetProjectData());
    for (const auto& prior : project.GetPriorApplications()) WritePriorApplication(out, *prior);
    for (const auto& sequence : project.GetSequences()) WriteSequence(out, *sequence);
}

CWorkFileResult WriteWorkFile(CProject& project, const std::string& path) {
    std::ofstream out;
    if (!path.empty()) out.open(path, std::ios::out | std::ios::trunc);
    if (!out.is_open()) return {false, kWorkFileOpenFailed};
    WriteWorkFile(project, out);
    out.close();
    if (out.fail()) return {false, kWorkFileWriteFailed};
    return {true, {}};
}

}  // namespace qln
