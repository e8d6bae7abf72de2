#include "report_printer.h"

#include "base/file_io.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextOption>

namespace r605 {

namespace {

constexpr qreal kTextPoints = 8;
constexpr qreal kHeaderPoints = 7.5;
constexpr qreal kMarginMillimetres = 10;

// Latin text in DejaVu Sans, Chinese in WenQuanYi Micro Hei; a Chinese interface takes the
// Chinese font first, so that its Latin letters match its Chinese ones.
QFont reportFont(int languageIndex, qreal points) {
    QFont font;
    const QStringList latinFirst{QStringLiteral("DejaVu Sans"),
                                 QStringLiteral("WenQuanYi Micro Hei")};
    const QStringList chineseFirst{QStringLiteral("WenQuanYi Micro Hei"),
                                   QStringLiteral("DejaVu Sans")};
    font.setFamilies(languageIndex >= 2 ? chineseFirst : latinFirst);
    font.setPointSizeF(points);
    return font;
}

QString pageNumberText(const ReportPage& page, int number, int count) {
    return QString(page.pageText)
        .replace(QLatin1String("%1"), QString::number(number))
        .replace(QLatin1String("%2"), QString::number(count));
}

// The file name on the left, the title in the middle, the date on the right, a rule below; the
// page number centred at the foot.
void drawPageFrame(QPainter& painter, const QRectF& area, qreal band, const ReportPage& page,
                   int number, int count) {
    const QRectF header(area.left(), area.top(), area.width(), band * 0.6);
    const QRectF footer(area.left(), area.bottom() - band * 0.6, area.width(), band * 0.6);
    painter.save();
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, page.fileName);
    painter.drawText(header, Qt::AlignHCenter | Qt::AlignVCenter, page.title);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, page.date);
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawLine(QLineF(header.bottomLeft(), header.bottomRight()));
    painter.setPen(Qt::black);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                     pageNumberText(page, number, count));
    painter.restore();
}

} // namespace

int printReport(const std::string& html, const ReportPage& page, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    // The painter's origin is the top left corner of the page's printable area.
    const QRectF area(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const QFont frameFont = reportFont(page.languageIndex, kHeaderPoints);
    painter.setFont(frameFont);
    const qreal band = QFontMetricsF(frameFont, &device).height() * 2;
    const QRectF body(area.left(), area.top() + band, area.width(), area.height() - 2 * band);

    QTextDocument document;
    // Fonts are measured on the device they are printed on.
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(reportFont(page.languageIndex, kTextPoints));
    QTextOption option = document.defaultTextOption();
    // Names and member lists without blanks still wrap inside their cells.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setDocumentMargin(0);
    document.setHtml(QString::fromStdString(html));
    document.setPageSize(body.size());

    const int pages = document.pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage())
            return p;
        drawPageFrame(painter, area, band, page, p + 1, pages);
        painter.save();
        painter.translate(body.left(), body.top() - p * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, p * body.height(), body.width(), body.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

Result<int> writeReportPdf(const std::string& html, const ReportPage& page,
                           const std::filesystem::path& file) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return Error::literal("printing needs a graphical application (fonts)");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(page.title + QStringLiteral(" - ") + page.fileName);
        writer.setCreator(QStringLiteral("r605cps"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(kMarginMillimetres, kMarginMillimetres,
                                                   kMarginMillimetres, kMarginMillimetres),
                                         QPageLayout::Millimeter));
        pages = printReport(html, page, writer);
    }
    if (pages == 0)
        return Error::literal("the report could not be laid out");
    if (Status saved = writeFileAtomically(
            file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        !saved.ok())
        return saved.error();
    return pages;
}

} // namespace r605
