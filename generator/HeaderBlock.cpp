#include "generator/HeaderBlock.h"

#include "generator/Wrapping.h"
#include "model/Project.h"

namespace qln {

namespace {

constexpr size_t kListingNameIndent = 6;

}  // namespace

std::string CHeaderBlock::Applicants(const CProject& project) {
    // Each listing name starts with six spaces; after the first applicant
    // they and the space that ends the line before make the indent of seven.
    std::string names;
    for (const auto& applicant : project.GetOrgApplicants()) {
        names += CWrapping::Applicant(applicant->GetListingName());
        names += "\n ";
    }
    for (const auto& applicant : project.GetIndivApplicants()) {
        names += CWrapping::Applicant(applicant->GetListingName());
        names += "\n ";
    }
    std::string out = "<110>  ";
    if (names.size() > kListingNameIndent) out.append(names, kListingNameIndent);
    out += '\n';
    return out;
}

std::string CHeaderBlock::Text(const CProject& project, size_t& countOffset) {
    std::string out = "                         SEQUENCE LISTING\n\n";
    out += Applicants(project);

    // A project always has its data record; an empty one stands in otherwise.
    const CProjectData none;
    const CProjectData& data = project.GetProjectData() ? *project.GetProjectData() : none;
    out += "<120>  " + CWrapping::Publication(data.GetTitle()) + "\n\n";
    out += "<130>  " + CWrapping::Publication(data.GetFileReference()) + "\n\n";
    if (!data.GetApplicationNumber().empty())
        out += "<140>  " + CWrapping::Publication(data.GetApplicationNumber()) + "\n";
    if (!data.GetFilingDate().IsEmpty()) out += "<141>  " + data.GetFilingDate().GetOutputText() + "\n\n";

    for (const auto& prior : project.GetPriorApplications()) {
        out += "<150>  " + CWrapping::Publication(prior->GetNumber()) + "\n";
        out += "<151>  " + prior->GetFilingDate().GetOutputText() + "\n\n";
    }

    out += "<160>  ";
    countOffset = out.size();
    out.append(kCountWidth, ' ');
    out += "\n\n";
    // Fixed, not the program's version: it names the listing layout, which
    // listings already filed, the listings kept for the tests and the
    // import's round trip compare byte for byte.
    out += "<170>  Quillion version 3.5\n\n";
    return out;
}

}  // namespace qln
