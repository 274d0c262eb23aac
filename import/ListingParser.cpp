// The listing parser's entry point, its shared line services and the header
// section (<110> to <170>).
#include "import/ListingParser.h"

#include "import/ListingParserTasks.h"
#include "import/ListingTolerance.h"
#include "model/AsciiText.h"
#include "model/Date.h"

namespace qln {

using namespace listing;

namespace {

// Continuation lines join the value with one blank between.
void AppendWithBlank(std::string& value, std::string_view line) {
    if (value.empty()) {
        value = line;
    } else {
        value += ' ';
        value += line;
    }
}

}  // namespace

ListingParser::ListingParser(CProject& project, CImportChoices& choices, CImportProgress* progress)
    : project_(project), choices_(choices), progress_(progress) {}

ListingParser::~ListingParser() = default;

bool ListingParser::Parse(const std::string& text, const std::string& fileName) {
    // Lines ended by a lone CR are split only for other programs' listings;
    // the copy is made only for those that need it.
    if (anyGenerator_ && tolerance::HasLoneCarriageReturn(text)) {
        const std::string withLineFeeds = tolerance::WithLineFeeds(text);
        lines_.Start(withLineFeeds, progress_);
        return Run(fileName);
    }
    lines_.Start(text, progress_);
    return Run(fileName);
}

bool ListingParser::Parse(CListingSource& source, size_t size, const std::string& fileName) {
    if (anyGenerator_) {
        tolerance::CLineFeedSource withLineFeeds(source);
        lines_.Start(withLineFeeds, size, progress_);
        return Run(fileName);
    }
    lines_.Start(source, size, progress_);
    return Run(fileName);
}

bool ListingParser::Run(const std::string& fileName) {
    fileName_ = fileName;
    const size_t slash = fileName_.find_last_of("/\\");
    fileNameOnly_ = slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
    stopRequested_ = false;
    tolerant_ = false;
    sequences_.RemoveAll();
    messages_.clear();
    lastIdentifier_ = 0;
    seen110_ = seen120_ = seen130_ = seen170_ = false;
    title_.clear();
    fileReference_.clear();
    applicationNumber_.clear();
    filingDate_.clear();
    priorNumber_.clear();
    priorDate_.clear();
    sequenceCount_.clear();
    software_.clear();
    priors_.clear();
    pendingPrior_ = lastPrior_ = -1;
    createdCount_ = 0;
    translations_.Reset();

    try {
        Guarded(kParseFile, [&] { ParseText(); });
    } catch (const CParserError& error) {
        if (!error.GetMessage().empty()) messages_.push_back(error.GetMessage());
    }
    // Nothing may point into the text once it is gone.
    lines_.Stop();
    sequence_ = nullptr;
    translations_.Reset();
    return messages_.empty();
}

// ---- shared services ----

void ListingParser::Stop() {
    stopRequested_ = true;
    throw CParserError("Import canceled by user.");
}

bool ListingParser::ReadLine() {
    return Guarded(kReadLine, [&] { return lines_.ReadLine(); });
}

int ListingParser::Identifier() {
    return Guarded(kIdentifier, [&] { return CListingLines::NumericIdentifier(lines_.GetWorking()); });
}

std::string_view ListingParser::Value(int identifier) {
    return Guarded(kRemoveLabel, [&] { return CListingLines::IdentifierValue(lines_.GetWorking(), identifier); });
}

std::string ListingParser::InputLine() const {
    std::string line = "   Input line #" + std::to_string(lines_.GetLineNumber()) + ": ";
    line += lines_.GetRaw();
    return line;
}

// A line without identifier continues the value of the last identifier
// handled, for the identifiers whose values the writer wraps.
void ListingParser::AppendContinuation() {
    Guarded(kContinuation, [&] {
        const std::string_view line = lines_.GetWorking();
        switch (lastIdentifier_) {
        case 120: AppendWithBlank(title_, line); break;
        case 130: AppendWithBlank(fileReference_, line); break;
        case 140: AppendWithBlank(applicationNumber_, line); break;
        case 141: AppendWithBlank(filingDate_, line); break;
        case 150:
            AppendWithBlank(priorNumber_, line);
            if (lastPrior_ >= 0) AppendWithBlank(priors_[static_cast<size_t>(lastPrior_)].number, line);
            break;
        case 151:
            AppendWithBlank(priorDate_, line);
            if (lastPrior_ >= 0) AppendWithBlank(priors_[static_cast<size_t>(lastPrior_)].date, line);
            break;
        case 160: AppendWithBlank(sequenceCount_, line); break;
        case 170: AppendWithBlank(software_, line); break;
        case 212: AppendWithBlank(typeText_, line); break;
        case 213:
            // The sequence takes the longer name before the next identifier
            // is handled; copying it on every line would cost too much.
            AppendWithBlank(organism_, line);
            organismChanged_ = true;
            break;
        case 221: AppendWithBlank(feature_.key, line); break;
        case 223: AppendWithBlank(feature_.otherInformation, line); break;
        case 301: AppendWithBlank(publication_.authors, line); break;
        case 302: AppendWithBlank(publication_.title, line); break;
        case 303: AppendWithBlank(publication_.journal, line); break;
        case 308: AppendWithBlank(publication_.accessionNumber, line); break;
        case 310: AppendWithBlank(publication_.documentNumber, line); break;
        default: break;
        }
    });
}

std::string ListingParser::NormaliseDate(const std::string& text, const std::string& context1,
                                         const std::string& context2, const std::string& context3,
                                         const std::string& screen) {
    DateField date(tolerant_ ? tolerance::PaddedDate(text) : text);
    date.NormaliseImported(context1, context2, context3, screen);
    for (const std::string& message : date.GetMessages()) Add(message);
    return date.GetText();
}

// ---- the whole file ----

void ListingParser::ParseText() {
    ResetSequenceData();
    if (!SearchFirstIdentifier()) return;
    tolerant_ = anyGenerator_ && !IsOwnListingAhead();
    if (!ReadHeader()) return;

    if (!seen110_) Add("* <110>: Missing Applicant Names");
    if (!seen120_ || title_.empty()) Add("* <120>: Missing Tittle of Invention.");
    if (!seen130_ || fileReference_.empty()) Add("* <130>: Missing Application File Reference.");
    if (!seen170_ && anyGenerator_) {
        Add("* <170>: The listing does not name the program that wrote it.");
    } else if (!seen170_) {
        Add("* <170>: The software name is not listed before the first <210> numeric ID in the sequence listing.  "
            "This listing was not generated by the Quillion software.  Therefore, the import process will not be "
            "performed.");
        return;
    }

    try {
        project_.SetProjectData(MakePtr<CProjectData>(title_, applicationNumber_, filingDate_, fileReference_));
    } catch (const std::bad_alloc&) {
        throw CParserError("Import Cancelled - Insufficient memory while parsing information for numeric identifier " +
                           std::to_string(lastIdentifier_) + ".");
    }

    if (lines_.AtEnd()) {
        Add("* No more sequence information found to be imported from the file '" + fileName_ + "'.");
        return;
    }
    ReadSequenceSection();
}

// The rules for other programs' layouts must leave the program's own
// listings as they read without them, but some apply to header values that
// come before <170>: the header is looked at first, a bounded number of
// lines, from the current one.
bool ListingParser::IsOwnListingAhead() {
    static constexpr int kMostHeaderLines = 10000;
    bool own = false;
    lines_.BeginLookAhead();
    for (int line = 0; line < kMostHeaderLines; ++line) {
        const int identifier = CListingLines::NumericIdentifier(lines_.GetWorking());
        if (identifier == 170)
            own = StartsWithIgnoringCase(CListingLines::IdentifierValue(lines_.GetWorking(), 170), "Quillion ");
        if (identifier >= 170 || !lines_.ReadLine()) break;
    }
    lines_.EndLookAhead();
    return own;
}

// Skips what comes before the first numeric identifier, such as the title.
bool ListingParser::SearchFirstIdentifier() {
    while (true) {
        TestStop();
        if (!ReadLine()) break;
        if (Identifier() >= 0) return true;
    }
    if (lines_.OnlyBlankLines())
        Add("* The file '" + fileName_ + "' contains only blank spaces.  There is nothing to be imported.");
    else
        Add("* No sequence information is imported from the file '" + fileName_ +
            "'.  This imported file does not comply with Quillion generated ST.25 sequence listing file.  Please "
            "check the file and try again.");
    return false;
}

// <110> to <170>. Returns false when the parse ends here.
bool ListingParser::ReadHeader() {
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
        if (identifier > 170) break;

        std::string value(Value(identifier));
        if (tolerant_ && (identifier == 140 || identifier == 141) && tolerance::IsUnassigned(value)) value.clear();
        switch (identifier) {
        case 110:
            seen110_ = true;
            if (!ReadApplicants(value)) return false;
            // The line after the names is already current.
            lastIdentifier_ = 110;
            TestStop();
            continue;
        case 120:
            title_ = value;
            seen120_ = true;
            break;
        case 130:
            fileReference_ = value;
            seen130_ = true;
            break;
        case 140: applicationNumber_ = value; break;
        case 141:
            filingDate_ = NormaliseDate(value, "* Project Data", " Current Filing Date", "<141>", "Project Data");
            break;
        case 150:
            priorNumber_ = value;
            if (pendingPrior_ >= 0) {
                priors_[static_cast<size_t>(pendingPrior_)].number = value;
                lastPrior_ = pendingPrior_;
                pendingPrior_ = -1;
            } else {
                priors_.push_back({value, {}});
                pendingPrior_ = lastPrior_ = static_cast<int>(priors_.size()) - 1;
            }
            break;
        case 151:
            priorDate_ = NormaliseDate(value, "* Prior Application Data", "Prior Application Date", "<151>",
                                       "Prior Application Data");
            if (pendingPrior_ >= 0) {
                priors_[static_cast<size_t>(pendingPrior_)].date = priorDate_;
                lastPrior_ = pendingPrior_;
                pendingPrior_ = -1;
            } else {
                priors_.push_back({{}, priorDate_});
                pendingPrior_ = lastPrior_ = static_cast<int>(priors_.size()) - 1;
            }
            break;
        case 160: sequenceCount_ = value; break;
        case 170:
            seen170_ = true;
            software_ = value;
            if (!AcceptSoftware()) return false;
            break;
        default:
            Add("* Encountered an invalid numeric identifier.");
            Add(InputLine());
            break;
        }
        lastIdentifier_ = identifier;
        ReadLine();
        TestStop();
    }
    AddPriorApplications();
    return true;
}

// The program's own listings are always read; another program's only when
// the caller asked for any generator, and then the log says whose it is.
bool ListingParser::AcceptSoftware() {
    if (EqualsIgnoringCase(software_.substr(0, 9), "Quillion ")) return true;
    if (anyGenerator_) {
        Add("* <170>: This listing was written by \"" + software_ + "\", not by Quillion.");
        return true;
    }
    Add("* This sequence listing file was not generated by the Quillion software.  Therefore, the "
        "import process will not be performed.");
    return false;
}

// The value of <110> and every following non-empty line up to the next
// identifier: one applicant name each, split by the user.
bool ListingParser::ReadApplicants(const std::string& firstValue) {
    StringList names;
    if (!firstValue.empty()) names.push_back(firstValue);
    while (true) {
        TestStop();
        if (!ReadLine()) break;
        if (lines_.GetWorking().empty()) continue;
        if (Identifier() >= 0) break;
        names.emplace_back(lines_.GetWorking());
    }
    if (names.empty()) {
        Add("* No applicant names found under numeric identifier <110>.");
        return true;
    }

    const std::optional<std::vector<CNameAttribute>> records = choices_.SplitApplicantNames(names);
    if (!records) {
        Add("Import canceled by user.");
        return false;
    }
    try {
        for (const CNameAttribute& record : *records) {
            TestStop();
            if (record.kind == CNameAttribute::kOrganization) {
                project_.GetOrgApplicants().Add(MakePtr<COrgApplicant>(&project_, record.displayText));
            } else {
                project_.GetIndivApplicants().Add(MakePtr<CIndivApplicant>(&project_, record.firstName, record.lastName,
                                                                           record.middleInitial, record.suffix));
            }
        }
    } catch (const std::bad_alloc&) {
        throw CParserError(
            "* Import Cancelled - Insufficient memory while parsing information for numeric identifier <110>.");
    }
    return true;
}

// Prior applications go to the project in the order they were read. One
// left waiting for its number or date is added as it is: the project check
// then asks for the missing half, which is better than losing the half the
// listing gave.
void ListingParser::AddPriorApplications() {
    for (const PriorApplication& prior : priors_)
        project_.GetPriorApplications().Add(MakePtr<CEarlierApplication>(&project_, prior.number, prior.date));
    priors_.clear();
    pendingPrior_ = lastPrior_ = -1;
}

}  // namespace qln
