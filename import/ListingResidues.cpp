// <400> of a SEQ ID block: the residue lines, the translations printed under
// coding regions, the protein entries derived from them, and the checks that
// decide whether the sequence is imported.
#include <string_view>

#include "import/ListingParser.h"
#include "import/ListingParserTasks.h"
#include "model/AminoAcidCode.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Publication.h"

namespace qln {

using namespace listing;

namespace {

bool IsProtein(const CSequence& sequence) { return sequence.GetTypeName() == CProteinSequence::kTypeName; }

}  // namespace

ListingParser::Flow ListingParser::ReadResidues() {
    bool startAtCurrent = false;
    if (!sequence_) {
        // Without a type and organism only a skipped sequence ("000") can be
        // made.
        do {
            if (!ReadLine()) break;
        } while (lines_.GetWorking().empty());
        // It takes its name from <210>: without one there is nothing to make.
        if (!lines_.AtEnd() && lines_.GetWorking() == CSequence::kNoResidues && !sequenceName_.empty()) {
            CreateSkippedSequence();
            startAtCurrent = true;
        } else {
            AddNotProcessedMessage();
            AddHeaderCheckMessages();
            Add(InputLine());
            return SkipToNextSequence();
        }
    }

    Flow flow = FinishFeature();
    if (flow != Flow::kNext) return flow;
    flow = FinishPublication();
    if (flow != Flow::kNext) return flow;

    if (!ReadResidueLines(startAtCurrent)) return Flow::kCurrent;

    if (IsProtein(*sequence_) && translations_.IsPending() && IsTranslationOfCodingRegion()) {
        sequence_ = nullptr;
        return Flow::kCurrent;
    }

    CompleteSequence(ValidateResidues());
    TestStop();
    if (progress_) progress_->Command(CImportProgress::kSequencesAnalyzed, createdCount_);
    return Flow::kCurrent;
}

// "<400>" and "000" in a block without type: the user picks the type.
bool ListingParser::CreateSkippedSequence() {
    return Guarded(kSkippedSequence, [&] {
        const std::optional<int> choice = choices_.ChooseSkippedSequenceType(
            "Please select a sequence type for the skipped sequence ID '" + sequenceId_ + "':");
        Ptr<CSequence> sequence;
        try {
            switch (choice.value_or(CImportChoices::kDNA)) {
            case CImportChoices::kRNA:
                sequence = MakePtr<CRNASequence>(&project_, sequenceName_, std::string(), std::string());
                break;
            case CImportChoices::kDNARNA:
                sequence = MakePtr<CDNARNASequence>(&project_, sequenceName_, std::string(), std::string());
                break;
            case CImportChoices::kProtein1:
                sequence = MakePtr<CProtein1Sequence>(&project_, sequenceName_, std::string(), std::string());
                break;
            default: sequence = MakePtr<CDNASequence>(&project_, sequenceName_, std::string(), std::string()); break;
            }
        } catch (const std::bad_alloc&) {
            throw CParserError("* Import Cancelled - Insufficient memory while creating sequence '" + sequenceId_ +
                               "'.");
        }
        if (!IsProtein(*sequence)) translations_.Reset();
        sequence->SetSkipped(true);
        sequence->SetSourceReference(fileNameOnly_);
        sequence->SetResiduesChanged(true);
        sequence->UnloadResidues();
        sequence_ = sequence;
        return true;
    });
}

// The lines after <400> up to the next <210>. Returns false when the file
// ends right after <400>. Reading, identifying and classifying a line throw
// nothing but a memory failure, which every routine's failure rule passes
// on as it is: for the residue lines, the bulk of a listing, they are called
// without a routine of their own.
bool ListingParser::ReadResidueLines(bool startAtCurrent) {
    return Guarded(kResidueLines, [&] {
        if (!startAtCurrent && !ReadLine()) {
            Add("* Unexpected end of the input file encountered.");
            return false;
        }
        const bool protein = IsProtein(*sequence_);
        residues_.clear();
        // A nucleotide takes the text's memory at the end: room for the
        // length <211> gives saves growing it, and copying it, line by line.
        if (!protein && length_ > 0 && length_ <= kMaxReservedResidues) residues_.reserve(static_cast<size_t>(length_));
        while (!lines_.AtEnd()) {
            const std::string_view working = lines_.GetWorking();
            if (!working.empty()) {
                if (CListingLines::NumericIdentifier(working) == 210) break;
                if (working == CSequence::kNoResidues) {
                    sequence_->SetSkipped(true);
                    residues_.clear();
                } else if (protein) {
                    ReadProteinLine(working);
                } else {
                    ReadNucleotideLine(working);
                }
            }
            TestStop();
            lines_.ReadLine();
        }
        if (hasCds_ && !protein) translations_.FinishSequence(residues_.size());
        const bool empty = residues_.empty();
        // A protein's text is looked at again; so is memory a wrong length
        // left mostly unused.
        if (protein || residues_.capacity() > 2 * residues_.size() + 64) {
            sequence_->SetResidues(residues_);
        } else {
            sequence_->SetResidues(std::move(residues_));
            residues_.clear();
        }
        if (empty) sequence_->SetSkipped(true);
        return true;
    });
}

std::string ListingParser::SequencePrefix() const { return "* Sequence ID '" + sequenceId_ + "':"; }

// Every line adds its text; only amino acids and position numbers belong.
void ListingParser::ReadProteinLine(std::string_view working) {
    std::string_view text;
    const CListingLines::LineType type = CListingLines::ClassifyLine(working, text);
    CListingLines::AppendWithoutBlanks(text, residues_);
    if (type == CListingLines::kTextWithCount || type == CListingLines::kTextOnly)
        Add(SequencePrefix() + " Encounted invalid sequence bases listed below:\n     " + InputLine() + "\n");
}

void ListingParser::ReadNucleotideLine(std::string_view working) {
    std::string_view text;
    const CListingLines::LineType type = CListingLines::ClassifyLine(working, text);
    switch (type) {
    case CListingLines::kTextWithCount: {
        const size_t before = residues_.size();
        CListingLines::AppendWithoutBlanks(text, residues_);
        if (hasCds_) translations_.OnBasesLine(lines_.GetRaw(), residues_.size() - before, before);
        return;
    }
    case CListingLines::kNoDigits:
        if (hasCds_) {
            Guarded(kAminoAcidLocations,
                    [&] { translations_.OnTranslationLine(lines_.GetRaw(), sequenceId_, messages_); });
        } else if (!hasExon_) {
            Add(SequencePrefix() + "  Encounted invalid sequence bases format listed below:\n     " + InputLine() +
                "\n  This line of sequence data does not contain a base count.  It is then assumed to be a line of "
                "amino acids.  However, there is no CDS or Exon in this sequence. Therefore, this line of data is "
                "ignored.\n");
        }
        return;
    case CListingLines::kNumbersOnly:
        // The numbers under the amino acids of a coding region or an exon.
        if (hasCds_ || hasExon_) return;
        break;
    case CListingLines::kTextOnly: break;
    }
    Add(SequencePrefix() + " Encounted invalid sequence bases format listed below:\n     " + InputLine() +
        "\n  This line of data is ignored.\n");
}

// A protein entry right after a nucleotide with coding regions may be the
// writer's translation of them; such an entry is not imported again.
bool ListingParser::IsTranslationOfCodingRegion() {
    return Guarded(kSubsequence, [&] {
        const Ptr<CSequence> owner = translations_.GetOwner();
        const CTranslationTracker::Verdict verdict = translations_.Check(residues_);
        if (verdict == CTranslationTracker::Verdict::kKept) return false;
        // All coding regions were translated as one: they were joined. Only
        // when the nucleotide itself was imported.
        if (verdict == CTranslationTracker::Verdict::kJoinedTranslation && owner && !sequences_.IsEmpty() &&
            sequences_[sequences_.GetSize() - 1] == owner) {
            for (const Ptr<CFeature>& feature : owner->GetFeatures()) feature->SetJoined(true);
        }
        return true;
    });
}

// The protein entries that follow a nucleotide with coding regions are
// mostly the writer's translations of them, which are not imported. A block
// that holds nothing but its organism and plain lines of amino acids and
// their numbers, whose amino acids are such a translation, is passed over
// without making a sequence: nothing in it could add a message. Any other
// block is read again from its type as every block is.
bool ListingParser::SkipTranslationBlock() {
    if (!EqualsIgnoringCase(typeText_, CProteinSequence::kTypeName) || !translations_.IsPending()) return false;
    lines_.BeginLookAhead();
    if (ReadPlainProteinBlock() && IsTranslationOfCodingRegion()) {
        lines_.KeepLookAhead();
        return true;
    }
    lines_.EndLookAhead();
    residues_.clear();
    return false;
}

// From the <212> line to the next <210> (or the end): the amino acids go to
// residues_. False for anything a plain translation entry does not hold, or
// that would give a message when read the usual way.
bool ListingParser::ReadPlainProteinBlock() {
    bool inResidues = false;
    bool lineAfter400 = false;
    while (true) {
        TestStop();
        // A longer entry is read the usual way rather than held whole.
        if (lines_.LookAheadLength() > kMaxTranslationLookAhead) return false;
        if (!ReadLine()) return lineAfter400;
        lineAfter400 = inResidues;
        const std::string_view working = lines_.GetWorking();
        if (working.empty()) continue;
        const int identifier = CListingLines::NumericIdentifier(working);
        if (inResidues) {
            if (identifier == 210) return true;
            if (working == CSequence::kNoResidues) return false;
            std::string_view text;
            const CListingLines::LineType type = CListingLines::ClassifyLine(working, text);
            if (type != CListingLines::kNoDigits && type != CListingLines::kNumbersOnly) return false;
            CListingLines::AppendWithoutBlanks(text, residues_);
        } else if (identifier == 213 || identifier == 400) {
            if (CListingLines::IdentifierValue(working, identifier).empty()) return false;
            inResidues = identifier == 400;
        } else {
            return false;
        }
    }
}

ListingParser::Validation ListingParser::ValidateResidues() {
    return Guarded(kResidueValidation, [&] {
        CSequence& sequence = *sequence_;
        if (IsProtein(sequence)) {
            std::string residues = residues_;
            const bool valid = ConvertProtein(residues);
            // The three-letter class keeps the codes as read, so that the
            // protein is written back the same; a one-letter protein (only a
            // skipped one can be) takes their one-letter form.
            if (dynamic_cast<CProtein3Sequence*>(&sequence))
                sequence.SetResidues(residues);
            else
                sequence.SetResidues(CAminoAcidCode::ToOneLetter(residues));
            return valid ? Validation::kValid : Validation::kInvalid;
        }
        if (sequence.GetTypeName() != CDNASequence::kTypeName)
            return sequence.CheckResidues(sequenceName_, false) ? Validation::kValid : Validation::kInvalid;

        bool rnaSeen = false;
        const int valid = sequence.CheckResiduesForImport(sequenceName_, false, rnaSeen);
        if (!valid) return Validation::kInvalid;
        return rnaSeen ? ConvertDnaToDnaRna() : Validation::kValid;
    });
}

// Checks the three-letter codes collected for a protein.
bool ListingParser::ConvertProtein(std::string& residues) {
    const std::string prefix = "* Sequence ID '" + sequenceId_ + "'";
    if (residues.size() % 3 != 0) {
        Add(prefix + " of protein type: Sequence length is not a multiple of 3.");
        return false;
    }
    bool valid = true;
    int invalid = 0;
    size_t location = 1;
    for (size_t i = 0; i < residues.size(); i += 3, ++location) {
        const std::string_view triple = std::string_view(residues).substr(i, 3);
        if (CAminoAcidCode::OneLetterFor(triple) == '\0') {
            valid = false;
            if (++invalid > kMaxInvalidAminoAcids) {
                Add(prefix + ": Over " + std::to_string(kMaxInvalidAminoAcids) +
                    " invalid amino acids have been encounted. The rest of data for the sequence is ignored. Please "
                    "check the data.");
                break;
            }
            Add(prefix + ": Invalid amino acid '" + std::string(triple) + "' encountered at location " +
                std::to_string(location) + ".");
        }
        TestStop();
    }
    return valid;
}

// A DNA sequence holding "u" is kept as DNA/RNA (still written as DNA).
ListingParser::Validation ListingParser::ConvertDnaToDnaRna() {
    return Guarded(kDnaToDnaRna, [&] {
        CSequence& dna = *sequence_;
        const Ptr<CSequence> mixed = MakePtr<CDNARNASequence>(&project_, sequenceName_, dna.GetOrganism(),
                                                              dna.GetResidues());
        mixed->SetSkipped(dna.IsSkipped());
        mixed->SetComment(Ptr<CCommentFeature>(dna.GetComment()));
        for (const Ptr<CFeature>& feature : dna.GetFeatures()) {
            feature->SetParent(mixed.get());
            mixed->GetFeatures().Add(feature);
        }
        auto move = [&](auto& from, auto& to) {
            for (const auto& publication : from) {
                publication->SetParent(mixed.get());
                to.Add(publication);
            }
            from.RemoveAll();
        };
        move(dna.GetJournals(), mixed->GetJournals());
        move(dna.GetDatabases(), mixed->GetDatabases());
        move(dna.GetPatents(), mixed->GetPatents());
        move(dna.GetTheses(), mixed->GetTheses());
        dna.GetFeatures().RemoveAll();

        const std::string subsequences = hasCds_ ? "and its subsequences" : "";
        if (mixed->CheckResidues(sequenceName_, false)) {
            Add("* Sequence ID '" + sequenceId_ +
                "': 'U' is detected in the sequence.  However, the sequence type is listed as DNA. The sequence "
                "type will be stored in Quillion as 'DNA/RNA' type.  The ST.25 output file will display 'DNA' "
                "type.");
            for (const std::string& message : mixed->GetMessages()) Add(message);
            if (translations_.GetOwner() == sequence_) translations_.SetOwner(mixed);
            sequence_ = mixed;
            return Validation::kValid;
        }
        Add("* Sequence ID '" + sequenceId_ +
            "' : Conversion from DNA type to DNA/RNA type was not completed.  This sequence " + subsequences +
            " will not be imported.");
        for (const std::string& message : mixed->GetMessages()) Add(message);
        return Validation::kReported;
    });
}

void ListingParser::CompleteSequence(Validation validation) {
    Guarded(kResidueValidation, [&] {
        const Ptr<CSequence> sequence = std::move(sequence_);
        sequence_ = nullptr;
        if (validation == Validation::kValid) {
            ++createdCount_;
            sequence->SetSourceReference(fileNameOnly_);
            sequence->SetResiduesChanged(true);
            sequence->UnloadResidues();
            sequences_.Add(sequence);
        } else if (validation == Validation::kInvalid) {
            const std::string subsequences = hasCds_ ? "and its subsequences" : "";
            Add("* Sequence ID '" + sequenceId_ + "': It contains invalid characters.  This sequence " + subsequences +
                " will not be imported.");
            for (const std::string& message : sequence->GetMessages()) Add(message);
        }
    });
}

}  // namespace qln
