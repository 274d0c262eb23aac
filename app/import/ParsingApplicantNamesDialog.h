// "Quillion: Parsing Applicant Names": the applicant name lines of an
// imported listing, taken one after the other, each made an individual or an
// organization applicant; once all are added they can be reviewed and
// updated before Finish.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "import/ApplicantNameParser.h"

namespace Ui {
class ParsingApplicantNamesDialog;
}

namespace qln {

// Which controls the user can reach: the fields of the chosen kind, and the
// list, Update and Finish only once every name was added.
struct CApplicantNamesEnabling {
    bool organizationField = true;
    bool individualFields = false;
    bool list = false;
    bool update = false;
    bool finish = false;

    static CApplicantNamesEnabling Of(const CApplicantNameParser& parser);
};

class CParsingApplicantNamesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CParsingApplicantNamesDialog(const StringList& names, QWidget* parent = nullptr);
    ~CParsingApplicantNamesDialog() override;

    // The records in the order they were added (as updated).
    const std::vector<CNameAttribute>& Records() const { return parser_.GetRecords(); }

private:
    void ChooseKind(bool individual);
    void AddName();
    void UpdateName();
    void SelectRecord(int row);
    // The edit boxes into the parser's fields, and the parser's state back
    // into every control.
    void ReadFields();
    void ShowState();
    void ShowMessage(const std::string& text);

    std::unique_ptr<Ui::ParsingApplicantNamesDialog> ui_;
    CApplicantNameParser parser_;
};

}  // namespace qln
