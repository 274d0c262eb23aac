// The address fields both applicant screens share (street to electronic
// mail address), found in a form by their names.
#pragma once

#include <QLineEdit>

#include "model/Applicant.h"

namespace qln {

class CApplicantFields {
public:
    explicit CApplicantFields(const QWidget* form);

    void Load(const CApplicant& applicant) const;
    void Store(CApplicant& applicant) const;
    // Clear leaves twelve blanks in the phone and fax numbers.
    void Empty() const;

private:
    QLineEdit* street_;
    QLineEdit* city_;
    QLineEdit* state_;
    QLineEdit* country_;
    QLineEdit* zipCode_;
    QLineEdit* phone_;
    QLineEdit* fax_;
    QLineEdit* email_;
};

// True when any address field of the two differs.
bool AddressDiffers(const CApplicant& a, const CApplicant& b);

}  // namespace qln
