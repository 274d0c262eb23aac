#include "generator/ItemBlocks.h"

#include "generator/Wrapping.h"
#include "model/Feature.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

namespace {

void AppendItem(std::string& out, const char* tag, std::string_view value) {
    if (value.empty()) return;
    out += tag;
    out.append(value);
    out += '\n';
}

void AppendWrapped(std::string& out, const char* tag, const std::string& value) {
    if (!value.empty()) AppendItem(out, tag, CWrapping::Publication(value));
}

// Dates that were filled in, as entered.
void AppendDate(std::string& out, const char* tag, const DateField& date) {
    if (!date.IsEmpty()) AppendItem(out, tag, date.GetText());
}

void AppendRange(std::string& out, const CPublication& publication) {
    if (publication.GetFromText().empty() && publication.GetToText().empty()) return;
    out += "<313>  (";
    out += publication.GetFromText();
    out += ")..(";
    out += publication.GetToText();
    out += ")\n";
}

void AppendDatabaseReference(std::string& out, const CPublication& publication) {
    AppendItem(out, "<308>  ", publication.GetAccessionNumber());
    AppendDate(out, "<309>  ", publication.GetEntryDate());
}

void AppendJournal(std::string& out, const CJournal& journal) {
    out += "<300>\n";
    AppendWrapped(out, "<301>  ", journal.GetAuthors());
    AppendWrapped(out, "<302>  ", journal.GetTitle());
    AppendWrapped(out, "<303>  ", journal.GetJournalName());
    AppendItem(out, "<304>  ", journal.GetVolume());
    AppendItem(out, "<305>  ", journal.GetIssue());
    AppendItem(out, "<306>  ", journal.GetPageRange());
    if (!journal.GetPublicationDate().IsEmpty())
        AppendItem(out, "<307>  ", CItemBlocks::JournalDate(journal.GetPublicationDate()));
    AppendItem(out, "<308>  ", journal.GetAccessionNumber());
    if (!journal.GetEntryDate().IsEmpty()) AppendItem(out, "<309>  ", CItemBlocks::JournalDate(journal.GetEntryDate()));
    AppendRange(out, journal);
    out += '\n';
}

void AppendDatabase(std::string& out, const CPubDatabase& database) {
    out += "<300>\n";
    AppendDatabaseReference(out, database);
    AppendRange(out, database);
    out += '\n';
}

void AppendThesis(std::string& out, const CThesis& thesis) {
    out += "<300>\n";
    AppendWrapped(out, "<301>  ", thesis.GetAuthors());
    AppendWrapped(out, "<302>  ", thesis.GetTitle());
    AppendItem(out, "<306>  ", thesis.GetPageRange());
    AppendDate(out, "<307>  ", thesis.GetDate());
    AppendDatabaseReference(out, thesis);
    AppendRange(out, thesis);
    out += '\n';
}

void AppendPatent(std::string& out, const CPatent& patent) {
    out += "<300>\n";
    AppendWrapped(out, "<302>  ", patent.GetTitle());
    AppendDatabaseReference(out, patent);
    AppendItem(out, "<310>  ", patent.GetDocumentNumber());
    AppendDate(out, "<311>  ", patent.GetFilingDate());
    AppendDate(out, "<312>  ", patent.GetPublicationDate());
    AppendRange(out, patent);
    out += '\n';
}

}  // namespace

void CItemBlocks::AppendFeature(std::string& out, std::string_view key, std::string_view from, std::string_view to,
                                std::string_view comment) {
    out += "<220>\n";
    if (!key.empty()) {
        out += "<221>  ";
        out += CWrapping::Feature(key);
        out += '\n';
    }
    if (!from.empty()) {
        out += "<222>  (";
        out.append(from);
        out += ")..(";
        out.append(to);
        out += ")\n";
    }
    if (!comment.empty()) {
        out += "<223>  ";
        out += CWrapping::Feature(comment);
        out += '\n';
    }
    out += '\n';
}

void CItemBlocks::AppendFeature(std::string& out, const CFeature& feature) {
    AppendFeature(out, feature.GetKey(), feature.GetFromText(), feature.GetToText(), feature.GetComment());
}

std::string CItemBlocks::JournalDate(const DateField& date) {
    std::string text = date.GetText();
    for (char& c : text)
        if (c == '_') c = ' ';
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '-' && text[i + 1] == ' ') text[i] = ' ';
    return text;
}

void CItemBlocks::AppendPublications(std::string& out, const CSequence& sequence) {
    for (const auto& journal : sequence.GetJournals()) AppendJournal(out, *journal);
    for (const auto& database : sequence.GetDatabases()) AppendDatabase(out, *database);
    for (const auto& thesis : sequence.GetTheses()) AppendThesis(out, *thesis);
    for (const auto& patent : sequence.GetPatents()) AppendPatent(out, *patent);
}

}  // namespace qln
