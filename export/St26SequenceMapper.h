// Maps one sequence of a project, with the protein entries derived from its
// coding regions, to SequenceData elements, telling the report about every
// change, default, computation and drop, and about every error that keeps
// the listing from being written.
#pragma once

#include <string>
#include <vector>

#include "export/St26Choices.h"
#include "export/St26Report.h"
#include "export/St26SequenceData.h"
#include "export/ProteinTranslator.h"

namespace qln {

class CSequence;
class CBaseSequence;
class CProteinSequence;
class CFeature;
struct CDerivedEntry;

class CSt26SequenceMapper {
public:
    CSt26SequenceMapper(const CSt26Choices& choices, CSt26Report& report) : choices_(choices), report_(report) {}

    // The organism as the listing names it.
    static std::string ExportedOrganism(const CSequence& sequence);
    // The mol_type chosen for the sequence, else its default.
    std::string MolTypeFor(const CSequence& sequence) const;

    // The sequence's residues must be loaded and stripped to letters. The
    // sequence gets seqId, its derived entries the numbers after it.
    std::vector<CSt26SequenceData> Map(CSequence& sequence, int seqId);
    static CSt26SequenceData Skipped(int seqId);

private:
    struct Context;

    CSt26SequenceData MapNucleotide(CBaseSequence& sequence, Context& context,
                                    const std::vector<CDerivedEntry>& derived,
                                    const std::vector<CProteinTranslation>& proteins);
    CSt26SequenceData MapProtein(CProteinSequence& sequence, Context& context);
    CSt26Feature Source(const CSequence& sequence, Context& context, const std::string& molType, size_t length);
    void AddCodingRegions(CBaseSequence& sequence, Context& context, const std::vector<CDerivedEntry>& derived,
                          const std::vector<CProteinTranslation>& proteins, CSt26SequenceData& data);
    void AddFeature(const CFeature& feature, Context& context, CSt26SequenceData& data);
    CSt26SequenceData Derived(CBaseSequence& parent, const CDerivedEntry& entry, const CProteinTranslation& translation,
                              Context& context);
    void ReportPublications(const CSequence& sequence, Context& context);
    bool KeepsThreshold(const CSt26SequenceData& data, Context& context);

    const CSt26Choices& choices_;
    CSt26Report& report_;
    CProteinTranslator translator_;
    int proteinIdsLinked_ = 0;
};

}  // namespace qln
