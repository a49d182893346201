#include "view/CQ7R2xView.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QTextCursor>
#include <QTextDocument>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include <optional>
#include <vector>

#include "framework/CApplication.h"
#include "framework/CDocument.h"
#include "framework/CMainFrame.h"
#include "model/DeviceDocument.h"
#include "model/FileIo.h"
#include "model/Ui.h"
#include "view/CClockTreeWidget.h"
#include "view/ClockTreeCommands.h"
#include "view/Colorize.h"
#include "view/TextPrinter.h"
#include "view/ViewCommands.h"

namespace {

constexpr const char* kSaveError = "Error: Could Not Open File For Save.";

std::string FileNameOf(const std::string& path) {
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString();
}

// Where the active project's file dialogs start: its folder, else the last used.
std::string DialogFolder(CView* self) {
    CView* view = self;
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame()) view = frame->GetActiveView();
    return StartFolder(view ? view->GetDocument() : nullptr);
}

void NoteFileUsed(const std::string& path) {
    if (CApplication* app = TheApp()) app->NoteFileUsed(path);
}

// Asks for the file an export writes; nothing when the user cancels.
std::optional<std::string> AskExportName(const char* title, const char* extension,
                                         const char* initialName, const char* filter) {
    FileDialogRequest request;
    request.DefaultExtension = extension;
    request.InitialName = initialName;
    request.Filter = filter;
    request.Title = title;
    request.Directory = DialogFolder(nullptr);
    return TheUi().SaveFileName(request);
}

bool IsCrOfCrLf(const std::string& bytes, std::size_t i) {
    return bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
}

// The text as the widget holds it: a CR LF pair (or a lone CR) is one line break.
QString WidgetText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<int>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (IsCrOfCrLf(bytes, i)) continue;
        text += bytes[i] == '\r' ? QChar('\n') : QChar::fromLatin1(bytes[i]);
    }
    return text;
}

// For every byte offset of the text (and its end), the widget's position.
std::vector<int> WidgetPositions(const std::string& bytes) {
    std::vector<int> position(bytes.size() + 1, 0);
    int pos = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        position[i] = pos;
        if (!IsCrOfCrLf(bytes, i)) ++pos;
    }
    position[bytes.size()] = pos;
    return position;
}

}  // namespace

CQ7R2xView::CQ7R2xView(QWidget* parent)
    : CView(parent),
      tabs_(new QTabWidget(this)),
      edit_(new QTextEdit(tabs_)),
      tree_(new CClockTreeWidget(tabs_)),
      treeArea_(new QScrollArea(tabs_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->setDocumentMode(true);
    tabs_->addTab(edit_, QStringLiteral("Code"));
    // The drawing fits the window down to its smallest readable size; below
    // that it scrolls.
    treeArea_->setWidget(tree_);
    treeArea_->setWidgetResizable(true);
    treeArea_->setFrameShape(QFrame::NoFrame);
    tabs_->addTab(treeArea_, QStringLiteral("Clock Tree"));
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        setFocusProxy(tabs_->currentWidget());
        if (ShowsClockTree() && treeStale_) RefreshClockTree();
        CheckClockTree(ShowsClockTree());
    });
    connect(tree_, &CClockTreeWidget::nodeClicked, this, &CQ7R2xView::OnClockTreeClicked);
    edit_->setReadOnly(true);
    edit_->setUndoRedoEnabled(false);
    edit_->setLineWrapMode(QTextEdit::NoWrap);
    edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
}

CQ7R2xView::~CQ7R2xView() = default;

QTextCharFormat CQ7R2xView::BaseFormat() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(10);
    font.setFixedPitch(true);
    // A modern (fixed-pitch) family, so fontconfig falls back to a monospace face.
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(QColor(0, 0, 0));
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    return format;
}

QTextCharFormat CQ7R2xView::CommentFormat() {
    QTextCharFormat format;
    format.setForeground(QColor(0, 170, 0));
    return format;
}

QTextCharFormat CQ7R2xView::LiteralFormat() {
    QTextCharFormat format;
    format.setForeground(QColor(55, 0, 200));
    return format;
}

std::function<bool(const QUrl&)>& CQ7R2xView::HelpOpener() {
    return UrlOpener();
}

CQ7R2xView* CQ7R2xView::Active() {
    CApplication* app = TheApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    return frame ? dynamic_cast<CQ7R2xView*>(frame->GetActiveView()) : nullptr;
}

CDeviceDocument* CQ7R2xView::GetDeviceDocument() const {
    CView* view = const_cast<CQ7R2xView*>(this);
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame()) view = frame->GetActiveView();
    if (!view || !view->GetDocument()) return nullptr;
    return view->GetDocument()->DeviceDocument();
}

void CQ7R2xView::OnInitialUpdate() {
    CDeviceDocument* doc = GetDocument() ? GetDocument()->DeviceDocument() : nullptr;
    SetText(doc ? doc->GenerateSource() : std::string());
    ColorizeText(doc);
    RefreshClockTree();
}

void CQ7R2xView::Show(std::string text, CDeviceDocument* doc) {
    if (text == text_ && !text_.empty()) return;
    SetText(std::move(text));
    ColorizeText(doc);
}

void CQ7R2xView::OnUpdate() {
    CDeviceDocument* doc = GetDocument() ? GetDocument()->DeviceDocument() : nullptr;
    if (doc) Show(doc->GenerateSource(), doc);
    RefreshClockTree();
    CApplication* app = TheApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    if (frame && frame->GetActiveView() == this) OnActivateView(true);
}

void CQ7R2xView::OnActivateView(bool activate) {
    if (!activate) return;
    if (CDeviceDocument* doc = GetDeviceDocument())
        CheckCodeFormat(doc->DeviceData.CodeFormat == 1 ? 1 : 0);
    CheckClockTree(ShowsClockTree());
}

void CQ7R2xView::SetText(std::string text) {
    text_ = std::move(text);
    edit_->setPlainText(WidgetText(text_));
}

void CQ7R2xView::ColorizeText(CDeviceDocument* doc) {
    if (!doc) doc = GetDeviceDocument();
    const bool assembly = doc && doc->DeviceData.CodeFormat == 1;

    const std::vector<int> position = WidgetPositions(text_);
    QTextDocument* document = edit_->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(BaseFormat());
    const QTextCharFormat comment = CommentFormat();
    const QTextCharFormat literal = LiteralFormat();
    for (const auto& span : colorize::Scan(text_, assembly)) {
        cursor.setPosition(position[span.Start]);
        cursor.setPosition(position[span.Start + span.Length], QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(span.Kind == colorize::SpanKind::Comment ? comment : literal);
    }
    cursor.endEditBlock();

    QTextCursor start(document);
    start.movePosition(QTextCursor::Start);
    edit_->setTextCursor(start);
}

void CQ7R2xView::UpdateCodeWindow() {
    CDeviceDocument* doc = GetDeviceDocument();
    if (!doc) return;
    Show(doc->GenerateSource(), doc);
    RefreshClockTree();
    SetStatus("Code regenerated");
}

CQ7R2xView::PageOpener& CQ7R2xView::ClockTreePageOpener() {
    static PageOpener opener;
    return opener;
}

bool CQ7R2xView::ShowsClockTree() const {
    return tabs_->currentWidget() == treeArea_;
}

void CQ7R2xView::ShowClockTree(bool show) {
    tabs_->setCurrentWidget(show ? static_cast<QWidget*>(treeArea_) : edit_);
}

void CQ7R2xView::OnViewClockTree() {
    ShowClockTree(!ShowsClockTree());
}

void CQ7R2xView::RefreshClockTree() {
    CDeviceDocument* doc = GetDocument() ? GetDocument()->DeviceDocument() : nullptr;
    treeStale_ = !doc || !ShowsClockTree();
    if (!treeStale_) tree_->ShowProject(*doc);
}

void CQ7R2xView::OnClockTreeClicked(const QString& node) {
    CDeviceDocument* doc = GetDocument() ? GetDocument()->DeviceDocument() : nullptr;
    const chip::ClockNode* n = tree_->Tree() ? tree_->Tree()->Find(node.toStdString()) : nullptr;
    if (doc && n && ClockTreePageOpener()) ClockTreePageOpener()(*doc, n->record, n->page);
}

void CQ7R2xView::OnFileExportClockTree() {
    if (const auto name =
            AskExportName("Export Clock Tree", "svg", "ClockTree.svg",
                          "SVG Files (*.svg)|*.svg|PNG Files (*.png)|*.png|All Files (*.*)|*.*|"))
        ExportClockTree(*name);
}

bool CQ7R2xView::ExportClockTree(const std::string& path) {
    CDeviceDocument* doc = GetDocument() ? GetDocument()->DeviceDocument() : nullptr;
    if (!doc) return false;
    // The drawing of the project as it is now, whichever tab is shown.
    CClockTreeWidget drawing;
    drawing.ShowProject(*doc);
    std::string bytes;
    if (QString::fromLocal8Bit(path.c_str()).endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        drawing.Render().save(&buffer, "PNG");
        bytes.assign(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
    } else {
        bytes = chip::ClockTreeSvg(drawing.Layout());
    }
    writeError_ = fileio::WriteFileSafely(path, bytes);
    return Exported(path);
}

bool CQ7R2xView::Exported(const std::string& path) {
    if (writeError_.empty()) {
        NoteFileUsed(path);
        SetStatus("Exported " + FileNameOf(path));
        return true;
    }
    TheUi().Error(kSaveError);
    return false;
}

void CQ7R2xView::SetStatus(const std::string& text) {
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame()) frame->SetStatusText(text);
}

void CQ7R2xView::CheckCodeFormat(int format) {
    CApplication* app = TheApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    if (!frame) return;
    frame->CheckMenuItem(viewcmd::CodeFormatC, format == 0);
    frame->CheckMenuItem(viewcmd::CodeFormatAsm, format == 1);
}

void CQ7R2xView::CheckClockTree(bool shown) {
    CApplication* app = TheApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    if (frame && frame->GetActiveView() == this)
        frame->CheckMenuItem(clocktree::ViewClockTree, shown);
}

bool CQ7R2xView::SetCodeFormat(int format) {
    if (format != 0 && format != 1) return false;
    CheckCodeFormat(format);
    CDeviceDocument* doc = GetDeviceDocument();
    if (!doc) return true;
    {
        DocumentStep step(*doc, "Code Format");
        step.Confirm();
        doc->DeviceData.CodeFormat = format;
    }
    UpdateCodeWindow();
    return true;
}

void CQ7R2xView::OnOptionsCodeformatC() {
    SetCodeFormat(0);
}
void CQ7R2xView::OnOptionsCodeformatAsm() {
    SetCodeFormat(1);
}

void CQ7R2xView::OnFileSaveSource() {
    CDeviceDocument* doc = GetDeviceDocument();
    FileDialogRequest request;
    if (doc && doc->DeviceData.CodeFormat == 1) {
        request.DefaultExtension = "asm";
        request.InitialName = "Untitled.asm";
        request.Filter = "ASM Files (*.asm)|*.asm|All Files (*.*)|*.*|";
        request.Title = "Save Source As";
    } else {
        request.DefaultExtension = "c";
        request.InitialName = "Untitled.c";
        request.Filter = "C Files (*.c)|*.c|All Files (*.*)|*.*|";
        request.Title = "Save Source As";
    }
    request.HideReadOnly = true;
    request.PromptOverwrite = true;
    request.Directory = DialogFolder(this);
    const auto name = TheUi().SaveFileName(request);
    if (!name) return;
    SaveSourceAs(*name);
}

bool CQ7R2xView::SaveSourceAs(const std::string& path) {
    writeError_ = fileio::WriteFileSafely(path, text_);
    if (writeError_.empty()) {
        NoteFileUsed(path);
        SetStatus("Source saved as " + FileNameOf(path));
        return true;
    }
    TheUi().Message(kSaveError, MsgButtons::Ok, MsgIcon::Question);
    return false;
}

void CQ7R2xView::OnFilePrint() {
    if (!TheUi().PrintDialog(PrintDialogKind::Print)) return;
    // The pages always go to the default printer, whatever the dialog chose.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        TheUi().Error("No printer is selected.\nPlease select a default printer.");
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Zorvant"));
    switch (PrintTextDocument(*edit_->document(), printer)) {
        case PrintOutcome::Printed:
            break;
        case PrintOutcome::JobFailed:
            TheUi().Error("Couldn't print document.");
            break;
        case PrintOutcome::PageFailed:
            TheUi().Error("Error starting new page!");
            break;
    }
}

void CQ7R2xView::OnFileExportPdf() {
    if (const auto name = AskExportName("Export PDF", "pdf", "Untitled.pdf",
                                        "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*|"))
        ExportPdf(*name);
}

bool CQ7R2xView::ExportPdf(const std::string& path) {
    // Rendered into memory first, so the file is written by the one safe path.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PrintOutcome outcome = PrintOutcome::JobFailed;
    {
        // The page set up in Print Setup, else the one a printer of the
        // default page size has.
        const QPrinter printer(QPrinter::HighResolution);
        const CApplication* app = TheApp();
        QPdfWriter writer(&buffer);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(app && app->PageSetup() ? *app->PageSetup() : printer.pageLayout());
        writer.setTitle(QStringLiteral("Zorvant"));
        writer.setCreator(QStringLiteral("Zorvant"));
        outcome = PrintTextDocument(*edit_->document(), writer);
    }  // the writer finishes the PDF when it goes
    const QByteArray& pdf = buffer.data();
    writeError_ = outcome == PrintOutcome::Printed
                      ? fileio::WriteFileSafely(
                            path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())))
                      : "cannot write " + path + ": the PDF could not be rendered";
    return Exported(path);
}

void CQ7R2xView::OnHelpHelp() {
    // The bare file name, found where the shell would look: the current directory.
    const QFileInfo help(QStringLiteral("ZorvantHelp.chm"));
    if (help.exists()) {
        HelpOpener()(QUrl::fromLocalFile(help.absoluteFilePath()));
        return;
    }
    // Without it, the user guide installed with the program.
    SetStatus(ShowUserGuide());
}

void CQ7R2xView::OnPeripheralsResetall() {
    CDeviceDocument* doc = GetDeviceDocument();
    if (!doc) return;
    {
        DocumentStep step(*doc, "Reset All");
        if (TheUi().Ask("Reset all peripheral data to default?")) {
            step.Confirm();
            doc->InitializePeripherals();
        }
    }
    UpdateCodeWindow();
}
