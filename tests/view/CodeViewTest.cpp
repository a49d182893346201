// The code window on real generated files, with a scripted UI service and a
// stand-in main frame.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include <memory>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "framework/CApplication.h"
#include "framework/CCommandRegistry.h"
#include "framework/CMainFrame.h"
#include "framework/CommandIds.h"
#include "support/ScopedUi.h"
#include "plugin/CProjectDocument.h"
#include "plugin/PeripheralTable.h"
#include "plugin/Peripherals.h"
#include "view/CQ7R2xView.h"
#include "view/TextPrinter.h"
#include "view/ViewCommands.h"

namespace {

class FakeFrame : public CMainFrame {
public:
    CView* active = nullptr;
    CView* GetActiveView() const override { return active; }
    void CheckMenuItem(int, bool) override {}
    bool IsMenuItemChecked(int) const override { return false; }
    QWidget* Window() override { return nullptr; }
};

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CodeView : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetMainFrame(&frame);
        RegisterViewCommands(app.Commands());
        plugin::RegisterPeripheralCommands(app.Commands());
        doc = std::make_unique<CProjectDocument>(CreateModelDocument(0));
        ASSERT_TRUE(doc->OnNewDocument());
        view.SetDocument(doc.get());
        frame.active = &view;
        view.OnInitialUpdate();
    }
    void TearDown() override { frame.active = nullptr; }

    CDeviceDocument& Dev() { return *doc->DeviceDocument(); }
    // Chooses the command as its menu item does; false when it did not run.
    bool Run(int id) { return app.Commands().Run(id); }

    // The character format the widget shows for the byte at `bytePos` of the
    // generated text (a CR LF pair is one position in the widget).
    QTextCharFormat FormatAt(std::size_t bytePos) {
        const std::string& text = view.Text();
        int pos = 0;
        for (std::size_t i = 0; i < bytePos; ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) ++pos;
        QTextCursor cursor(view.Editor()->document());
        cursor.setPosition(pos + 1);
        return cursor.charFormat();
    }
    QColor ColourAt(std::size_t bytePos) { return FormatAt(bytePos).foreground().color(); }
    std::size_t Find(const std::string& what) {
        const std::size_t at = view.Text().find(what);
        EXPECT_NE(at, std::string::npos) << what;
        return at == std::string::npos ? 0 : at;
    }

    ScopedScriptUi ui;
    CApplication app;
    FakeFrame frame;
    std::unique_ptr<CProjectDocument> doc;
    CQ7R2xView view;
};

const QColor kBlack(0, 0, 0), kGreen(0, 170, 0), kBlue(55, 0, 200);

TEST_F(CodeView, ShowsTheGeneratedTextWithCrLfAsLineBreaks) {
    EXPECT_EQ(view.Text(), Dev().GenerateSource());
    QString expected = QString::fromLatin1(view.Text().c_str());
    expected.replace("\r\n", "\n");
    EXPECT_EQ(view.Editor()->toPlainText(), expected);
    EXPECT_TRUE(view.Editor()->isReadOnly());
    EXPECT_EQ(view.Editor()->textCursor().position(), 0);
    EXPECT_FALSE(view.Editor()->textCursor().hasSelection());
}

TEST_F(CodeView, ColoursTheEmptyConfigurationInC) {
    // Comment lines, the header name's string and plain code, line by line
    // down the file, so the position mapping is checked past many CR LFs.
    EXPECT_EQ(ColourAt(0), kGreen);
    EXPECT_EQ(ColourAt(Find("Generated Initialization File")), kGreen);
    const std::size_t include = Find("#include \"Q7R20.h\"");
    EXPECT_EQ(ColourAt(include), kBlack);
    EXPECT_EQ(ColourAt(include + 9), kBlue);   // opening quote
    EXPECT_EQ(ColourAt(include + 17), kBlue);  // closing quote
    EXPECT_EQ(ColourAt(Find("void Init_Device")), kBlack);
    const std::size_t last = Find("// choose a peripheral to configure.");
    EXPECT_EQ(ColourAt(last), kGreen);
    EXPECT_EQ(ColourAt(last + 35), kGreen);
    // Quotes inside a comment do not open a literal.
    EXPECT_EQ(ColourAt(Find("\"Peripherals\"")), kGreen);

    const QTextCharFormat base = FormatAt(Find("void"));
    EXPECT_EQ(base.fontFamilies().toStringList().value(0, base.font().family()), "Courier New");
    EXPECT_EQ(base.font().pointSize(), 10);
    EXPECT_TRUE(base.fontFixedPitch());
    EXPECT_FALSE(base.font().bold());
    EXPECT_FALSE(base.font().italic());
    EXPECT_FALSE(base.font().underline());
    EXPECT_FALSE(base.font().strikeOut());
    // The comment format changes only the colour.
    const QTextCharFormat comment = FormatAt(0);
    EXPECT_EQ(comment.font().pointSize(), 10);
    EXPECT_TRUE(comment.fontFixedPitch());
}

// Assembly text is scanned by the assembly rules (the rules themselves: ColorizeTest).
TEST_F(CodeView, ColoursAssemblyByItsOwnRules) {
    view.OnOptionsCodeformatAsm();
    EXPECT_EQ(ColourAt(Find("; choose")), kGreen);
    EXPECT_EQ(ColourAt(Find("$include (Q7R20.inc)")), kBlack);
}

// Code Format switching the text and the check marks:
// Desktop.CodeFormatChecksFollowTheActiveProject and the scripts' byte-exact sources.

TEST_F(CodeView, SaveSourceWritesTheKeptBytesThroughTheDialog) {
    QTemporaryDir dir;
    Run(viewcmd::CodeFormatAsm);
    const QString path = dir.filePath("init.asm");
    ui.SaveNames.push_back(path.toStdString());
    Run(viewcmd::SaveSource);
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_EQ(ui.FileRequests[0].DefaultExtension, "asm");
    EXPECT_EQ(ui.FileRequests[0].InitialName, "Untitled.asm");
    EXPECT_EQ(ui.FileRequests[0].Filter, "ASM Files (*.asm)|*.asm|All Files (*.*)|*.*|");
    EXPECT_TRUE(ui.FileRequests[0].PromptOverwrite);
    EXPECT_EQ(ReadFile(path).toStdString(), Dev().GenerateSource());

    // The kept text is written, not a fresh generation.
    Run(viewcmd::CodeFormatC);
    Dev().DeviceData.CodeFormat = 1;
    ui.SaveNames.push_back(dir.filePath("init.c").toStdString());
    view.OnFileSaveSource();
    EXPECT_EQ(ui.FileRequests.back().InitialName, "Untitled.asm");
    Dev().DeviceData.CodeFormat = 0;
    EXPECT_EQ(ReadFile(dir.filePath("init.c")).toStdString(), Dev().GenerateSource());

    // Cancel writes nothing and says nothing.
    view.OnFileSaveSource();
    EXPECT_EQ(ui.FileRequests.back().Filter, "C Files (*.c)|*.c|All Files (*.*)|*.*|");
    EXPECT_TRUE(ui.Shown.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(CodeView, SaveSourceToAnUnwritablePathAsksNothingAndWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/sub/init.c");
    EXPECT_FALSE(view.SaveSourceAs(path.toStdString()));
    // The message's text: Desktop.AFullDiskFailsEverySaveAndKeepsFilesAndPath.
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Question);
    EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::Ok);
    EXPECT_TRUE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(CodeView, ResetAllAsksAndRegeneratesEitherWay) {
    Run(viewcmd::CodeFormatAsm);
    const std::string before = view.Text();
    Dev().SysclkFrequency = 12345;
    // A register away from its reset value gives the project a routine.
    auto& entry = Dev().DeviceData.Peripherals.at(11).Registers.at(VoltageRegulatorReg::REG0CN);
    entry.Value = static_cast<std::uint8_t>(entry.ResetValue ^ 0x80);
    const auto edited = Dev().DeviceData.Peripherals;
    const std::string editedText = Dev().GenerateSource();
    ASSERT_NE(editedText, before);

    // The question and Yes giving the empty configuration: prefetch.zvs.
    ui.Answers.push_back(MsgResult::No);
    Run(viewcmd::ResetAll);
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(Dev().SysclkFrequency, 12345u);
    EXPECT_EQ(Dev().DeviceData.Peripherals, edited);
    EXPECT_EQ(view.Text(), editedText);  // regenerated although nothing changed

    ui.Answers.push_back(MsgResult::Yes);
    Run(viewcmd::ResetAll);
    EXPECT_EQ(Dev().SysclkFrequency, 1500000u);
    EXPECT_EQ(Dev().DeviceData.Peripherals.size(), 16u);
    EXPECT_EQ(Dev().DeviceData.CodeFormat, 1);
    EXPECT_EQ(view.Text(), before);
}

TEST_F(CodeView, PeripheralCommandsRegenerateWhateverTheSheetDoes) {
    int commands = 0;
    for (const auto& [id, command] : app.Commands().Commands()) {
        if (!plugin::IsPeripheralCommand(id)) continue;
        ++commands;
        // The document changes behind the view's back; the command, ended
        // with Cancel, still brings the window up to date.
        Dev().DeviceData.CodeFormat = 1 - Dev().DeviceData.CodeFormat;
        int sheets = 0;
        ui.Modals.push_back([&](ModalDialog& d) {
            ++sheets;
            d.Finish(false);
        });
        EXPECT_TRUE(Run(id)) << command.Caption;
        EXPECT_EQ(sheets, 1) << command.Caption;
        EXPECT_EQ(view.Text(), Dev().GenerateSource()) << command.Caption;
    }
    EXPECT_EQ(commands, static_cast<int>(plugin::PeripheralTable().size()));
    ui.Modals.clear();
}

TEST_F(CodeView, CommandsWithoutAnActiveViewDoNothing) {
    frame.active = nullptr;
    EXPECT_EQ(view.GetDeviceDocument(), nullptr);
    const std::string before = view.Text();
    EXPECT_FALSE(Run(viewcmd::CodeFormatAsm));
    EXPECT_FALSE(Run(viewcmd::ResetAll));
    EXPECT_FALSE(Run(43002));  // Port I/O
    view.OnOptionsCodeformatAsm();
    view.OnPeripheralsResetall();
    EXPECT_EQ(Dev().DeviceData.CodeFormat, 0);
    EXPECT_EQ(view.Text(), before);
    EXPECT_TRUE(ui.Shown.empty());
}

TEST_F(CodeView, PrintGoesToTheDefaultPrinterOnly) {
    // A cancelled print dialog ends printing quietly.
    ui.PrintAnswers.push_back(false);
    Run(fwcmd::FilePrint);
    ASSERT_EQ(ui.PrintRequests.size(), 1u);
    EXPECT_EQ(ui.PrintRequests[0], PrintDialogKind::Print);
    EXPECT_TRUE(ui.Shown.empty());

    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    view.OnFilePrint();
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "No printer is selected.\nPlease select a default printer.");
    EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::Ok);
}

// The size of the PDF's first page and where its drawing starts: the
// corner of the printable area, from the first content stream's "cm", in
// points from the bottom left.
struct PdfPage {
    QSizeF size;
    QPointF origin;
};
PdfPage FirstPage(const QByteArray& pdf) {
    PdfPage page;
    const QRegularExpression box(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])");
    if (const auto m = box.match(QString::fromLatin1(pdf)); m.hasMatch())
        page.size = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    const QRegularExpression cm(R"(([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) cm)");
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        // zlib data, to which qUncompress wants the expected size in front.
        QByteArray data = QByteArray::fromHex("00100000") + pdf.mid(start, end - start);
        const auto m = cm.match(QString::fromLatin1(qUncompress(data)));
        if (!m.hasMatch()) continue;
        page.origin = QPointF(m.captured(5).toDouble(), m.captured(6).toDouble());
        break;
    }
    return page;
}

// Export PDF lays the text out on the page set up in Print Setup: A5 with
// 20 mm margins puts the text 20 mm from the page's left and top edges.
TEST_F(CodeView, ExportPdfUsesThePageSetUpInPrintSetup) {
    app.SetPageSetup(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                 QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    QTemporaryDir dir;
    ASSERT_TRUE(view.ExportPdf(dir.filePath("code.pdf").toStdString()));
    const PdfPage page = FirstPage(ReadFile(dir.filePath("code.pdf")));
    EXPECT_NEAR(page.size.width(), 420, 1);  // A5 in points
    EXPECT_NEAR(page.size.height(), 595, 1);
    const double margin = 20 / 25.4 * 72;
    EXPECT_NEAR(page.origin.x(), margin, 1);
    EXPECT_NEAR(page.size.height() - page.origin.y(), margin, 1);
}

TEST_F(CodeView, ExportPdfWritesAPdfOrReportsTheFailure) {
    QTemporaryDir dir;
    ui.SaveNames.push_back(dir.filePath("code.pdf").toStdString());
    Run(viewcmd::ExportPdf);
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_EQ(ui.FileRequests[0].DefaultExtension, "pdf");
    EXPECT_TRUE(ReadFile(dir.filePath("code.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(ui.Shown.empty());
    EXPECT_FALSE(view.ExportPdf(dir.filePath("no/such/dir/code.pdf").toStdString()));
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Exclamation);
}

TEST_F(CodeView, HelpOpensTheHelpFileWhenItExistsElseTheUserGuide) {
    std::vector<QUrl> opened;
    auto saved = CQ7R2xView::HelpOpener();
    CQ7R2xView::HelpOpener() = [&](const QUrl& url) {
        opened.push_back(url);
        return false;
    };
    QTemporaryDir dir;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // Without the help file: the user guide (which F1 opens too: DesktopTest).
    Run(viewcmd::Help);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("/share/doc/zorvant/guide/index.html"));
    opened.clear();
    QFile help(dir.filePath("ZorvantHelp.chm"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    Run(viewcmd::Help);
    QDir::setCurrent(cwd);
    CQ7R2xView::HelpOpener() = saved;
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("/ZorvantHelp.chm"));
    EXPECT_TRUE(ui.Shown.empty());  // silent, also when the shell cannot open it
}

// The page loop: several pages for a long text, none of them blank.
TEST(TextPrinter, LaysALongTextOnSeveralPages) {
    QTemporaryDir dir;
    QTextDocument document;
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("// line %1\n").arg(i);
    document.setPlainText(text);
    document.setDefaultFont(CQ7R2xView::BaseFormat().font());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("long.pdf"));
    int pages = 0;
    EXPECT_EQ(PrintTextDocument(document, printer, &pages), PrintOutcome::Printed);
    EXPECT_GT(pages, 3);
    EXPECT_LT(pages, 20);
    const QByteArray pdf = ReadFile(dir.filePath("long.pdf"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              pages);
    // The original is not paginated by printing.
    EXPECT_EQ(document.pageSize().width(), -1);
}

}  // namespace
