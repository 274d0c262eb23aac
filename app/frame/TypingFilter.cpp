#include "app/frame/TypingFilter.h"

#include <algorithm>

#include "model/Sequence.h"

namespace qln {

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool CTypingFilter::IsProteinType(const std::string& typeText)
{
    return typeText == CProteinSequence::kTypeName;
}

char CTypingFilter::ToSequenceCase(const std::string& typeText, char c)
{
    return IsProteinType(typeText) ? Upper(c) : Lower(c);
}

std::string CTypingFilter::ToSequenceCase(const std::string& typeText, std::string text)
{
    if (IsProteinType(typeText))
        std::transform(text.begin(), text.end(), text.begin(), Upper);
    else
        std::transform(text.begin(), text.end(), text.begin(), Lower);
    return text;
}

CTypingFilter::Decision CTypingFilter::Filter(const CSequence* sequence, char typed, int64_t residueCount)
{
    Decision decision;
    if (!sequence) return decision;
    const std::string& type = sequence->GetTypeName();
    if (typed == kBackspace) {
        decision.action = Action::Insert;
        decision.character = typed;
        decision.countChange = -1;
        return decision;
    }
    // Nucleotide alphabets are lower case; the protein test takes either case.
    const char tested = IsProteinType(type) ? typed : Lower(typed);
    if (!sequence->IsValidResidue(tested)) {
        decision.action = Action::Beep;
        return decision;
    }
    decision.countChange = typed == ' ' ? 0 : 1;
    if (decision.countChange > 0 && residueCount >= kMaxResidues) {
        decision.action = Action::TooLong;
        return decision;
    }
    decision.action = Action::Insert;
    decision.character = ToSequenceCase(type, typed);
    return decision;
}

}  // namespace qln
