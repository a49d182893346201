#include "view/TextPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace {

// `area`: the printable area in device pixels; the painter's origin is its top left.
PrintOutcome PrintOnPages(const QTextDocument& document, QPagedPaintDevice& printer,
                          const QRectF& area, int* pages) {
    if (pages) *pages = 0;
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::JobFailed;

    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(area.size());

    const int count = copy->pageCount();
    PrintOutcome outcome = PrintOutcome::Printed;
    for (int page = 0; page < count; ++page) {
        if (page > 0 && !printer.newPage()) {
            outcome = PrintOutcome::PageFailed;
            break;
        }
        const QRectF visible(0, page * area.height(), area.width(), area.height());
        painter.save();
        painter.translate(0, -visible.top());
        painter.setClipRect(visible);
        copy->drawContents(&painter, visible);
        painter.restore();
        if (pages) ++*pages;
    }
    painter.end();
    return outcome;
}

}  // namespace

PrintOutcome PrintTextDocument(const QTextDocument& document, QPrinter& printer, int* pages) {
    return PrintOnPages(document, printer, printer.pageRect(QPrinter::DevicePixel), pages);
}

PrintOutcome PrintTextDocument(const QTextDocument& document, QPdfWriter& writer, int* pages) {
    return PrintOnPages(document, writer,
                        writer.pageLayout().paintRectPixels(writer.resolution()), pages);
}
