// "Quillion: Feature Names / Keys": the standard feature keys of the
// sequence's kind, found by typing their first letters, with the lists of
// modified bases, lipids and residue modifications whose choice goes into
// the other information.
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>
#include <string>

namespace Ui {
class FeatureNamesDialog;
}

namespace qln {

class CFeatureNamesDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the key file of the sequence's type ("PRT": proteins); a file
    // that can't be read is reported and leaves the list empty.
    CFeatureNamesDialog(const std::string& typeName, const QString& key, QWidget* parent = nullptr);
    ~CFeatureNamesDialog() override;

    // After OK: the chosen key and the text for the other information
    // (empty when nothing was chosen in the key's extra lists).
    QString Key() const;
    QString ExtraText() const;

    const QStringList& Keys() const { return keys_; }

    void accept() override;

private:
    void OnTyped(const QString& typed);
    void OnListSelection();
    void OnKeyFieldLeft();
    // The key field takes the key; the lists of that key show.
    void TakeKey(const QString& key);
    void ShowExtraLists();

    std::unique_ptr<Ui::FeatureNamesDialog> ui_;
    QStringList keys_;
    bool typing_ = false;
};

}  // namespace qln
