// The SEQ ID blocks of a listing: <210> to <213> make the sequence, <220> to
// <223> its features or its organism comment, <300> to <313> its
// publications; <400> is in ListingResidues.cpp.
#include <string_view>

#include "import/ListingParser.h"
#include "import/ListingParserTasks.h"
#include "import/ListingTolerance.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Publication.h"

namespace qln {

using namespace listing;

namespace {

std::string ToLower(std::string text) {
    for (char& c : text) c = ToLowerAscii(c);
    return text;
}

// The type a <212> value names, in any letter case; null for none.
const char* ListedTypeName(std::string_view text) {
    for (const char* name :
         {CDNASequence::kTypeName, CRNASequence::kTypeName, CDNARNASequence::kTypeName, CProteinSequence::kTypeName})
        if (EqualsIgnoringCase(text, name)) return name;
    return nullptr;
}

bool IsHeaderIdentifier(int identifier) {
    switch (identifier) {
    case 110:
    case 120:
    case 130:
    case 140:
    case 141:
    case 150:
    case 151:
    case 160:
    case 170: return true;
    default: return false;
    }
}

}  // namespace

void ListingParser::ReadSequenceSection() {
    while (!lines_.AtEnd()) {
        if (lines_.GetWorking().empty()) {
            ReadLine();
            continue;
        }
        const int identifier = Identifier();
        if (identifier < 0) {
            AppendContinuation();
            ReadLine();
            TestStop();
            continue;
        }
        SyncOrganism();
        const Flow flow = HandleIdentifier(identifier, Value(identifier));
        if (flow == Flow::kEnd) return;
        lastIdentifier_ = identifier;
        if (flow == Flow::kNext) {
            if (lines_.AtEnd()) break;
            ReadLine();
        }
        TestStop();
    }
    if (sequences_.IsEmpty()) Add("No sequences are imported from the file '" + fileName_ + "'.");
}

ListingParser::Flow ListingParser::HandleIdentifier(int identifier, std::string_view value) {
    // For the messages only; no line is read before they are given.
    const auto lineNumber = [&] { return std::to_string(lines_.GetLineNumber()); };
    const auto idText = [&] { return std::to_string(identifier); };
    if (identifier != 220 && identifier != 300 && value.empty()) {
        if (identifier < 211)
            Add("* Input line #" + lineNumber() + ": " + CListingLines::DataItemName(identifier) +
                " is expected on the right side of <" + idText() + ">.");
        else
            Add("* Input line #" + lineNumber() + ": Sequence ID '" + sequenceId_ + "': " +
                CListingLines::DataItemName(identifier) + " is expected on the right side of <" + idText() + ">.");
    }
    if (identifier >= 211 && identifier <= 213 && !seen210_) {
        Add("\n* Sequence type <212> or organism <213> appeared before sequence ID <210>. Input lines before <210> "
            "were skipped.");
        return SkipToNextSequence();
    }
    if ((lastIdentifier_ == 221 || lastIdentifier_ == 222) && identifier >= 301 && identifier <= 313 &&
        !publication_.seen300) {
        Add("* The following input lines are not processed: Sequence ID '" + sequenceId_ +
            "': Missing numeric ID <300> for publication data.");
        return SkipToNextSequence();
    }

    if (IsHeaderIdentifier(identifier)) {
        Add("* Numeric ID <" + idText() +
            "> appeared while expecting sequence data with numeric identifier 210 and higher. The Import process "
            "will not be continued. Please make correction and import the file again.");
        return Flow::kEnd;
    }

    switch (identifier) {
    case 210:
        ResetSequenceData();
        seen210_ = true;
        if (value.empty()) {
            AddNotProcessedMessage();
            Add("   Input line #" + lineNumber() + ": <210>");
            return SkipToNextSequence();
        }
        sequenceId_ = tolerant_ ? tolerance::SequenceNumber(value) : value;
        sequenceName_ = "Seq_";
        sequenceName_ += sequenceId_;
        return Flow::kNext;
    case 211: length_ = CListingLines::LeadingNumber(value); return Flow::kNext;
    case 212:
        seen212_ = true;
        typeText_ = value;
        residues_.clear();
        if (seen210_ && !seen213_) {
            if (SkipTranslationBlock()) return Flow::kCurrent;
            if (!CreateSequence()) return Flow::kEnd;
        }
        return Flow::kNext;
    case 213:
        organism_ = value;
        organismChanged_ = false;
        seen213_ = true;
        if (seen210_ && !seen212_ && !CreateSequence()) return Flow::kEnd;
        if (sequence_) {
            sequence_->SetOrganism(organism_);
        } else {
            Add("\n* The following input line is not processed because it does not have <210> information "
                "associate with it:");
            Add(InputLine());
            AddHeaderCheckMessages();
        }
        return Flow::kNext;
    case 220: {
        const Flow flow = FinishFeature();
        ResetFeature();
        return flow;
    }
    case 221: {
        if (lastIdentifier_ != 220) {
            const Flow flow = FinishFeature();
            if (flow != Flow::kNext) return flow;
        }
        ResetFeature();
        feature_.key = value;
        feature_.keySeen = true;
        return Flow::kNext;
    }
    case 222: ParseLocation(value, true); return Flow::kNext;
    case 223:
        feature_.otherInformation = value;
        if (lastIdentifier_ == 220) {
            const std::string organism = ToLower(organism_);
            if (organism == "unknown" || organism.starts_with("artificial")) return OrganismComment(value);
        }
        return Flow::kNext;
    case 300: {
        Flow flow = FinishFeature();
        if (flow != Flow::kNext) return flow;
        flow = FinishPublication();
        if (flow != Flow::kNext) return flow;
        ResetPublication();
        publication_.seen300 = true;
        return Flow::kNext;
    }
    case 301:
    case 302:
    case 306:
    case 307:
        if (identifier == 301) publication_.authors = value;
        if (identifier == 302) publication_.title = value;
        if (identifier == 306) publication_.pages = value;
        if (identifier == 307) publication_.date = value;
        if (publication_.kind == PublicationKind::kDatabase) publication_.kind = PublicationKind::kThesis;
        return Flow::kNext;
    case 303:
    case 304:
    case 305:
        if (identifier == 303) publication_.journal = value;
        if (identifier == 304) publication_.volume = value;
        if (identifier == 305) publication_.issue = value;
        publication_.kind = PublicationKind::kJournal;
        return Flow::kNext;
    case 308: publication_.accessionNumber = value; return Flow::kNext;
    case 309: publication_.entryDate = value; return Flow::kNext;
    case 310:
    case 311:
    case 312:
        if (identifier == 310) publication_.documentNumber = value;
        if (identifier == 311) publication_.filingDate = value;
        if (identifier == 312) publication_.publicationDate = value;
        publication_.kind = PublicationKind::kPatent;
        return Flow::kNext;
    case 313: ParseLocation(value, false); return Flow::kNext;
    case 400: return ReadResidues();
    default:
        Add("* Input line #" + lineNumber() + ": " + std::string(lines_.GetRaw()));
        if (seen210_)
            Add("   Sequence ID '" + sequenceId_ + "': Encountered an invalid numeric identifier.");
        else
            Add("   Encountered an invalid numeric identifier.");
        if (identifier != 0)
            Add("   The input lines following an invalid numeric identifier are ignored.");
        else
            Add("   A numeric identifier is expected before the input line.");
        return Flow::kNext;
    }
}

void ListingParser::ResetSequenceData() {
    Guarded(kResetSequence, [&] {
        sequenceId_.clear();
        sequenceName_.clear();
        length_ = 0;
        typeText_.clear();
        organism_.clear();
        organismChanged_ = false;
        sequence_ = nullptr;
        seen210_ = seen212_ = seen213_ = false;
        hasCds_ = hasExon_ = hasIntron_ = false;
        residues_.clear();
        organismComments_ = 0;
        featureCount_ = 0;
        typeScanValid_ = false;
        ResetFeature();
        ResetPublication();
    });
}

void ListingParser::ResetPublication() {
    Guarded(kResetPublication, [&] { publication_.Clear(); });
}

// A block that can't be used: everything up to the next <210> is passed
// over and shown.
ListingParser::Flow ListingParser::SkipToNextSequence() {
    return Guarded(kSkipToNext, [&] {
        sequence_ = nullptr;
        while (true) {
            TestStop();
            if (!ReadLine()) return Flow::kEnd;
            if (Identifier() == 210) return Flow::kCurrent;
            std::string line = "   Input line #" + std::to_string(lines_.GetLineNumber()) + ": ";
            line += lines_.GetWorking();
            Add(std::move(line));
        }
    });
}

void ListingParser::AddNotProcessedMessage() {
    Add("\n* The following input lines are not processed because there is a problem to create the sequence "
        "object:");
}

// What the block lacks to make a sequence.
void ListingParser::AddHeaderCheckMessages() {
    Guarded(kHeaderCheck, [&] {
        if (seen210_) {
            Add("  Sequence ID '" + sequenceId_ + "':");
            if (sequenceName_.empty()) Add("     Missing sequence ID after the numeric identifier <210>.");
        } else {
            Add("     Missing data line <210> which contains sequence ID.");
        }
        if (!seen212_)
            Add("     Missing data line <212> which contains sequence type.");
        else if (typeText_.empty())
            Add("     Missing sequence type after the numeric identifier <212>.");
        if (!seen213_)
            Add("     Missing data line <213> which contains organism name.");
        else if (organism_.empty())
            Add("     Missing organism name after the numeric identifier <213>.");
    });
}

void ListingParser::SyncOrganism() {
    if (organismChanged_ && sequence_) sequence_->SetOrganism(organism_);
    organismChanged_ = false;
}

// Makes the sequence of the block from its type and organism. Returns false
// when the parse must end.
bool ListingParser::CreateSequence() {
    return Guarded(kCreateSequence, [&] {
        const char* type = ListedTypeName(typeText_);
        if (!type) {
            if (!CorrectSequenceType()) return false;
            type = ListedTypeName(typeText_);
            if (!type) return false;
        }
        Ptr<CSequence> sequence;
        try {
            if (std::string_view(type) == CProteinSequence::kTypeName)
                sequence = MakePtr<CProtein3Sequence>(&project_, sequenceName_, organism_, std::string());
            else
                sequence = CBaseSequence::CreateOfType(type, &project_, sequenceName_, organism_, std::string());
        } catch (const std::bad_alloc&) {
            throw CParserError("* Import Cancelled - Insufficient memory while creating sequence '" + sequenceId_ +
                               "'.");
        }
        if (!sequence) return false;
        if (sequence->GetTypeName() != CProteinSequence::kTypeName) translations_.Begin(sequence);
        sequence_ = sequence;
        organismChanged_ = false;
        return true;
    });
}

// Asks the user for the type of a sequence whose <212> is missing or
// invalid, showing the block's first lines. Returns false when the
// question could not be asked.
bool ListingParser::CorrectSequenceType() {
    return Guarded(kSequenceType, [&] {
        std::string shown = "<210> " + sequenceId_ + "\r\n";
        if (seen212_) shown += "<212> " + typeText_ + "\r\n";
        const std::string prompt =
            seen212_ ? "* An invalid sequence type has been detected, <212> " + typeText_ +
                           ". The first 60 characters of the sequence are displayed. Please select a valid sequence "
                           "type below for this sequence shown."
                     : std::string(
                           "* The input line <212> containing sequence type is missing. The first 60 "
                           "characters of the sequence is displayed. Please select a valid sequence type "
                           "below for this sequence shown.");

        // Look ahead for the block's <400>, then come back. Another question
        // in the same block starts from what this one found. A failure on
        // the way ends the parse, look-ahead and all.
        lines_.BeginLookAhead();
        const int here = lines_.GetLineNumber();
        if (typeScanValid_ && here >= typeScanFrom_ && here < typeScanMarker_.lineNumber) {
            lines_.Restore(typeScanMarker_);
        } else {
            while (true) {
                TestStop();
                if (!ReadLine()) {
                    lines_.EndLookAhead();
                    throw CParserError("* Unexpected end of file for sequence ID '" + sequenceId_ +
                                       "' with invalid sequence type '" + typeText_ + "'.");
                }
                const int identifier = Identifier();
                if (identifier == 210 || identifier == 400) break;
            }
            typeScanMarker_ = lines_.Save();
            typeScanFrom_ = here;
            typeScanValid_ = true;
        }
        if (Identifier() == 210) {
            Add("* Sequence ID '" + sequenceId_ + "': Encountered a start of new sequence '" + std::string(Value(210)) +
                "' before its own <400> information appears. No sequence information was stored for this sequence.");
        } else {
            shown += lines_.GetRaw();
            shown += "\r\n";
            if (ReadLine()) shown += lines_.GetRaw();
        }
        lines_.EndLookAhead();

        const std::optional<int> choice = choices_.ChooseInvalidSequenceType(prompt, shown);
        if (!choice) {
            Add("* Sequence ID '" + sequenceId_ + "' has encountered an invalid sequence type '" + typeText_ +
                "'. Could not open the sequence type selection dialog box.");
            return false;
        }
        const char* chosen = "DNA";
        switch (*choice) {
        case CImportChoices::kRNA: chosen = "RNA"; break;
        case CImportChoices::kDNARNA: chosen = "DNA/RNA"; break;
        case CImportChoices::kProtein1: chosen = "PRT"; break;
        default: break;
        }
        Add("* Sequence ID '" + sequenceId_ + "' has encountered an invalid sequence type '" + typeText_ +
            "'. It has been corrected by the user with sequence type '" + chosen + "'.");
        typeText_ = chosen;
        return true;
    });
}

// <222> and <313>: "(x)..(y)" or a single position.
void ListingParser::ParseLocation(std::string_view value, bool forFeature) {
    Guarded(forFeature ? kFeatures : kPublications, [&] {
        std::string from;
        std::string to;
        size_t i = 0;
        while (i < value.size() && !IsAsciiDigit(value[i])) ++i;
        const size_t fromStart = i;
        while (i < value.size() && IsAsciiDigit(value[i])) ++i;
        from = value.substr(fromStart, i - fromStart);
        while (i < value.size() && !IsAsciiDigit(value[i])) ++i;
        const size_t toStart = i;
        while (i < value.size() && IsAsciiDigit(value[i])) ++i;
        to = value.substr(toStart, i - toStart);
        while (i < value.size() && !IsAsciiDigit(value[i])) ++i;
        const bool moreDigits = i < value.size();

        const auto prefix = [&] { return "* Sequence ID '" + sequenceId_ + "': "; };
        auto inputLine = [&] {
            return "* Input line #" + std::to_string(lines_.GetLineNumber()) + ": " + std::string(lines_.GetRaw());
        };
        if (from.empty()) {
            Add(inputLine());
            Add(forFeature ? prefix() + "Feature " + feature_.key + " has no From/To locations."
                           : prefix() + "Publication has no From/To locations.");
        } else if (to.empty()) {
            const bool matPeptide = forFeature && ToLower(feature_.key) == "mat_peptide";
            to = matPeptide ? std::string() : from;
        } else if (moreDigits) {
            Add(inputLine());
            Add(forFeature ? prefix() + "Feature " + feature_.key +
                                 ": More than two locations encounted in the <212> field. Please use the correct "
                                 "format (x)..(y) where x is the From location and y is the To location."
                           : prefix() +
                                 "Publication: More than two locations encountered in the <313> field. Please use "
                                 "the correct format (x)..(y) where x is the From location and y is the location.");
        }
        if (forFeature) {
            feature_.location = value;
            feature_.from = from;
            feature_.to = to;
        } else {
            publication_.from = from;
            publication_.to = to;
        }
    });
}

// <223> right after <220> in a sequence of an artificial or unknown
// organism: the comment that organism needs. Only the first one is kept.
ListingParser::Flow ListingParser::OrganismComment(std::string_view value) {
    return Guarded(kFeatures, [&] {
        if (!sequence_) {
            AddNotProcessedMessage();
            Add("   Input line #" + std::to_string(lines_.GetLineNumber()) + ": <210>");
            return SkipToNextSequence();
        }
        ++organismComments_;
        feature_.organismComment = true;
        if (sequence_->GetComment()->GetComment().empty()) {
            feature_.storeComment = true;
            sequence_->GetComment()->SetComment(std::string(value));
        } else if (organismComments_ == 2) {
            const bool artificial = ToLower(organism_).starts_with("artificial");
            Add("* Sequence ID '" + sequenceId_ +
                "': It contains more than one comment information (<220> - <223>).  Only the first occurence of "
                "the comment information will be stored as the comment for the " +
                (artificial ? "'Artificial Sequence'" : "'Unknown' sequence") + ".");
        }
        return Flow::kNext;
    });
}

// Ends the pending <220> block: the organism comment, or a feature of the
// sequence.
ListingParser::Flow ListingParser::FinishFeature() {
    return Guarded(kFeatures, [&] {
        if (feature_.otherInformation.size() > kMaxOtherInformation) {
            feature_.otherInformation.resize(kMaxOtherInformation);
            Add("* Sequence ID '" + sequenceId_ + "': The max length of the " +
                (feature_.organismComment ? std::string("Organism") : feature_.key) +
                " comment for the Other Information <223> is " + std::to_string(kMaxOtherInformation) +
                ". Extra characters were not imported.");
        }
        if (lastIdentifier_ != 221 && lastIdentifier_ != 222 && lastIdentifier_ != 223) return Flow::kNext;
        if (!sequence_) {
            AddNotProcessedMessage();
            AddHeaderCheckMessages();
            return SkipToNextSequence();
        }
        if (feature_.organismComment) {
            // A second comment is reported where it is met and not kept.
            if (feature_.storeComment) sequence_->GetComment()->SetComment(feature_.otherInformation);
            feature_.organismComment = feature_.storeComment = false;
            return Flow::kNext;
        }
        if (!feature_.keySeen && !(tolerant_ && KeepNoteAsWholeSequenceFeature()))
            Add("* Sequence ID '" + sequenceId_ + "': Missing data line <221> which contains feature name.");

        Ptr<CFeature> feature;
        try {
            feature = MakeFeatureForKey(sequence_.get(), feature_.key, feature_.otherInformation, feature_.from,
                                        feature_.to);
        } catch (const std::bad_alloc&) {
            throw CParserError(
                "* Import Cancelled - Insufficient memory while parsing feature information for "
                "sequence " +
                sequenceName_ + ".");
        }
        if (auto* cds = dynamic_cast<CDS*>(feature.get())) {
            if (sequence_->GetTypeName() == CProteinSequence::kTypeName) {
                Add("* Sequence ID '" + sequenceId_ +
                    "': Encountered a CDS feature in a protein sequence which is not allowed. This may cause "
                    "problems later when calculating subsequences.  Therefore, the rest of the file is not "
                    "imported.  This imported file does not comply with Quillion generated ST.25 sequence listing "
                    "file.  Please check the file and try again.");
                return Flow::kEnd;
            }
            hasCds_ = true;
            translations_.AddCodingRegion(Ptr<CDS>(cds));
        } else if (dynamic_cast<CExon*>(feature.get())) {
            hasExon_ = true;
        } else if (dynamic_cast<CIntron*>(feature.get())) {
            hasIntron_ = true;
        }
        feature->SetRow(featureCount_++);
        sequence_->GetFeatures().Add(feature);
        return Flow::kNext;
    });
}

// Ends the pending <300> block: a journal, patent, thesis or database entry
// of the sequence, by the identifiers it used.
ListingParser::Flow ListingParser::FinishPublication() {
    return Guarded(kPublications, [&] {
        if (lastIdentifier_ < 301 || lastIdentifier_ > 313) return Flow::kNext;
        if (!sequence_) {
            AddNotProcessedMessage();
            AddHeaderCheckMessages();
            return SkipToNextSequence();
        }
        const std::string prefix = "* Sequence ID '" + sequenceId_ + "'";
        PublicationFields& p = publication_;
        CSequence& sequence = *sequence_;
        const char* kind = "database";
        try {
            switch (p.kind) {
            case PublicationKind::kDatabase: {
                const std::string entry = NormaliseDate(p.entryDate, prefix, "DATABASE, Database Entry Date", "<309>",
                                                        "DATABASE");
                sequence.GetDatabases().Add(MakePtr<CPubDatabase>(&sequence, p.accessionNumber, entry, p.from, p.to));
                break;
            }
            case PublicationKind::kJournal: {
                kind = "journal";
                const std::string date = NormaliseDate(p.date, prefix, "JOURNAL, Publication Date", "<307>", "JOURNAL");
                const std::string entry = NormaliseDate(p.entryDate, prefix, "JOURNAL, Database Entry Date", "<309>",
                                                        "JOURNAL");
                sequence.GetJournals().Add(MakePtr<CJournal>(&sequence, p.authors, p.title, p.journal, p.volume,
                                                             p.issue, p.pages, date, p.accessionNumber, entry, p.from,
                                                             p.to));
                break;
            }
            case PublicationKind::kPatent: {
                kind = "patent";
                const std::string entry = NormaliseDate(p.entryDate, prefix, "PATENT, Database Entry Date", "<309>",
                                                        "PATENT");
                const std::string filing = NormaliseDate(p.filingDate, prefix, "PATENT, Patent Filing Date", "<311>",
                                                         "PATENT");
                const std::string published = NormaliseDate(p.publicationDate, prefix,
                                                            "PATENT, Patent Publication Date", "<312>", "PATENT");
                sequence.GetPatents().Add(MakePtr<CPatent>(&sequence, p.title, p.documentNumber, filing, published,
                                                           p.accessionNumber, entry, p.from, p.to));
                break;
            }
            case PublicationKind::kThesis: {
                kind = "thesis";
                const std::string date = NormaliseDate(p.date, prefix, "THESIS, Publication Date", "<307>", "THESIS");
                const std::string entry = NormaliseDate(p.entryDate, prefix, "THESIS, Database Entry Date", "<309>",
                                                        "THESIS");
                sequence.GetTheses().Add(MakePtr<CThesis>(&sequence, p.authors, p.title, date, p.pages,
                                                          p.accessionNumber, entry, p.from, p.to));
                break;
            }
            }
        } catch (const std::bad_alloc&) {
            throw CParserError(std::string("* Import Cancelled - Insufficient memory while parsing ") + kind +
                               " information for sequence " + sequenceName_ + ".");
        }
        return Flow::kNext;
    });
}

// Other programs write a note about the whole sequence as <220> and <223>
// alone. A project keeps a note only on a feature (or as the comment of an
// artificial or unknown organism, handled before): it becomes a misc_feature
// over the whole length, and the log says so. Without a length the strict
// message stands.
bool ListingParser::KeepNoteAsWholeSequenceFeature() {
    if (!feature_.location.empty() || !feature_.from.empty() || !feature_.to.empty() || length_ <= 0) return false;
    feature_.key = "misc_feature";
    feature_.from = "1";
    feature_.to = std::to_string(length_);
    Add("* Sequence ID '" + sequenceId_ +
        "': The note of <220> without <221> and <222> is kept as a misc_feature "
        "from 1 to " +
        feature_.to + ".");
    return true;
}

}  // namespace qln
