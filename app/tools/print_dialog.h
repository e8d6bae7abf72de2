#pragma once
// frmPrint, behind File/Print: the codeplug report of the open codeplug shown in the print
// preview, printed, or exported as a PDF file, with or without the digital contacts (a full
// contact list is some 200 pages). Qt's print preview and print dialogs are opened non-modally;
// the PDF file is chosen through the program's one prompt, handed in as `chooseFile`.

#include "report_printer.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace r605 {

class DocumentSession;

class PrintDialog : public QDialog {
    Q_OBJECT

public:
    // Asks for the PDF file to write; answers with an empty text when the user cancelled.
    using ChooseFile = std::function<void(std::function<void(const QString&)> chosen)>;

    PrintDialog(DocumentSession& session, ChooseFile chooseFile, QWidget* parent = nullptr);
    ~PrintDialog() override;

    // The report's HTML as the options stand, and what each page shows.
    std::string reportHtml() const;
    ReportPage reportPage() const;
    QPrinter& printer() { return *m_printer; }

public slots:
    void preview();
    void print();
    void exportPdf();
    void retranslate();

private:
    void writePdf(const QString& file);
    QString text(int key) const;

    DocumentSession& m_session;
    ChooseFile m_chooseFile;
    std::unique_ptr<QPrinter> m_printer;
    QCheckBox* m_contacts;
    QLabel* m_status;
    QPushButton* m_preview;
    QPushButton* m_print;
    QPushButton* m_pdf;
    QPushButton* m_close;
};

} // namespace r605
