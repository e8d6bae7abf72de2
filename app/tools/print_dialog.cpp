#include "tools/print_dialog.h"

#include "models/document_session.h"
#include "report/codeplug_report.h"
#include "text/language.h"

#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace r605 {

namespace {

constexpr TextKey kTitleText{15150};
constexpr TextKey kContactsText{15151}; // "Include the digital contacts (%1 in use)"
constexpr TextKey kPreviewText{15152};
constexpr TextKey kPrintText{15153};
constexpr TextKey kPdfText{15154};
constexpr TextKey kSavedText{15156}; // "Saved %1 (%2 pages)."
constexpr TextKey kPdfFailedText{15158};
constexpr TextKey kCloseText{15143};
constexpr TextKey kReportTitleText{15120};
constexpr TextKey kPageText{15125};

constexpr qreal kMarginMillimetres = 10;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

PrintDialog::PrintDialog(DocumentSession& session, ChooseFile chooseFile, QWidget* parent)
    : QDialog(parent), m_session(session), m_chooseFile(std::move(chooseFile)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("frmPrint");
    m_printer->setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Landscape,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    m_contacts = new QCheckBox(this);
    m_contacts->setObjectName("chkContacts");
    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    m_status->setWordWrap(true);
    m_preview = new QPushButton(this);
    m_preview->setObjectName("CommandPreview");
    m_print = new QPushButton(this);
    m_print->setObjectName("CommandPrint");
    m_pdf = new QPushButton(this);
    m_pdf->setObjectName("CommandPdf");
    m_close = new QPushButton(this);
    m_close->setObjectName("CommandClose");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_preview);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_contacts);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_preview, &QPushButton::clicked, this, &PrintDialog::preview);
    connect(m_print, &QPushButton::clicked, this, &PrintDialog::print);
    connect(m_pdf, &QPushButton::clicked, this, &PrintDialog::exportPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&session, &DocumentSession::languageChanged, this, &PrintDialog::retranslate);
    retranslate();
}

PrintDialog::~PrintDialog() = default;

QString PrintDialog::text(int key) const {
    return qText(m_session.language().GetLangText(key));
}

void PrintDialog::retranslate() {
    setWindowTitle(text(kTitleText.number));
    const Codeplug& codeplug = m_session.document().codeplug();
    const auto contacts = std::count_if(codeplug.Contact.begin(), codeplug.Contact.end(),
                                        [](const ContactRec& c) { return c.Used >= 1; });
    m_contacts->setText(
        text(kContactsText.number).replace(QLatin1String("%1"), QString::number(contacts)));
    m_preview->setText(text(kPreviewText.number));
    m_print->setText(text(kPrintText.number));
    m_pdf->setText(text(kPdfText.number));
    m_close->setText(text(kCloseText.number));
}

std::string PrintDialog::reportHtml() const {
    ReportOptions options;
    options.contacts = m_contacts->isChecked();
    options.fileName = m_session.document().fileName().filename().string();
    options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    return r605::reportHtml(
        buildReport(m_session.document().codeplug(), m_session.columnContext(), options));
}

ReportPage PrintDialog::reportPage() const {
    const Language& language = m_session.language();
    return ReportPage{qText(m_session.document().fileName().filename().string()),
                      qText(language.text(kReportTitleText)),
                      QDate::currentDate().toString(Qt::ISODate), qText(language.text(kPageText)),
                      language.index()};
}

void PrintDialog::preview() {
    auto* dialog = new QPrintPreviewDialog(m_printer.get(), this);
    dialog->setObjectName("frmPrintPreview");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printReport(reportHtml(), reportPage(), *printer); });
    dialog->open();
}

void PrintDialog::print() {
    auto* dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setObjectName("frmPrintDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, qOverload<QPrinter*>(&QPrintDialog::accepted), this,
            [this](QPrinter* printer) { printReport(reportHtml(), reportPage(), *printer); });
    dialog->open();
}

void PrintDialog::exportPdf() {
    if (!m_chooseFile)
        return;
    m_chooseFile([this](const QString& file) {
        if (!file.isEmpty())
            writePdf(file);
    });
}

void PrintDialog::writePdf(const QString& file) {
    const QString name = QFileInfo(file).suffix().isEmpty() ? file + QStringLiteral(".pdf") : file;
    const auto pages = writeReportPdf(reportHtml(), reportPage(), name.toStdString());
    if (!pages) {
        m_status->setText(text(kPdfFailedText.number) + QLatin1Char(' ') +
                          qText(m_session.language().describe(pages.error())));
        return;
    }
    m_status->setText(text(kSavedText.number)
                          .replace(QLatin1String("%1"), name)
                          .replace(QLatin1String("%2"), QString::number(*pages)));
}

} // namespace r605
