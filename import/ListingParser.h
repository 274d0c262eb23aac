// Reads a sequence listing in the ST.25 layout the listing writer produces
// and rebuilds a project from it: the header (<110> to <170>) goes into the
// project's data, applicants and prior applications; every SEQ ID block
// becomes a sequence with its features, comment and publications, kept in
// the parser's list for the import driver to add. Protein entries that are
// only the printed translations of a nucleotide's coding regions are
// recognised and left out.
//
// The parser never stops at the first problem: every finding becomes a line
// of its message list. A failure inside one of its routines adds a chain of
// messages, innermost first, and empties the list of sequences.
//
// Source layout: ListingParser.cpp (entry point, failure rule, header),
// ListingSequences.cpp (SEQ ID blocks: identifiers, sequence creation,
// features, publications), ListingResidues.cpp (<400>: residue lines,
// translations, validation).
#pragma once

#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportChoices.h"
#include "import/ListingLines.h"
#include "import/ListingSource.h"
#include "import/ListingTranslations.h"
#include "import/ParserError.h"
#include "model/Project.h"
#include "model/ResidueFile.h"

namespace qln {

class ListingParser {
public:
    // Invalid amino-acid codes reported for one protein before the rest of
    // it is ignored.
    static constexpr int kMaxInvalidAminoAcids = 10000;
    // The longest "Other Information" (<223>) a feature keeps.
    static constexpr size_t kMaxOtherInformation = 260;
    // The longest residue text made room for ahead from its <211> length.
    static constexpr int kMaxReservedResidues = 1 << 26;
    // The most text held to recognise a protein entry as a translation
    // before reading it (a protein of some five million amino acids).
    static constexpr size_t kMaxTranslationLookAhead = size_t{16} << 20;

    ListingParser(CProject& project, CImportChoices& choices, CImportProgress* progress = nullptr);
    ~ListingParser();
    ListingParser(const ListingParser&) = delete;
    ListingParser& operator=(const ListingParser&) = delete;

    // Reads the whole listing. fileName is the path the messages name; its
    // last part (after any "/" or "\") becomes the source reference of the
    // sequences. Returns true when no message was added. Running out of
    // memory empties the sequence list and throws std::bad_alloc.
    bool Parse(const std::string& text, const std::string& fileName);
    // The same for a listing read from a source a block at a time; size is
    // its length as far as known, for the progress positions.
    bool Parse(CListingSource& source, size_t size, const std::string& fileName);

    // Off (the default): only the program's own listings are read, as its
    // own import always did. On: a listing is read whatever program wrote
    // it, in the looser layouts other programs use (ListingTolerance.h);
    // the parse log names the program. The program's own listings read the
    // same either way.
    void SetAnyGenerator(bool on) { anyGenerator_ = on; }

    // The sequences read, in listing order; not added to the project.
    CArray<Ptr<CSequence>>& GetSequences() { return sequences_; }
    const StringList& GetMessages() const { return messages_; }

    // A routine's phrases for the failure rule: the task phrase, the one for
    // failures other than parser errors, and the one for file errors.
    struct Task {
        const char* task;
        const char* otherTask;
        const char* fileTask;
    };

private:
    // What the sequence section does after one identifier line.
    enum class Flow {
        kNext,     // read the next line
        kCurrent,  // the next line to handle is already current
        kEnd       // the parse ends, keeping the sequences read so far
    };

    struct PriorApplication {
        std::string number;
        std::string date;
    };

    struct FeatureFields {
        std::string key;
        std::string location;
        std::string from;
        std::string to;
        std::string otherInformation;
        bool keySeen = false;
        bool organismComment = false;  // the pending <223> is the organism's comment
        bool storeComment = false;     // ... and the first one: it is kept
    };

    enum class PublicationKind { kDatabase, kJournal, kPatent, kThesis };

    struct PublicationFields {
        PublicationKind kind = PublicationKind::kDatabase;
        bool seen300 = false;
        std::string authors;
        std::string title;
        std::string journal;
        std::string volume;
        std::string issue;
        std::string pages;
        std::string date;
        std::string accessionNumber;
        std::string entryDate;
        std::string documentNumber;
        std::string filingDate;
        std::string publicationDate;
        std::string from;
        std::string to;

        // Back to the empty record, keeping the strings' memory: called for
        // every sequence.
        void Clear() {
            kind = PublicationKind::kDatabase;
            seen300 = false;
            for (std::string* field : {&authors, &title, &journal, &volume, &issue, &pages, &date, &accessionNumber,
                                       &entryDate, &documentNumber, &filingDate, &publicationDate, &from, &to})
                field->clear();
        }
    };

    // ---- failure rule and shared services (ListingParser.cpp) ----
    bool Run(const std::string& fileName);
    template <class Body>
    auto Guarded(const Task& task, Body&& body) -> decltype(body());
    // Throws when the user asked to stop.
    void TestStop() {
        if (progress_ && progress_->IsStopRequested()) Stop();
    }
    [[noreturn]] void Stop();
    bool ReadLine();
    int Identifier();
    // The value of the current identifier line; valid until the next line
    // is read.
    std::string_view Value(int identifier);
    void AppendContinuation();
    std::string InputLine() const;  // "   Input line #n: raw"
    void Add(std::string message) { messages_.push_back(std::move(message)); }

    // ---- header (ListingParser.cpp) ----
    void ParseText();
    bool SearchFirstIdentifier();
    bool ReadHeader();
    bool ReadApplicants(const std::string& firstValue);
    void AddPriorApplications();
    bool AcceptSoftware();
    bool IsOwnListingAhead();
    std::string NormaliseDate(const std::string& text, const std::string& context1, const std::string& context2,
                              const std::string& context3, const std::string& screen);

    // ---- SEQ ID blocks (ListingSequences.cpp) ----
    void ReadSequenceSection();
    // value is a view of the current line: read before any other line is.
    Flow HandleIdentifier(int identifier, std::string_view value);
    void ResetSequenceData();
    void ResetFeature() { feature_ = FeatureFields(); }
    void ResetPublication();
    Flow SkipToNextSequence();
    void AddHeaderCheckMessages();
    void AddNotProcessedMessage();
    bool CreateSequence();
    bool CorrectSequenceType();
    void SyncOrganism();
    void ParseLocation(std::string_view value, bool forFeature);
    Flow OrganismComment(std::string_view value);
    Flow FinishFeature();
    Flow FinishPublication();
    // Other programs' layouts only (ListingTolerance.h has the rest).
    bool KeepNoteAsWholeSequenceFeature();

    // ---- residues (ListingResidues.cpp) ----
    Flow ReadResidues();
    bool CreateSkippedSequence();
    bool ReadResidueLines(bool startAtCurrent);
    void ReadProteinLine(std::string_view working);
    void ReadNucleotideLine(std::string_view working);
    std::string SequencePrefix() const;  // "* Sequence ID 'id':"
    bool IsTranslationOfCodingRegion();
    bool SkipTranslationBlock();
    bool ReadPlainProteinBlock();
    enum class Validation { kValid, kInvalid, kReported };
    Validation ValidateResidues();
    bool ConvertProtein(std::string& residues);
    Validation ConvertDnaToDnaRna();
    void CompleteSequence(Validation validation);

    CProject& project_;
    CImportChoices& choices_;
    CImportProgress* progress_;
    CListingLines lines_;
    std::string fileName_;
    std::string fileNameOnly_;  // the source reference of the sequences read
    bool stopRequested_ = false;
    bool anyGenerator_ = false;
    // Another program's listing read with any generator: the rules of
    // ListingTolerance.h apply (the line ends excepted, which apply to all).
    bool tolerant_ = false;

    CArray<Ptr<CSequence>> sequences_;
    StringList messages_;
    int lastIdentifier_ = 0;

    // ---- header ----
    bool seen110_ = false;
    bool seen120_ = false;
    bool seen130_ = false;
    bool seen170_ = false;
    std::string title_;
    std::string fileReference_;
    std::string applicationNumber_;
    std::string filingDate_;
    std::string priorNumber_;
    std::string priorDate_;
    std::string sequenceCount_;
    std::string software_;
    std::vector<PriorApplication> priors_;
    int pendingPrior_ = -1;
    int lastPrior_ = -1;

    // ---- current SEQ ID block ----
    std::string sequenceId_;
    std::string sequenceName_;
    int length_ = 0;
    std::string typeText_;
    std::string organism_;
    bool organismChanged_ = false;
    Ptr<CSequence> sequence_;
    bool seen210_ = false;
    bool seen212_ = false;
    bool seen213_ = false;
    bool hasCds_ = false;
    bool hasExon_ = false;
    bool hasIntron_ = false;
    std::string residues_;
    int organismComments_ = 0;
    int featureCount_ = 0;
    FeatureFields feature_;
    PublicationFields publication_;
    int createdCount_ = 0;
    CTranslationTracker translations_;

    // Where the last look-ahead of the type question found the block's
    // <400> (or next <210>): later questions in the same block start there.
    bool typeScanValid_ = false;
    int typeScanFrom_ = 0;
    CListingLines::Position typeScanMarker_;
    bool typeScanMarkerIs400_ = false;
};

}  // namespace qln

// ---- the failure rule, shared by the parser's source files ----

namespace qln {

// Runs one routine of the parser under the failure rule: a parser error from
// inside leaves its message and is replaced by one naming this routine's
// task (or by an empty one when the user asked to stop); a residue file
// error leaves its text and becomes a parser error naming the file task; a
// memory failure passes on; anything else clears the messages and becomes a
// parser error naming the task. The sequence list is emptied in every case.
template <class Body>
auto ListingParser::Guarded(const Task& task, Body&& body) -> decltype(body()) {
    static const std::string kProblem = "* The application has encounted a problem ";
    try {
        return body();
    } catch (const CParserError& error) {
        if (!error.GetMessage().empty()) messages_.push_back(error.GetMessage());
        sequences_.RemoveAll();
        throw CParserError(stopRequested_ ? std::string() : kProblem + task.task + ".");
    } catch (const CResidueFileError& error) {
        messages_.push_back(error.what());
        sequences_.RemoveAll();
        throw CParserError(kProblem + task.fileTask + ".");
    } catch (const std::bad_alloc&) {
        sequences_.RemoveAll();
        throw;
    } catch (...) {
        sequences_.RemoveAll();
        messages_.clear();
        throw CParserError(kProblem + task.otherTask + ".");
    }
}

}  // namespace qln
