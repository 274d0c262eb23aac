// Valid projects drawn from a stream of choices, for the round trips that
// start from a project: the seeded test draws its choices from a random
// engine, the fuzz target from its input. The projects mix what the writer
// lays out in its own ways - joined coding regions with codons split between
// them, stop codons, mature peptides, exons and introns, unknown bases,
// applicants with and without middle initials and suffixes, values long
// enough to wrap - and hold only what a listing carries back, once
// MakeCarryable has dealt with the rest. Uses nothing of the test framework.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "generator/CodonTranslator.h"
#include "generator/StopCodonFinder.h"
#include "model/AminoAcidCode.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln::test {

// Numbers taken from bytes. Once the bytes are used up every number is 0,
// which ends every list, so a short input makes a small project.
class CChoices {
public:
    explicit CChoices(std::string bytes) : bytes_(std::move(bytes)) {}
    static CChoices Seeded(unsigned seed) {
        std::mt19937 engine(seed);
        std::string bytes(8192, '\0');
        for (char& byte : bytes) byte = static_cast<char>(engine());
        return CChoices(std::move(bytes));
    }

    // In [0, n), n at most 65536.
    int Below(int n) {
        if (n <= 1) return 0;
        unsigned value = Next();
        if (n > 256) value = value << 8 | Next();
        return static_cast<int>(value % static_cast<unsigned>(n));
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    // Never once the bytes are used up.
    bool OneIn(int n) { return Below(n) == n - 1; }
    template <size_t N>
    const char* Pick(const char* const (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

private:
    unsigned Next() { return next_ < bytes_.size() ? static_cast<unsigned char>(bytes_[next_++]) : 0u; }

    std::string bytes_;
    size_t next_ = 0;
};

class CRandomProject {
public:
    explicit CRandomProject(CChoices& choices) : c_(choices) {}

    Ptr<CProject> Make() {
        Ptr<CProject> project = MakePtr<CProject>();
        Header(*project);
        Applicants(*project);
        for (int i = 0, count = c_.Between(1, 6); i < count; ++i) Sequence(*project, "s" + std::to_string(i + 1));
        return project;
    }

private:
    struct Range {
        int from = 0;
        int to = 0;
    };

    // Short words, so that every wrap falls on a blank.
    std::string Text(int minWords, int maxWords) {
        static const char* const kWords[] = {"widget", "enzyme", "of",   "the",     "Host", "cell", "and",
                                             "5'-end", "pH",     "7.5",  "(SEQ",    "ID)",  "a",    "novel",
                                             "RNA",    "gene",   "2012", "binding", "site", "for",  "A-1"};
        std::string text = c_.Pick(kWords);
        for (int i = 1, count = c_.Between(minWords, maxWords); i < count; ++i) (text += ' ') += c_.Pick(kWords);
        return text;
    }
    // A feature's comment is listed in at most four lines; 25 words fit.
    // A line break typed into it is not carried back: MakeCarryable takes it out.
    std::string Comment() { return c_.OneIn(10) ? Text(1, 10) + "\r\n" + Text(1, 10) : Text(1, 25); }
    std::string Number(int low, int high) { return std::to_string(c_.Between(low, high)); }
    std::string Date(int firstYear, int lastYear) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", c_.Between(firstYear, lastYear), c_.Between(1, 12),
                      c_.Between(1, 28));
        return text;
    }
    // From and To within length, both empty now and then when allowed.
    std::pair<std::string, std::string> Location(int length, bool optional) {
        if (optional && c_.OneIn(2)) return {};
        const int from = c_.Between(1, length);
        return {std::to_string(from), std::to_string(c_.Between(from, length))};
    }

    void Header(CProject& project) {
        CProjectData& data = *project.GetProjectData();
        data.SetTitle(Text(1, 30));
        data.SetFileReference(c_.OneIn(4) ? Text(2, 12) : "REF-" + Number(1, 9999));
        if (c_.OneIn(2)) {
            data.SetApplicationNumber("PCT/US2012/" + Number(1, 99999));
            data.GetFilingDate() = Date(2012, 2020);
        }
        for (int i = c_.Below(3); i > 0; --i)
            project.GetPriorApplications().Add(new CEarlierApplication(
                &project, "US 61/" + Number(100, 999) + "," + Number(100, 999), Date(1995, 2011)));
    }

    void Applicants(CProject& project) {
        static const char* const kFirst[] = {"John", "Ann", "Mary-Lou", "O'Neil", "Li"};
        static const char* const kLast[] = {"Smith", "van Dyke", "Lee", "De la Cruz", "Doe"};
        static const char* const kMiddle[] = {"A", "B.", "J"};
        static const char* const kSuffix[] = {"Jr.", "Sr", "III", "Jr. III"};
        // A comma would make a person's name of it: MakeCarryable drops it.
        for (int i = c_.Below(3); i > 0; --i)
            project.GetOrgApplicants().Add(new COrgApplicant(&project, Text(1, 10) + (c_.OneIn(5) ? ", Inc." : "")));
        for (int i = c_.Below(4); i > 0; --i)
            project.GetIndivApplicants().Add(new CIndivApplicant(&project, c_.Pick(kFirst), c_.Pick(kLast),
                                                                 c_.OneIn(2) ? c_.Pick(kMiddle) : "",
                                                                 c_.OneIn(2) ? c_.Pick(kSuffix) : ""));
        if (project.GetOrgApplicants().IsEmpty() && project.GetIndivApplicants().IsEmpty())
            project.GetOrgApplicants().Add(new COrgApplicant(&project, "Acme"));
    }

    void Sequence(CProject& project, const std::string& name) {
        static const char* const kNatural[] = {"Homo sapiens", "Mus musculus", "Escherichia coli", "Zea mays"};
        static const char* const kOther[] = {"Artificial Sequence", "Unknown"};
        translationBefore_ = std::exchange(lastTranslation_, std::string());
        const bool natural = !c_.OneIn(3);
        const std::string organism = natural ? c_.Pick(kNatural) : c_.Pick(kOther);
        CSequence* sequence = nullptr;
        switch (c_.Below(10)) {
        case 0: sequence = Skipped(project, name); break;
        case 1: sequence = Nucleotide(new CRNASequence(&project, name, organism, ""), "acgu"); break;
        case 2: sequence = Nucleotide(new CDNARNASequence(&project, name, organism, ""), "acgtu"); break;
        case 3: sequence = Protein(new CProtein1Sequence(&project, name, organism, ""), false); break;
        case 4: sequence = Protein(new CProtein3Sequence(&project, name, organism, ""), true); break;
        default: sequence = Nucleotide(new CDNASequence(&project, name, organism, ""), "acgt"); break;
        }
        project.Add(sequence);
        // A natural organism's comment is not listed: MakeCarryable drops it.
        if (!natural || c_.OneIn(8)) sequence->GetComment()->SetComment(Comment());
        Publications(*sequence);
    }

    CSequence* Skipped(CProject& project, const std::string& name) {
        CSequence* sequence = c_.OneIn(2) ? static_cast<CSequence*>(new CDNASequence(&project, name, "", ""))
                                          : new CProtein1Sequence(&project, name, "", "");
        sequence->SetSkipped(true);
        return sequence;
    }

    void AddFeature(CSequence& sequence, Ptr<CFeature> feature) {
        feature->SetRow(sequence.GetFeatures().GetSize() + 1);
        sequence.GetFeatures().Add(std::move(feature));
    }
    void AddOtherFeatures(CSequence& sequence, int length, bool protein) {
        static const char* const kNucleotideKeys[] = {"misc_feature", "promoter", "variation", "repeat_region"};
        static const char* const kProteinKeys[] = {"MOD_RES", "DOMAIN", "SITE", "misc_feature"};
        for (int i = c_.Below(3); i > 0; --i) {
            const std::string key = protein ? c_.Pick(kProteinKeys) : c_.Pick(kNucleotideKeys);
            const bool misc = key == "misc_feature";
            auto [from, to] = Location(length, misc);
            AddFeature(sequence, MakeFeatureForKey(&sequence, key, misc || c_.OneIn(2) ? Comment() : "", from, to));
        }
    }

    CSequence* Protein(CProteinSequence* sequence, bool threeLetter) {
        static const char kAminoAcids[] = "ACDEFGHIKLMNPQRSTVWYXBZ";
        // Now and then the user's own protein is what the nucleotide before
        // it translates to, and follows its derived entries.
        std::string codes = c_.OneIn(3) ? translationBefore_ : "";
        if (codes.size() < 4) {
            codes.clear();
            for (int i = c_.Between(4, 90); i > 0; --i)
                codes += kAminoAcids[c_.OneIn(12) ? c_.Below(23) : c_.Below(20)];
        }
        const int length = static_cast<int>(codes.size());
        std::string residues;
        for (const char code : codes) {
            if (threeLetter)
                residues += CAminoAcidCode::ThreeLetterFor(code);
            else
                residues += code;
        }
        sequence->SetResidues(residues);
        if (c_.OneIn(3)) AddFeature(*sequence, MakePtr<CMatPeptide>(sequence, Text(1, 5), Number(1, length), ""));
        AddOtherFeatures(*sequence, length, true);
        return sequence;
    }

    // The coding regions of a nucleotide: one after another, apart or
    // touching.
    std::vector<Range> Regions(int& next, int count, bool wholeCodons) {
        std::vector<Range> regions;
        for (int i = 0; i < count; ++i) {
            // Now and then long enough for amino acid numbers of four digits.
            const bool longOne = c_.OneIn(12);
            const int length = wholeCodons ? 3 * (longOne ? c_.Between(100, 1200) : c_.Between(1, 15))
                                           : (longOne ? c_.Between(300, 3600) : c_.Between(1, 25));
            regions.push_back({next, next + length - 1});
            next += length + (c_.OneIn(3) ? 0 : c_.Between(1, 15));
        }
        return regions;
    }

    CSequence* Nucleotide(CBaseSequence* sequence, const char* alphabet) {
        enum Plan { kNone, kApart, kJoined, kJoinedWithPeptide, kOneWithPeptide, kExons, kPlans };
        const int plan = c_.Below(kPlans);
        int next = 1 + c_.Below(25);
        std::vector<Range> regions, exons;
        if (plan == kApart || plan == kJoined || plan == kJoinedWithPeptide)
            regions = Regions(next, c_.Between(1, 4), plan == kApart);
        if (plan == kOneWithPeptide) regions = Regions(next, 1, true);
        if (plan == kJoined || plan == kJoinedWithPeptide) {
            // Whole codons and at least four of them, so that the derived
            // entry is listed and shows the regions joined.
            int total = 0;
            for (const Range& region : regions) total += region.to - region.from + 1;
            regions.back().to += std::max(12, (total + 2) / 3 * 3) - total;
            next = std::max(next, regions.back().to + 1);
        }
        if (plan == kExons) {
            for (int i = c_.Between(1, 3); i > 0; --i) {
                const int length = c_.Between(3, 40);
                exons.push_back({next, next + length - 1});
                next += length + c_.Between(1, 20);
            }
        }
        const int length = std::max(10, next - 1 + c_.Below(30));

        std::string residues;
        const size_t letters = std::char_traits<char>::length(alphabet);
        for (int i = 0; i < length; ++i) residues += alphabet[c_.Below(static_cast<int>(letters))];
        if (c_.OneIn(6)) residues.replace(static_cast<size_t>(c_.Below(length - 3)), 3, "nnn");
        if (plan == kApart && c_.OneIn(2))
            AddStop(residues, regions[c_.Below(static_cast<int>(regions.size()))], alphabet);
        if (plan == kJoined || plan == kJoinedWithPeptide || plan == kOneWithPeptide) RemoveStops(residues, regions);
        if (!regions.empty()) lastTranslation_ = Translation(*sequence, residues, regions.front());
        // The stored text may keep blanks; the listing holds the letters.
        if (c_.OneIn(10))
            for (size_t at = residues.size() / 10 * 10; at > 0; at -= 10) residues.insert(at, " ");
        sequence->SetResidues(residues);

        const bool joined = plan == kJoined || plan == kJoinedWithPeptide;
        for (size_t i = 0; i < regions.size(); ++i) {
            const Range& region = regions[i];
            AddFeature(*sequence, MakePtr<CDS>(sequence, c_.OneIn(3) ? Text(1, 8) : "", std::to_string(region.from),
                                               std::to_string(region.to), joined));
            // An exon may line up with a region, unless the region follows
            // another at once: the listing would show it as that exon.
            if (c_.OneIn(6) && (i == 0 || regions[i - 1].to + 1 < region.from))
                AddFeature(*sequence,
                           MakePtr<CExon>(sequence, "", std::to_string(region.from), std::to_string(region.to)));
        }
        if (plan == kJoinedWithPeptide || plan == kOneWithPeptide)
            AddFeature(*sequence, MakePtr<CMatPeptide>(sequence, Text(1, 4), std::to_string(CodonStart(regions)),
                                                       c_.OneIn(2) ? std::to_string(regions.back().to) : ""));
        for (size_t i = 0; i < exons.size(); ++i) {
            AddFeature(*sequence,
                       MakePtr<CExon>(sequence, "", std::to_string(exons[i].from), std::to_string(exons[i].to)));
            if (i + 1 < exons.size())
                AddFeature(*sequence, MakePtr<CIntron>(sequence, "", std::to_string(exons[i].to + 1),
                                                       std::to_string(exons[i + 1].from - 1)));
        }
        // An exon right after the last region continues its reading frame.
        if (!regions.empty() && regions.back().to + 3 <= length && c_.OneIn(6))
            AddFeature(*sequence, MakePtr<CExon>(sequence, "", std::to_string(regions.back().to + 1),
                                                 std::to_string(c_.Between(regions.back().to + 3, length))));
        AddOtherFeatures(*sequence, length, false);
        // Custom codons are not listed: MakeCarryable drops them.
        if (c_.OneIn(10)) sequence->GetCustomCodons()["aaa"] = "Lys";
        return sequence;
    }

    // The amino acids of a region's whole codons up to the first stop.
    static std::string Translation(const CBaseSequence& sequence, const std::string& residues, const Range& region) {
        CCodonTranslator translator;
        translator.UseSequence(sequence);
        std::string codes;
        for (int at = region.from; at + 2 <= region.to; at += 3) {
            const CCodonTranslation& codon = translator.Translate(residues.data() + at - 1);
            if (codon.stop) break;
            codes += CAminoAcidCode::OneLetterFor(codon.aminoAcid);
        }
        return codes;
    }

    // The positions of the regions' residues, one after another.
    static std::vector<int> CodingPositions(const std::vector<Range>& regions) {
        std::vector<int> positions;
        for (const Range& region : regions)
            for (int p = region.from; p <= region.to; ++p) positions.push_back(p);
        return positions;
    }
    // The position of a codon's first residue, somewhere in the regions.
    int CodonStart(const std::vector<Range>& regions) {
        const std::vector<int> positions = CodingPositions(regions);
        return positions[3 * static_cast<size_t>(c_.Below(static_cast<int>(positions.size()) / 3))];
    }
    // The regions joined hold no stop codon, split ones included.
    static void RemoveStops(std::string& residues, const std::vector<Range>& regions) {
        const std::vector<int> positions = CodingPositions(regions);
        for (size_t i = 0; i + 3 <= positions.size(); i += 3) {
            char codon[3];
            for (int k = 0; k < 3; ++k) codon[k] = residues[static_cast<size_t>(positions[i + k] - 1)];
            if (!CStopCodonFinder::IsStop(codon)) continue;
            // taa, tag and tga with a c in the middle stop nothing.
            residues[static_cast<size_t>(positions[i + 1] - 1)] = 'c';
        }
    }
    void AddStop(std::string& residues, const Range& region, const char* alphabet) {
        const int codons = (region.to - region.from + 1) / 3;
        const size_t at = static_cast<size_t>(region.from - 1 + 3 * c_.Below(codons));
        residues.replace(at, 3, std::string(alphabet).find('t') != std::string::npos ? "tga" : "uga");
    }

    void Publications(CSequence& sequence) {
        const int length = std::max(1, sequence.GetResidueCount());
        for (int i = c_.Below(3); i > 0; --i) {
            auto [from, to] = Location(length, true);
            const bool reference = c_.OneIn(2);
            const std::string accession = reference ? "GB:X" + Number(10000, 99999) : "";
            const std::string entry = reference ? Date(1990, 2020) : "";
            switch (c_.Below(4)) {
            case 0:
                sequence.GetJournals().Add(new CJournal(&sequence, Text(1, 12), c_.OneIn(3) ? "" : Text(1, 25),
                                                        Text(1, 6), Number(1, 300), c_.OneIn(2) ? Number(1, 12) : "",
                                                        Number(1, 99) + "-" + Number(100, 200), Date(1990, 2020),
                                                        accession, entry, from, to));
                break;
            case 1: {
                const std::string filed = c_.OneIn(2) ? Date(1990, 2004) : "";
                sequence.GetPatents().Add(
                    new CPatent(&sequence, c_.OneIn(3) ? "" : Text(1, 20),
                                "US " + Number(1, 9) + "," + Number(100, 999) + "," + Number(100, 999), filed,
                                Date(2005, 2020), accession, entry, from, to));
                break;
            }
            case 2:
                sequence.GetTheses().Add(new CThesis(&sequence, Text(1, 6), Text(1, 20), Date(1990, 2020),
                                                     c_.OneIn(2) ? "1-" + Number(2, 300) : "", accession, entry, from,
                                                     to));
                break;
            default:
                if (from.empty()) std::tie(from, to) = Location(length, false);
                sequence.GetDatabases().Add(
                    new CPubDatabase(&sequence, "GB:X" + Number(10000, 99999), Date(1990, 2020), from, to));
                break;
            }
        }
    }

    CChoices& c_;
    // The amino acids of the first coding region of the sequence just made,
    // and of the one before.
    std::string lastTranslation_;
    std::string translationBefore_;
};

// A comment's line breaks as blanks: "\r\n" and "\n" each give one.
inline std::string WithoutLineBreaks(std::string text) {
    std::erase(text, '\r');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// What a listing can't carry back, changed into what it can: organization
// names lose their commas and are cut where they would wrap, comments lose
// their line breaks, a natural organism's comment and custom codons go, a
// DNA/RNA sequence gets its "u" (or is skipped without any "t" to turn).
inline void MakeCarryable(CProject& project) {
    constexpr size_t kNameRoom = 65 - 6;
    for (const auto& applicant : project.GetOrgApplicants()) {
        std::string name = applicant->GetOrganizationName();
        std::erase(name, ',');
        if (name.size() > kNameRoom) name.resize(kNameRoom);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        applicant->SetOrganizationName(name);
    }
    for (const Ptr<CSequence>& sequence : project.GetSequences()) {
        for (const Ptr<CFeature>& feature : sequence->GetFeatures())
            feature->SetComment(WithoutLineBreaks(feature->GetComment()));
        CCommentFeature& comment = *sequence->GetComment();
        comment.SetComment(sequence->IsArtificialOrUnknown() ? WithoutLineBreaks(comment.GetComment()) : "");
        auto* nucleotide = dynamic_cast<CBaseSequence*>(sequence.get());
        if (!nucleotide) continue;
        nucleotide->GetCustomCodons().clear();
        std::string residues = nucleotide->GetResidues();
        if (nucleotide->GetTypeName() != CDNARNASequence::kTypeName || residues.find('u') != std::string::npos)
            continue;
        std::replace(residues.begin(), residues.end(), 't', 'u');
        nucleotide->SetResidues(residues);
        if (residues.find('u') == std::string::npos) nucleotide->SetSkipped(true);
    }
}

// A project that passes the checks and comes back through its listing.
inline Ptr<CProject> RandomCarryableProject(CChoices& choices) {
    Ptr<CProject> project = CRandomProject(choices).Make();
    MakeCarryable(*project);
    return project;
}

}  // namespace qln::test
