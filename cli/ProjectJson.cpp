#include "cli/ProjectJson.h"

#include <initializer_list>
#include <set>

#include "export/Latin1.h"
#include "model/Feature.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln::cli {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

// The five sequence classes by the keywords of the sequence file import.
constexpr const char* kProtein1 = "PROTEIN/1";
constexpr const char* kProtein3 = "PROTEIN/3";

// Reads the members of one JSON object, refusing unknown members, nulls and
// values of the wrong kind, and naming the member in every complaint.
class MemberReader {
public:
    MemberReader(const json& value, std::string path, std::initializer_list<const char*> allowed)
        : value_(value), path_(std::move(path)) {
        if (!value_.is_object()) throw CJsonInputError(PathOr("(top)"), "must be an object");
        std::set<std::string> known(allowed.begin(), allowed.end());
        for (const auto& [name, member] : value_.items()) {
            if (!known.count(name)) throw CJsonInputError(Path(name), "unknown member");
            if (member.is_null()) throw CJsonInputError(Path(name), "null is not allowed");
        }
    }

    std::string Text(const char* name) const {
        const json* member = Find(name);
        if (!member) return {};
        return ToLatin1(*member, Path(name));
    }

    bool Flag(const char* name) const {
        const json* member = Find(name);
        if (!member) return false;
        if (!member->is_boolean()) throw CJsonInputError(Path(name), "must be true or false");
        return member->get<bool>();
    }

    // The elements of a list member; none when it is absent.
    const json& List(const char* name) const {
        static const json empty = json::array();
        const json* member = Find(name);
        if (!member) return empty;
        if (!member->is_array()) throw CJsonInputError(Path(name), "must be a list");
        return *member;
    }

    const json* Object(const char* name) const {
        const json* member = Find(name);
        if (member && !member->is_object()) throw CJsonInputError(Path(name), "must be an object");
        return member;
    }

    std::string Path(const std::string& name) const { return path_.empty() ? name : path_ + "." + name; }

    static std::string ToLatin1(const json& value, const std::string& path) {
        if (!value.is_string()) throw CJsonInputError(path, "must be a string");
        auto text = Utf8ToLatin1(value.get_ref<const std::string&>());
        if (!text) throw CJsonInputError(path, "holds a character outside Latin-1");
        return *text;
    }

private:
    const json* Find(const char* name) const {
        auto it = value_.find(name);
        return it == value_.end() ? nullptr : &*it;
    }
    std::string PathOr(const char* fallback) const { return path_.empty() ? fallback : path_; }

    const json& value_;
    std::string path_;
};

std::string Indexed(const std::string& path, size_t i) { return path + "[" + std::to_string(i) + "]"; }

template <class T>
void FillAddress(T& applicant, const MemberReader& r) {
    applicant.SetStreet(r.Text("street"));
    applicant.SetCity(r.Text("city"));
    applicant.SetState(r.Text("state"));
    applicant.SetCountry(r.Text("country"));
    applicant.SetPostalCode(r.Text("postalCode"));
    applicant.SetPhoneNumber(r.Text("phone"));
    applicant.SetFaxNumber(r.Text("fax"));
    applicant.SetEmailAddress(r.Text("email"));
}

#define QLN_ADDRESS_MEMBERS "street", "city", "state", "country", "postalCode", "phone", "fax", "email"

void ReadApplicants(CProject& project, const MemberReader& top) {
    const json& orgs = top.List("organizationApplicants");
    for (size_t i = 0; i < orgs.size(); ++i) {
        MemberReader r(orgs[i], Indexed("organizationApplicants", i), {"name", QLN_ADDRESS_MEMBERS});
        Ptr<COrgApplicant> applicant(new COrgApplicant(&project, r.Text("name")));
        FillAddress(*applicant, r);
        project.GetOrgApplicants().Add(applicant);
    }
    const json& people = top.List("individualApplicants");
    for (size_t i = 0; i < people.size(); ++i) {
        MemberReader r(people[i], Indexed("individualApplicants", i),
                       {"firstName", "lastName", "middleInitial", "suffix", QLN_ADDRESS_MEMBERS});
        Ptr<CIndivApplicant> applicant(new CIndivApplicant(&project, r.Text("firstName"), r.Text("lastName"),
                                                           r.Text("middleInitial"), r.Text("suffix")));
        FillAddress(*applicant, r);
        project.GetIndivApplicants().Add(applicant);
    }
}

void ReadPriorApplications(CProject& project, const MemberReader& top) {
    const json& list = top.List("priorApplications");
    for (size_t i = 0; i < list.size(); ++i) {
        MemberReader r(list[i], Indexed("priorApplications", i), {"number", "filingDate"});
        project.GetPriorApplications().Add(
            Ptr<CEarlierApplication>(new CEarlierApplication(&project, r.Text("number"), r.Text("filingDate"))));
    }
}

Ptr<CSequence> MakeSequence(CProject& project, const std::string& type, const MemberReader& r,
                            const std::string& path) {
    std::string name = r.Text("name"), organism = r.Text("organism"), residues = r.Text("residues");
    if (auto nucleotide = CBaseSequence::CreateOfType(type, &project, name, organism, residues))
        return Ptr<CSequence>(nucleotide);
    if (type == kProtein1) return Ptr<CSequence>(new CProtein1Sequence(&project, name, organism, residues));
    if (type == kProtein3) return Ptr<CSequence>(new CProtein3Sequence(&project, name, organism, residues));
    throw CJsonInputError(path, "must be one of DNA, RNA, DNA/RNA, PROTEIN/1, PROTEIN/3, not \"" + type + "\"");
}

void ReadCustomCodons(CSequence& sequence, const MemberReader& r, const std::string& path) {
    const json* codons = r.Object("customCodons");
    if (!codons || codons->empty()) return;
    auto* nucleotide = dynamic_cast<CBaseSequence*>(&sequence);
    if (!nucleotide) throw CJsonInputError(path, "a protein has no custom codons");
    for (const auto& [codon, aminoAcid] : codons->items()) {
        const std::string member = path + "." + codon;
        auto key = Utf8ToLatin1(codon);
        if (!key) throw CJsonInputError(member, "holds a character outside Latin-1");
        nucleotide->GetCustomCodons()[*key] = MemberReader::ToLatin1(aminoAcid, member);
    }
}

void ReadFeatures(CSequence& sequence, const MemberReader& r, const std::string& path) {
    const json& list = r.List("features");
    for (size_t i = 0; i < list.size(); ++i) {
        MemberReader f(list[i], Indexed(path, i), {"key", "from", "to", "comment", "joined"});
        Ptr<CFeature> feature = MakeFeatureForKey(&sequence, f.Text("key"), f.Text("comment"), f.Text("from"),
                                                  f.Text("to"), f.Flag("joined"));
        feature->SetRow(static_cast<int32_t>(i + 1));
        sequence.GetFeatures().Add(feature);
    }
}

#define QLN_REFERENCE_MEMBERS "accession", "entryDate", "from", "to"

void ReadPublications(CSequence& sequence, const MemberReader& r, const std::string& path) {
    const json& journals = r.List("journals");
    for (size_t i = 0; i < journals.size(); ++i) {
        MemberReader p(journals[i], Indexed(path + ".journals", i),
                       {"authors", "title", "journal", "volume", "issue", "pages", "date", QLN_REFERENCE_MEMBERS});
        sequence.GetJournals().Add(Ptr<CJournal>(new CJournal(
            &sequence, p.Text("authors"), p.Text("title"), p.Text("journal"), p.Text("volume"), p.Text("issue"),
            p.Text("pages"), p.Text("date"), p.Text("accession"), p.Text("entryDate"), p.Text("from"), p.Text("to"))));
    }
    const json& databases = r.List("databases");
    for (size_t i = 0; i < databases.size(); ++i) {
        MemberReader p(databases[i], Indexed(path + ".databases", i), {QLN_REFERENCE_MEMBERS});
        sequence.GetDatabases().Add(Ptr<CPubDatabase>(
            new CPubDatabase(&sequence, p.Text("accession"), p.Text("entryDate"), p.Text("from"), p.Text("to"))));
    }
    const json& patents = r.List("patents");
    for (size_t i = 0; i < patents.size(); ++i) {
        MemberReader p(patents[i], Indexed(path + ".patents", i),
                       {"title", "documentNumber", "filingDate", "publicationDate", QLN_REFERENCE_MEMBERS});
        sequence.GetPatents().Add(Ptr<CPatent>(new CPatent(
            &sequence, p.Text("title"), p.Text("documentNumber"), p.Text("filingDate"), p.Text("publicationDate"),
            p.Text("accession"), p.Text("entryDate"), p.Text("from"), p.Text("to"))));
    }
    const json& theses = r.List("theses");
    for (size_t i = 0; i < theses.size(); ++i) {
        MemberReader p(theses[i], Indexed(path + ".theses", i),
                       {"authors", "title", "pages", "date", QLN_REFERENCE_MEMBERS});
        sequence.GetTheses().Add(
            Ptr<CThesis>(new CThesis(&sequence, p.Text("authors"), p.Text("title"), p.Text("date"), p.Text("pages"),
                                     p.Text("accession"), p.Text("entryDate"), p.Text("from"), p.Text("to"))));
    }
}

void ReadSequences(CProject& project, const MemberReader& top) {
    const json& list = top.List("sequences");
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string path = Indexed("sequences", i);
        MemberReader r(list[i], path,
                       {"name", "type", "organism", "residues", "skipped", "comment", "customCodons", "features",
                        "journals", "databases", "patents", "theses"});
        Ptr<CSequence> sequence = MakeSequence(project, r.Text("type"), r, r.Path("type"));
        if (project.Find(sequence->GetName()))
            throw CJsonInputError(r.Path("name"), "\"" + sequence->GetName() + "\" is the name of an earlier sequence");
        sequence->SetSkipped(r.Flag("skipped"));
        sequence->GetComment()->SetComment(r.Text("comment"));
        ReadCustomCodons(*sequence, r, r.Path("customCodons"));
        ReadFeatures(*sequence, r, r.Path("features"));
        ReadPublications(*sequence, r, path);
        project.Add(sequence.get());
    }
}

// ---- dump -------------------------------------------------------------------------------

std::string Utf8(const std::string& latin1) { return Latin1ToUtf8(latin1); }

template <class T>
void DumpAddress(ordered_json& out, const T& applicant) {
    out["street"] = Utf8(applicant.GetStreet());
    out["city"] = Utf8(applicant.GetCity());
    out["state"] = Utf8(applicant.GetState());
    out["country"] = Utf8(applicant.GetCountry());
    out["postalCode"] = Utf8(applicant.GetPostalCode());
    out["phone"] = Utf8(applicant.GetPhoneNumber());
    out["fax"] = Utf8(applicant.GetFaxNumber());
    out["email"] = Utf8(applicant.GetEmailAddress());
}

std::string TypeKeyword(const CSequence& sequence) {
    if (sequence.IsKindOf(CProtein1Sequence::runtimeClass)) return kProtein1;
    if (sequence.IsKindOf(CProtein3Sequence::runtimeClass)) return kProtein3;
    if (sequence.IsKindOf(CDNARNASequence::runtimeClass)) return CDNARNASequence::kTypeName;
    if (sequence.IsKindOf(CRNASequence::runtimeClass)) return CRNASequence::kTypeName;
    return CDNASequence::kTypeName;
}

void DumpReference(ordered_json& out, const CPublication& p) {
    out["accession"] = Utf8(p.GetAccessionNumber());
    out["entryDate"] = Utf8(p.GetEntryDate().GetText());
    out["from"] = Utf8(p.GetFromText());
    out["to"] = Utf8(p.GetToText());
}

ordered_json DumpPublications(CSequence& sequence, ordered_json out) {
    out["journals"] = ordered_json::array();
    for (const auto& j : sequence.GetJournals()) {
        ordered_json e;
        e["authors"] = Utf8(j->GetAuthors());
        e["title"] = Utf8(j->GetTitle());
        e["journal"] = Utf8(j->GetJournalName());
        e["volume"] = Utf8(j->GetVolume());
        e["issue"] = Utf8(j->GetIssue());
        e["pages"] = Utf8(j->GetPageRange());
        e["date"] = Utf8(j->GetPublicationDate().GetText());
        DumpReference(e, *j);
        out["journals"].push_back(std::move(e));
    }
    out["databases"] = ordered_json::array();
    for (const auto& d : sequence.GetDatabases()) {
        ordered_json e;
        DumpReference(e, *d);
        out["databases"].push_back(std::move(e));
    }
    out["patents"] = ordered_json::array();
    for (const auto& p : sequence.GetPatents()) {
        ordered_json e;
        e["title"] = Utf8(p->GetTitle());
        e["documentNumber"] = Utf8(p->GetDocumentNumber());
        e["filingDate"] = Utf8(p->GetFilingDate().GetText());
        e["publicationDate"] = Utf8(p->GetPublicationDate().GetText());
        DumpReference(e, *p);
        out["patents"].push_back(std::move(e));
    }
    out["theses"] = ordered_json::array();
    for (const auto& t : sequence.GetTheses()) {
        ordered_json e;
        e["authors"] = Utf8(t->GetAuthors());
        e["title"] = Utf8(t->GetTitle());
        e["pages"] = Utf8(t->GetPageRange());
        e["date"] = Utf8(t->GetDate().GetText());
        DumpReference(e, *t);
        out["theses"].push_back(std::move(e));
    }
    return out;
}

ordered_json DumpSequence(CSequence& sequence) {
    ordered_json out;
    out["name"] = Utf8(sequence.GetName());
    out["type"] = TypeKeyword(sequence);
    out["organism"] = Utf8(sequence.GetOrganism());
    if (sequence.IsDisplayLayout()) sequence.StripToLetters();
    out["residues"] = Utf8(sequence.GetResidues());
    sequence.UnloadResidues();
    out["skipped"] = sequence.IsSkipped();
    out["comment"] = Utf8(sequence.GetComment()->GetComment());
    out["customCodons"] = ordered_json::object();
    if (auto* nucleotide = dynamic_cast<CBaseSequence*>(&sequence))
        for (const auto& [codon, aminoAcid] : nucleotide->GetCustomCodons())
            out["customCodons"][Utf8(codon)] = Utf8(aminoAcid);
    out["features"] = ordered_json::array();
    for (const auto& f : sequence.GetFeatures()) {
        ordered_json e;
        e["key"] = Utf8(f->GetKey());
        e["from"] = Utf8(f->GetFromText());
        e["to"] = Utf8(f->GetToText());
        e["comment"] = Utf8(f->GetComment());
        e["joined"] = f->IsJoined();
        out["features"].push_back(std::move(e));
    }
    return DumpPublications(sequence, std::move(out));
}

}  // namespace

Ptr<CProject> BuildProject(const json& value) {
    MemberReader top(
        value, "",
        {"title", "fileReference", "applicationNumber", "filingDate", "customOrganisms", "lastImportFolder",
         "priorApplications", "organizationApplicants", "individualApplicants", "sequences"});
    Ptr<CProject> project(new CProject);
    CProjectData& data = *project->GetProjectData();
    data.SetTitle(top.Text("title"));
    data.SetFileReference(top.Text("fileReference"));
    data.SetApplicationNumber(top.Text("applicationNumber"));
    data.GetFilingDate() = top.Text("filingDate");
    const json& organisms = top.List("customOrganisms");
    for (size_t i = 0; i < organisms.size(); ++i)
        project->GetCustomOrganisms().push_back(MemberReader::ToLatin1(organisms[i], Indexed("customOrganisms", i)));
    project->SetLastImportFolder(top.Text("lastImportFolder"));
    ReadPriorApplications(*project, top);
    ReadApplicants(*project, top);
    ReadSequences(*project, top);
    return project;
}

ordered_json DumpProject(CProject& project) {
    ordered_json out;
    const CProjectData& data = *project.GetProjectData();
    out["title"] = Utf8(data.GetTitle());
    out["fileReference"] = Utf8(data.GetFileReference());
    out["applicationNumber"] = Utf8(data.GetApplicationNumber());
    out["filingDate"] = Utf8(data.GetFilingDate().GetText());
    out["customOrganisms"] = ordered_json::array();
    for (const auto& organism : project.GetCustomOrganisms()) out["customOrganisms"].push_back(Utf8(organism));
    out["lastImportFolder"] = Utf8(project.GetLastImportFolder());
    out["priorApplications"] = ordered_json::array();
    for (const auto& prior : project.GetPriorApplications())
        out["priorApplications"].push_back(
            ordered_json{{"number", Utf8(prior->GetNumber())}, {"filingDate", Utf8(prior->GetFilingDate().GetText())}});
    out["organizationApplicants"] = ordered_json::array();
    for (const auto& org : project.GetOrgApplicants()) {
        ordered_json e;
        e["name"] = Utf8(org->GetOrganizationName());
        DumpAddress(e, *org);
        out["organizationApplicants"].push_back(std::move(e));
    }
    out["individualApplicants"] = ordered_json::array();
    for (const auto& person : project.GetIndivApplicants()) {
        ordered_json e;
        e["firstName"] = Utf8(person->GetFirstName());
        e["lastName"] = Utf8(person->GetLastName());
        e["middleInitial"] = Utf8(person->GetMiddleInitial());
        e["suffix"] = Utf8(person->GetSuffix());
        DumpAddress(e, *person);
        out["individualApplicants"].push_back(std::move(e));
    }
    out["sequences"] = ordered_json::array();
    for (const auto& sequence : project.GetSequences()) out["sequences"].push_back(DumpSequence(*sequence));
    return out;
}

}  // namespace qln::cli
