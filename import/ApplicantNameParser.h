// The working state of the applicant names question of a listing import: the
// name lines of <110> are taken one after the other and each becomes an
// individual or an organization record; once all are added the records can be
// reviewed and updated. The application's dialog shows this state in its
// controls; the command-line defaults use the same split rule.
#pragma once

#include <string>
#include <vector>

#include "model/Applicant.h"
#include "model/Model.h"

namespace qln {

class CApplicantNameParser {
public:
    static constexpr const char* kAllAddedMessage = "All applicant names have been added.";

    // The fields of the dialog's edit controls and radio buttons.
    struct Fields {
        int32_t kind = CNameAttribute::kOrganization;
        std::string organizationName;
        std::string lastName;
        std::string firstName;
        std::string middleInitial;
        std::string suffix;
    };

    // What Add did, and the message box to show, if any.
    struct AddResult {
        bool added = false;
        std::string message;
    };

    struct SplitName {
        std::string lastName;
        std::string firstName;
        std::string middleInitial;
        std::string suffix;
    };

    // Starts with the first name shown, as an organization.
    explicit CApplicantNameParser(StringList names);

    const StringList& GetNames() const { return names_; }
    // The name from the file being worked on (empty when there are none);
    // while reviewing, the one of the selected record.
    const std::string& GetImportedName() const;
    // True once every name was added: the list, Update and Finish are usable.
    bool IsReviewing() const { return allAdded_; }

    Fields& GetFields() { return fields_; }
    const Fields& GetFields() const { return fields_; }

    // The radio buttons. Individual splits the imported name into the
    // individual fields and clears the organization name; Organization puts
    // the imported name back into the organization name and clears the rest.
    void ChooseIndividual();
    void ChooseOrganization();

    // Makes a record of the fields and moves on to the next name; after the
    // last one, switches to reviewing with the first record selected.
    AddResult Add();

    const std::vector<CNameAttribute>& GetRecords() const { return records_; }
    // The list box entries: the records' display texts.
    StringList GetListEntries() const;
    // The selected record, or -1.
    int GetSelected() const { return selected_; }
    // Selects a record while reviewing and loads it into the fields. False
    // when there is no such record or not all names were added yet.
    bool Select(int index);
    // Replaces the selected record by the fields. False when nothing is
    // selected.
    bool Update();

    // The individual split of one name line: the last name, then the rest
    // cut at single spaces into first name, middle initial and suffix:
    // "Smith, John A Jr" -> Smith / John / A / Jr; "Smith, John  Jr" ->
    // Smith / John / (none) / Jr; "John Smith" -> Smith / John.
    static SplitName SplitIndividual(const std::string& name);
    // The list text of an individual as Add makes it: the last name alone when
    // first name, middle initial and suffix are empty, otherwise
    // "Last, First Middle Suffix" with every separator kept.
    static std::string AddDisplayText(const Fields& fields);
    // As Update makes it: the last name alone when first name and middle
    // initial are empty (the suffix is then not shown).
    static std::string UpdateDisplayText(const Fields& fields);

private:
    void ShowName(int index);
    CNameAttribute MakeRecord(bool forUpdate) const;
    void LoadRecord(const CNameAttribute& record);

    StringList names_;
    int current_ = 0;
    Fields fields_;
    std::vector<CNameAttribute> records_;
    int selected_ = -1;
    bool allAdded_ = false;
};

}  // namespace qln
