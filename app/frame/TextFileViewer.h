// The program's own viewer of the text files it writes (the listing, the
// error report, the work file, the parse log): read-only, in a fixed-pitch
// font, with a find field and printing through the print dialog (a printer
// or a PDF file). One window per file, beside the main window.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QPrinter;

namespace Ui {
class TextFileViewer;
}

namespace qln {

inline constexpr const char* kCantOpenForViewing = "Can't open the file for viewing.";

// Prints text in the fixed-pitch font, so that its columns stay columns.
void PrintFixedPitch(const QString& text, QPrinter& printer);

class CTextFileViewer : public QWidget {
    Q_OBJECT
public:
    // Shows the file in the viewer window of that file beside owner's
    // window (read afresh when it is open already). A file that can't be
    // read gives kCantOpenForViewing (stop icon) and null.
    static CTextFileViewer* Show(QWidget* owner, const QString& path);
    // The same without the message.
    static CTextFileViewer* Open(QWidget* owner, const QString& path);
    // The viewer window of that file, if one is open.
    static CTextFileViewer* Find(const QString& path);

    ~CTextFileViewer() override;

    const QString& Path() const { return path_; }
    QString Text() const;
    QString StatusLine() const;

    // Finds the field's text after (or before) the selection, going round
    // the end once; false when the text is nowhere.
    bool FindNext();
    bool FindPrevious();
    // The print dialog, then the file to the chosen printer or PDF file.
    void Print();
    // The whole file on a printer already set up.
    void PrintTo(QPrinter& printer) const;

private:
    explicit CTextFileViewer(QWidget* owner);
    bool Load(const QString& path);
    bool FindFrom(bool backward);
    void OpenWithDesktop();
    void SetStatus(const QString& text);

    std::unique_ptr<Ui::TextFileViewer> ui_;
    QString path_;
    QString summary_;  // the path and size, shown when nothing else is
};

}  // namespace qln
