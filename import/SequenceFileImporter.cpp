#include "import/SequenceFileImporter.h"

#include <algorithm>
#include <istream>
#include <new>

#include "import/FastaReader.h"
#include "import/ParserError.h"
#include "model/AsciiText.h"
#include "model/Feature.h"

namespace qln {

namespace {

constexpr char kCtrlZ = 26;
constexpr const char* kCanceled = "Import canceled by user.";
constexpr const char* kTypeCancelled = "Import Cancelled by User.";
constexpr const char* kNoMemory = "There is not enough memory to open a this file";
constexpr const char* kFileException = "File Exception error.";
constexpr const char* kInternalError = "An internal application error has occurred.";
constexpr size_t kReadChunk = 64 * 1024;

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string ToUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The text up to a Ctrl-Z, with every CR LF made a LF.
std::string NormalizeText(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), bytes.find(kCtrlZ)));
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

// Pasting into the editor gives the letter case of the sequence's alphabet;
// imported residues get the same before the exact character check. Three-
// letter protein text keeps its mixed case.
void MatchAlphabetCase(CSequence& sequence) {
    if (dynamic_cast<CProtein3Sequence*>(&sequence)) return;
    const bool upper = dynamic_cast<CProteinSequence*>(&sequence) != nullptr;
    std::string residues = sequence.GetResidues();
    for (char& c : residues) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    sequence.SetResidues(std::move(residues));
}

}  // namespace

SequenceFileImporter::SequenceFileImporter(CProject& project, CImportChoices& choices, CImportProgress* progress,
                                           bool filter)
    : project_(project), choices_(choices), progress_(progress), filter_(filter) {}

Ptr<CSequence> SequenceFileImporter::CreateSequence(const std::string& type, CProject* project, std::string name,
                                                    std::string organism, std::string residues) {
    const std::string key = ToUpper(type);
    if (key == "DNA" || key == "RNA" || key == "DNA/RNA")
        return CBaseSequence::CreateOfType(key, project, std::move(name), std::move(organism), std::move(residues));
    if (key == "PROTEIN/1" || key == "PRT" || key == "PRT1" || key == "PRT/1")
        return Ptr<CSequence>(
            new CProtein1Sequence(project, std::move(name), std::move(organism), std::move(residues)));
    if (key == "PROTEIN/3" || key == "PRT3" || key == "PRT/3")
        return Ptr<CSequence>(
            new CProtein3Sequence(project, std::move(name), std::move(organism), std::move(residues)));
    return {};
}

bool SequenceFileImporter::ReadStream(std::istream& in, const std::string& fileName, std::uint64_t length) {
    if (length > kMaxFileLength) {
        messages_.push_back(kNoMemory);
        return false;
    }
    std::string bytes;
    try {
        // Read in chunks rather than trusting the length for one allocation.
        bytes.reserve(static_cast<size_t>(std::min<std::uint64_t>(length, kReadChunk)));
        char chunk[kReadChunk];
        while (bytes.size() < length) {
            const size_t want = static_cast<size_t>(std::min<std::uint64_t>(length - bytes.size(), kReadChunk));
            in.read(chunk, static_cast<std::streamsize>(want));
            const auto got = in.gcount();
            bytes.append(chunk, static_cast<size_t>(got));
            if (in.bad()) {
                messages_.push_back(kFileException);
                return false;
            }
            if (static_cast<size_t>(got) < want) break;
        }
    } catch (const std::bad_alloc&) {
        messages_.push_back(kNoMemory);
        return false;
    } catch (const std::ios_base::failure&) {
        messages_.push_back(kFileException);
        return false;
    }
    return ReadText(bytes, fileName);
}

bool SequenceFileImporter::ReadText(std::string_view bytes, const std::string& fileName) {
    try {
        text_ = NormalizeText(bytes);
        fileName_ = fileName;
        pos_ = 0;
        ResetProgress(bytes.size());
        fastaFileType_.reset();
        if (FastaReader::IsFasta(text_))
            ParseFasta();
        else if (text_.find('<') == std::string::npos)
            ParseHeaderless(fileName);
        else
            Parse();
    } catch (const CParserError& e) {
        if (!e.GetMessage().empty()) messages_.push_back(e.GetMessage());
        sequences_.RemoveAll();
    } catch (const std::bad_alloc&) {
        messages_.push_back(kNoMemory);
    } catch (const std::ios_base::failure&) {
        messages_.push_back(kFileException);
    } catch (const std::exception& e) {
        messages_.push_back(*e.what() ? e.what() : kInternalError);
    }
    std::string().swap(text_);
    return messages_.empty();
}

void SequenceFileImporter::ParseHeaderless(const std::string& fileName) {
    Header header;
    const size_t dot = fileName.rfind('.');
    header.name = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    const std::optional<std::string> type = choices_.ChooseSequenceFileType(fileName);
    if (!type) {
        messages_.push_back(kTypeCancelled);
        return;
    }
    header.type = *type;
    Report(CImportProgress::kSequencesAnalyzed, 0);
    MakeSequence(header);
    CheckStop();
}

void SequenceFileImporter::ParseFasta() {
    FastaReader reader(text_);
    FastaRecord record;
    // Files with a description on every header are common; the first one
    // dropped (or empty record) is quoted, the rest only counted: the import
    // screen shows each note in a box of its own.
    int dropped = 0;
    int empty = 0;
    for (int analysed = 0; reader.Next(record); ++analysed) {
        Report(CImportProgress::kSequencesAnalyzed, analysed);
        Header header;
        header.name = std::move(record.name);
        if (header.name.empty()) {
            messages_.push_back("Blank sequence name in header '" + std::string(record.header) + "'.");
        } else if (header.name.size() > kMaxNameLength) {
            messages_.push_back("Sequence name longer than " + std::to_string(kMaxNameLength) +
                                " characters in header '" + std::string(record.header) + "'.");
        } else if (record.residues.empty()) {
            if (empty++ == 0) notes_.push_back("'" + header.name + "' has no sequence data and was not imported.");
        } else {
            const std::optional<std::string> type = FastaType(record.residues);
            if (!type) {
                messages_.push_back(kTypeCancelled);
                return;
            }
            header.type = *type;
            const Ptr<CSequence> sequence = AddSequence(header, std::move(record.residues));
            // The header's words after the name fit only the comment, which
            // is kept for an artificial or unknown organism alone; a FASTA
            // header names no organism, so the words are dropped, not lost
            // silently.
            if (sequence && !record.description.empty()) {
                if (sequence->IsArtificialOrUnknown())
                    sequence->GetComment()->SetComment(std::string(record.description));
                else if (dropped++ == 0)
                    notes_.push_back("The header text '" + std::string(record.description) + "' of '" + header.name +
                                     "' was dropped: only an artificial sequence or unknown organism has a comment.");
            }
        }
        const int position = static_cast<int>(reader.Position() * 100 / std::max<size_t>(text_.size(), 1));
        while (position_ <= position) Report(CImportProgress::kProgressPosition, position_++);
        CheckStop();
    }
    if (empty > 1)
        notes_.push_back(std::to_string(empty - 1) + (empty == 2 ? " more record" : " more records") + " of '" +
                         fileName_ + "' had no sequence data and " + (empty == 2 ? "was" : "were") + " not imported.");
    if (dropped > 1)
        notes_.push_back("The header text of " + std::to_string(dropped - 1) +
                         (dropped == 2 ? " more sequence" : " more sequences") + " of '" + fileName_ +
                         "' was dropped too.");
}

std::optional<std::string> SequenceFileImporter::FastaType(std::string_view residues) {
    if (std::optional<std::string> given = choices_.GivenSequenceType()) return given;
    if (std::optional<std::string> shown = FastaReader::TypeOf(residues)) return shown;
    if (!fastaFileType_) fastaFileType_ = choices_.ChooseSequenceFileType(fileName_);
    return fastaFileType_;
}

void SequenceFileImporter::Parse() {
    SkipWhiteSpace();
    int analysed = 0;
    while (pos_ < text_.size()) {
        Report(CImportProgress::kSequencesAnalyzed, analysed);
        Header header;
        if (ParseHeader(header)) {
            SkipWhiteSpace();
            if (pos_ >= text_.size()) throw CParserError("'" + header.name + "' has no sequence data.");
            MakeSequence(header);
        } else {
            // Nothing is made from a faulty header or the text under it.
            SkipToNextHeader();
        }
        CheckStop();
        ++analysed;
    }
}

bool SequenceFileImporter::ParseHeader(Header& header) {
    const size_t open = text_.find('<', pos_);
    if (open == std::string::npos) {
        messages_.push_back("Expected a '<' to begin the header '" + QuoteFrom(pos_) + "'.");
        pos_ = text_.size();
        return false;
    }
    // The header ends at its ">", or where the next one begins.
    size_t close = open + 1;
    while (close < text_.size() && text_[close] != '>' && text_[close] != '<') ++close;
    const bool closed = close < text_.size() && text_[close] == '>';
    const std::string_view inside = std::string_view(text_).substr(open + 1, close - open - 1);

    pos_ = open + 1;
    const size_t semicolon = inside.find(';');
    if (semicolon == std::string_view::npos) {
        messages_.push_back("Missing sequence type in header '" + QuoteFrom(open) + "'.");
        return false;
    }
    if (!closed) {
        messages_.push_back("Missing '>' in header '" + QuoteFrom(open) + "'.");
        return false;
    }
    header.name = std::string(TrimmedView(inside.substr(0, semicolon)));
    if (header.name.empty()) {
        messages_.push_back("Blank sequence name in header '" + QuoteFrom(open) + "'.");
        return false;
    }
    if (header.name.size() > kMaxNameLength) {
        messages_.push_back("Sequence name longer than " + std::to_string(kMaxNameLength) + " characters in header '" +
                            QuoteFrom(open) + "'.");
        return false;
    }
    const std::string_view rest = inside.substr(semicolon + 1);
    const size_t second = rest.find(';');
    header.type = std::string(TrimmedView(rest.substr(0, second)));
    if (second != std::string_view::npos) header.organism = std::string(TrimmedView(rest.substr(second + 1)));
    pos_ = close + 1;
    return true;
}

// The header's own line, from the header on; a line holding several headers
// is quoted only up to the next one, so that the quotes never add up to more
// than the text itself.
std::string SequenceFileImporter::QuoteFrom(size_t start) const {
    size_t end = start;
    while (end < text_.size() && !IsLineEnd(text_[end]) && (end == start || text_[end] != '<')) ++end;
    return text_.substr(start, end - start);
}

void SequenceFileImporter::SkipWhiteSpace() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

void SequenceFileImporter::SkipToNextHeader() {
    const size_t next = text_.find('<', pos_);
    pos_ = next == std::string::npos ? text_.size() : next;
}

std::string SequenceFileImporter::CollectResidues() {
    std::string residues;
    while (pos_ < text_.size() && text_[pos_] != '<') {
        const char c = text_[pos_++];
        if (!IsBlank(c)) residues += c;
        CountConsumed();
    }
    return residues;
}

void SequenceFileImporter::MakeSequence(const Header& header) { AddSequence(header, CollectResidues()); }

Ptr<CSequence> SequenceFileImporter::AddSequence(const Header& header, std::string residues) {
    Ptr<CSequence> sequence = CreateSequence(header.type, &project_, header.name, header.organism, std::move(residues));
    if (!sequence) {
        messages_.push_back("Invalid sequence type in sequence '" + header.name + "'.");
        return {};
    }
    MatchAlphabetCase(*sequence);
    const int valid = sequence->CheckResidues(header.name, filter_);
    const StringList& found = sequence->GetMessages();
    messages_.insert(messages_.end(), found.begin(), found.end());
    if (!valid) return {};

    sequence->SetSourceReference(fileName_);
    sequence->SetResiduesChanged(true);
    // A residue file that can't be written ends the file (CResidueFileError),
    // this sequence not taken.
    sequence->UnloadResidues();
    sequences_.Add(sequence);
    return sequence;
}

void SequenceFileImporter::ResetProgress(std::uint64_t length) {
    consumed_ = 0;
    step_ = length / 100;
    threshold_ = step_;
    position_ = 1;
}

void SequenceFileImporter::CountConsumed() {
    if (++consumed_ > threshold_ && position_ <= 100) {
        threshold_ += step_;
        Report(CImportProgress::kProgressPosition, position_++);
    }
}

void SequenceFileImporter::Report(int code, int value) {
    if (progress_) progress_->Command(code, value);
}

void SequenceFileImporter::CheckStop() {
    if (progress_ && progress_->IsStopRequested()) throw CParserError(kCanceled);
}

}  // namespace qln
