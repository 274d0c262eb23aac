// What the data-entry screens need of the open document: its project, the
// mark that it was changed, its title for their captions, and Save Project.
// The program's document provides it; the screens know nothing else of it.
#pragma once

#include <QString>

namespace qln {

class CProject;

class CScreenDocument {
public:
    virtual ~CScreenDocument() = default;

    virtual CProject& Project() const = 0;
    virtual void SetModified(bool modified = true) = 0;
    virtual QString Title() const = 0;
    // Saves as the main window's Save does; false when it did not happen.
    virtual bool Save() = 0;
};

}  // namespace qln
