#include "app/st26/St26ExportForm.h"

#include <algorithm>

#include "widgets/Latin1Text.h"

namespace qln {

CSt26ExportForm::CSt26ExportForm(std::vector<CSt26SequenceRow> rows, CSt26Choices choices)
    : choices_(std::move(choices)), language_(ToQt(choices_.language)), officeCode_(ToQt(choices_.officeCode))
{
    rows_.reserve(rows.size());
    for (CSt26SequenceRow& sequence : rows) {
        Row row;
        if (!sequence.moltype.empty()) {
            row.molTypes = AllowedMolTypes(sequence.moltype);
            // A value from a hand-edited choices file that the moltype does
            // not allow stays visible, so that Check can name it.
            if (!sequence.molType.empty() &&
                std::find(row.molTypes.begin(), row.molTypes.end(), sequence.molType) == row.molTypes.end())
                row.molTypes.push_back(sequence.molType);
        }
        row.chosen = !sequence.molTypeIsDefault;
        row.sequence = std::move(sequence);
        rows_.push_back(std::move(row));
    }
}

void CSt26ExportForm::SetMolType(size_t row, const std::string& molType)
{
    if (row >= rows_.size() || !rows_[row].HasMolType()) return;
    rows_[row].sequence.molType = molType;
    rows_[row].chosen = true;
}

namespace {

std::string Code(const QString& typed, bool upper)
{
    const QString code = typed.trimmed();
    return FromQt(upper ? code.toUpper() : code.toLower());
}

}  // namespace

CSt26ExportForm::Problem CSt26ExportForm::Check() const
{
    const std::string language = Code(language_, false);
    if (!language.empty() && !IsLanguageCode(language))
        return {Field::Language, 0,
                QStringLiteral("Filing language: \"%1\" is not an ISO 639-1 language code "
                               "(two letters, such as en, de or fr).")
                    .arg(language_.trimmed())};
    const std::string office = Code(officeCode_, true);
    if (!office.empty() && !IsOfficeCode(office))
        return {Field::OfficeCode, 0,
                QStringLiteral("Office code: \"%1\" is not a WIPO ST.3 office code (two letters, such as "
                               "US, EP or WO). Leave it empty to take it from the application number.")
                    .arg(officeCode_.trimmed())};
    for (size_t i = 0; i < rows_.size(); ++i) {
        const CSt26SequenceRow& sequence = rows_[i].sequence;
        if (rows_[i].HasMolType() && !IsAllowedMolType(sequence.moltype, sequence.molType))
            return {Field::MolType, i,
                    QStringLiteral("SEQ ID %1 (%2): mol_type \"%3\" is not allowed for %4; pick another.")
                        .arg(sequence.seqId)
                        .arg(ToQt(sequence.name), ToQt(sequence.molType), ToQt(sequence.moltype))};
    }
    return {};
}

CSt26Choices CSt26ExportForm::Choices() const
{
    CSt26Choices choices = choices_;
    choices.language = Code(language_, false);
    choices.officeCode = Code(officeCode_, true);
    for (const Row& row : rows_) {
        if (!row.HasMolType()) continue;
        if (row.chosen)
            choices.molTypes[row.sequence.name] = row.sequence.molType;
        else
            choices.molTypes.erase(row.sequence.name);
    }
    return choices;
}

QString St26OutcomeText(St26Outcome outcome, const CSt26Report& report, const QString& xmlFileName)
{
    switch (outcome) {
    case St26Outcome::Written: return QStringLiteral("%1 written.").arg(xmlFileName);
    case St26Outcome::WrittenToConfirm: {
        const int items = report.Count(CSt26Report::Severity::Confirm);
        return QStringLiteral("%1 written; %2 %3 to confirm in the report.")
            .arg(xmlFileName)
            .arg(items)
            .arg(items == 1 ? QStringLiteral("item") : QStringLiteral("items"));
    }
    case St26Outcome::Refused: {
        const int errors = report.Count(CSt26Report::Severity::Error);
        return QStringLiteral(
                   "Nothing written: the project has %1 %2 that would make the listing invalid; "
                   "the report names each one.")
            .arg(errors)
            .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"));
    }
    case St26Outcome::Failed: break;
    }
    return {};
}

}  // namespace qln
