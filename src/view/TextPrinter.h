#pragma once
// Lays a text document out on printer pages and renders it, page after page,
// in its own formats: the printable area is both the layout and the page
// rectangle, with no headers, footers or page numbers.

class QPdfWriter;
class QPrinter;
class QTextDocument;

enum class PrintOutcome {
    Printed,
    JobFailed,   // the job (the painter on the printer) could not be started
    PageFailed,  // a further page could not be started; the job was ended
};

// Prints `document` (not changed; a copy is laid out) on `printer`. `pages`,
// when given, receives the number of pages rendered.
PrintOutcome PrintTextDocument(const QTextDocument& document, QPrinter& printer,
                               int* pages = nullptr);
// The same onto a PDF writer's pages.
PrintOutcome PrintTextDocument(const QTextDocument& document, QPdfWriter& writer,
                               int* pages = nullptr);
