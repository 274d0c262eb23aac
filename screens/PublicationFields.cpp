#include "screens/PublicationFields.h"

#include <algorithm>

namespace qln {

std::vector<std::string> ScreenFieldTexts(const CPublication& record)
{
    return {record.GetAccessionNumber(), record.GetEntryDate().GetOutputText(), record.GetFromText(),
            record.GetToText()};
}

std::vector<std::string> ScreenFieldTexts(const CJournal& record)
{
    std::vector<std::string> fields = ScreenFieldTexts(static_cast<const CPublication&>(record));
    fields.insert(fields.end(),
                  {record.GetAuthors(), record.GetTitle(), record.GetJournalName(), record.GetVolume(),
                   record.GetIssue(), record.GetPublicationDate().GetOutputText(), record.GetPageRange()});
    return fields;
}

std::vector<std::string> ScreenFieldTexts(const CPatent& record)
{
    std::vector<std::string> fields = ScreenFieldTexts(static_cast<const CPublication&>(record));
    fields.insert(fields.end(), {record.GetDocumentNumber(), record.GetFilingDate().GetOutputText(),
                                 record.GetPublicationDate().GetOutputText(), record.GetTitle()});
    return fields;
}

std::vector<std::string> ScreenFieldTexts(const CThesis& record)
{
    std::vector<std::string> fields = ScreenFieldTexts(static_cast<const CPublication&>(record));
    fields.insert(fields.end(),
                  {record.GetAuthors(), record.GetTitle(), record.GetDate().GetOutputText(), record.GetPageRange()});
    return fields;
}

bool HasAnyField(const std::vector<std::string>& fields)
{
    return std::any_of(fields.begin(), fields.end(), [](const std::string& field) {
        return field.find_first_not_of(" \t\r\n\f\v") != std::string::npos;
    });
}

}  // namespace qln
