// What the ST.26 export dialog decides, without widgets: the rows it shows,
// the mol_type a user may pick for each, the filing language and office code
// typed, whether OK may go on, and the choices the export and the choices
// file then take.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "export/St26Choices.h"
#include "export/St26Export.h"

namespace qln {

class CSt26ExportForm {
public:
    struct Row {
        CSt26SequenceRow sequence;
        // What the user may pick, in the order offered; empty for a sequence
        // written without data (skipped).
        std::vector<std::string> molTypes;
        // A default the user has not picked is left out of the choices, so
        // that the report asks for its confirmation.
        bool chosen = false;

        bool HasMolType() const { return !molTypes.empty(); }
    };

    // rows: as CSt26Export::Rows() gives them for the choices read.
    CSt26ExportForm(std::vector<CSt26SequenceRow> rows, CSt26Choices choices);

    const std::vector<Row>& Rows() const { return rows_; }
    // The user picks a mol_type for the row (0-based).
    void SetMolType(size_t row, const std::string& molType);

    // As typed; an empty language means the default, "en", and an empty
    // office code the one the application number gives.
    const QString& Language() const { return language_; }
    void SetLanguage(const QString& language) { language_ = language; }
    const QString& OfficeCode() const { return officeCode_; }
    void SetOfficeCode(const QString& officeCode) { officeCode_ = officeCode; }

    enum class Field { None, Language, OfficeCode, MolType };
    struct Problem {
        Field field = Field::None;
        size_t row = 0;  // for Field::MolType
        QString text;
    };
    // The first thing that keeps OK from going on, naming its field;
    // Field::None when there is nothing.
    Problem Check() const;

    // The choices read, with what the dialog shows over them: codes trimmed,
    // the language in lower case and the office code in upper case.
    CSt26Choices Choices() const;

private:
    std::vector<Row> rows_;
    CSt26Choices choices_;
    QString language_;
    QString officeCode_;
};

// What the user is told of a run that did not fail, e.g. "P_ST26.xml
// written; 3 items to confirm in the report."
QString St26OutcomeText(St26Outcome outcome, const CSt26Report& report, const QString& xmlFileName);

}  // namespace qln
