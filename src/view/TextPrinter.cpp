#include "view/TextPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

PrintOutcome PrintTextDocument(const QTextDocument& document, QPrinter& printer, int* pages) {
    if (pages) *pages = 0;
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::JobFailed;

    // The painter's origin is the top left of the printable area.
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
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
