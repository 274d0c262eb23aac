#include "screens/CustCodonRules.h"

#include <algorithm>

#include "model/AsciiText.h"

namespace qln {

const char* const CCustCodonRules::kAminoAcids[kAminoAcidCount] = {
    "Ala", "Arg", "Asn", "Asp", "Asx", "Cys", "Gln", "Glu", "Glx", "Gly", "His", "Ile",
    "Leu", "Lys", "Met", "Phe", "Pro", "Ser", "Thr", "Trp", "Tyr", "Val", "Xaa"};

namespace {

int AminoAcidRank(const std::string& aminoAcid)
{
    const auto* begin = std::begin(CCustCodonRules::kAminoAcids);
    const auto* end = std::end(CCustCodonRules::kAminoAcids);
    const auto* found = std::find_if(begin, end, [&](const char* name) { return aminoAcid == name; });
    return static_cast<int>(found - begin);
}

}  // namespace

bool CCustCodonRules::AcceptsCharacter(const CSequence& sequence, char c)
{
    // The alphabets hold letters only; a blank or a digit is never a base.
    return IsAsciiLetter(c) && sequence.IsValidResidue(c);
}

bool CCustCodonRules::AcceptsText(const CSequence& sequence, const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [&](char c) { return AcceptsCharacter(sequence, c); });
}

CCustCodonRules::Check CCustCodonRules::CheckCodon(const std::string& typed, const std::vector<CCustomCodon>& codons,
                                                   int ignoredIndex)
{
    Check check;
    const auto first = std::find_if_not(typed.begin(), typed.end(), IsBlank);
    const auto last = std::find_if_not(typed.rbegin(), typed.rend(), IsBlank).base();
    if (first < last) check.codon.assign(first, last);
    std::transform(check.codon.begin(), check.codon.end(), check.codon.begin(), ToLowerAscii);
    if (check.codon.empty()) {
        check.verdict = Verdict::Empty;
        return check;
    }
    if (check.codon.size() != 3) {
        check.verdict = Verdict::WrongLength;
        return check;
    }
    for (int index = 0; index < static_cast<int>(codons.size()); ++index) {
        if (index != ignoredIndex && codons[index].codon == check.codon) {
            check.verdict = Verdict::Duplicate;
            check.duplicateIndex = index;
            return check;
        }
    }
    check.verdict = Verdict::Valid;
    return check;
}

std::string CCustCodonRules::DuplicateMessage(const CCustomCodon& existing)
{
    return "The Custom Codon \"" + existing.codon + "\" is already in the table under the Amino Acid \"" +
           existing.aminoAcid + "\".";
}

CCustCodonRules::OkStep CCustCodonRules::OnOK(const Check& check, int currentIndex, bool fieldHoldsDeletedRow)
{
    if (fieldHoldsDeletedRow) return OkStep::Close;
    switch (check.verdict) {
    case Verdict::Empty: return OkStep::Close;
    case Verdict::Valid: return OkStep::InsertThenClose;
    case Verdict::Duplicate: return check.duplicateIndex == currentIndex ? OkStep::Close : OkStep::StayOpen;
    case Verdict::WrongLength: break;
    }
    return OkStep::StayOpen;
}

std::vector<CCustomCodon> CCustCodonRules::Grouped(std::vector<CCustomCodon> codons)
{
    std::stable_sort(codons.begin(), codons.end(), [](const CCustomCodon& a, const CCustomCodon& b) {
        return AminoAcidRank(a.aminoAcid) < AminoAcidRank(b.aminoAcid);
    });
    return codons;
}

std::vector<CCustomCodon> CCustCodonRules::FromTable(const CBaseSequence::CodonTable& table)
{
    std::vector<CCustomCodon> codons;
    for (const auto& [codon, aminoAcid] : table) codons.push_back({codon, aminoAcid});
    return Grouped(std::move(codons));
}

CBaseSequence::CodonTable CCustCodonRules::ToTable(const std::vector<CCustomCodon>& codons)
{
    CBaseSequence::CodonTable table;
    for (const CCustomCodon& entry : codons) table[entry.codon] = entry.aminoAcid;
    return table;
}

}  // namespace qln
