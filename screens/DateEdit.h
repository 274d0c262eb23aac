// A date typed as YYYY-MM-DD into a masked field: digits only, each one
// optional so that a partial date can be typed, "____-__-__" when empty.
#pragma once

#include <QLineEdit>
#include <string>

namespace qln {

class CDateEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr const char* kInputMask = "0000-00-00;_";

    explicit CDateEdit(QWidget* parent = nullptr);

    // The date as the records keep it: the mask's text, "____-__-__" when
    // nothing is typed.
    std::string DateText() const;
    void SetDateText(const std::string& text);
    void ClearDate() { clear(); }
    // A date counts as given once anything is typed into it.
    bool HasDate() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void StartAtFirstBlank();
};

}  // namespace qln
