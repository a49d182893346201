#include "framework/QtUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "framework/CApplication.h"
#include "framework/CMainFrame.h"
#include "framework/LocalText.h"

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

QWidget* DialogOwner() {
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame()) return frame->Window();
    return nullptr;
}

MsgResult QtUi::Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                        const std::string& caption) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
        case MsgIcon::Exclamation:
            qicon = QMessageBox::Warning;
            break;
        case MsgIcon::Question:
            qicon = QMessageBox::Question;
            break;
        case MsgIcon::Information:
            qicon = QMessageBox::Information;
            break;
        case MsgIcon::None:
            break;
    }
    QMessageBox::StandardButtons qbuttons = QMessageBox::Ok;
    if (buttons == MsgButtons::YesNo) qbuttons = QMessageBox::Yes | QMessageBox::No;
    if (buttons == MsgButtons::SaveDiscardCancel)
        qbuttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    QMessageBox box(qicon, FromLocal(caption), FromLocal(text), qbuttons, DialogOwner());
    // An empty caption stays empty rather than taking the application's name.
    box.setWindowTitle(FromLocal(caption));
    if (buttons == MsgButtons::SaveDiscardCancel) box.setDefaultButton(QMessageBox::Save);
    // Recover is the default; without an escape button the box cannot be
    // closed without an answer, and Escape never throws the copy away.
    QAbstractButton* recover = nullptr;
    if (buttons == MsgButtons::RecoverDiscard) {
        box.setStandardButtons(QMessageBox::Discard);
        recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
        box.setDefaultButton(qobject_cast<QPushButton*>(recover));
    }
    AddMnemonics(box);
    const int chosen = box.exec();
    if (buttons == MsgButtons::RecoverDiscard)
        return box.clickedButton() == box.button(QMessageBox::Discard) ? MsgResult::Discard
                                                                        : MsgResult::Recover;
    if (buttons == MsgButtons::SaveDiscardCancel) {
        if (chosen == QMessageBox::Save) return MsgResult::Save;
        if (chosen == QMessageBox::Discard) return MsgResult::Discard;
        return MsgResult::Cancel;
    }
    if (buttons == MsgButtons::YesNo)
        return chosen == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
    return MsgResult::Ok;
}

void AddMnemonics(QMessageBox& box) {
    const QList<QAbstractButton*> buttons = box.buttons();
    QString used;
    auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
    };
    for (const QAbstractButton* b : buttons)
        if (const QChar m = mnemonic(b->text()); !m.isNull()) used += m;
    for (QAbstractButton* b : buttons) {
        QString text = b->text();
        if (!mnemonic(text).isNull()) continue;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!text[i].isLetterOrNumber() || used.contains(text[i].toLower())) continue;
            used += text[i].toLower();
            text.insert(i, QLatin1Char('&'));
            b->setText(text);
            break;
        }
    }
}

QStringList ConvertFilter(const std::string& filter) {
    QStringList parts = FromLocal(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        if (description.isEmpty()) break;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << (p.trimmed() == "*.*" ? QStringLiteral("*") : p.trimmed());
        const QString qtPatterns = patterns.join(' ');
        if (description.endsWith("(" + qtPatterns + ")"))
            out << description;
        else
            out << description + " (" + qtPatterns + ")";
    }
    return out;
}

namespace {

// A file dialog that refuses a path the request names a reason against,
// before it asks whether to replace the file, and stays open for another choice.
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(QWidget* owner, const FileDialogRequest& request)
        : QFileDialog(owner), refuse_(request.Refuse) {
        // Only this program's own dialog lets the path be looked at first.
        if (refuse_) setOption(QFileDialog::DontUseNativeDialog);
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (refuse_ && !files.isEmpty()) {
            const std::string why = refuse_(ToLocal(files.first()));
            if (!why.empty()) {
                TheUi().Error(why);
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    std::function<std::string(const std::string&)> refuse_;
};

}  // namespace

std::optional<std::string> QtUi::FileDialog(const FileDialogRequest& request, bool save) {
    CheckedFileDialog dialog(DialogOwner(), request);
    if (!request.Directory.empty())
        dialog.setDirectory(FromLocal(request.Directory));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!request.Title.empty()) dialog.setWindowTitle(FromLocal(request.Title));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = ConvertFilter(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The descriptions are shown as written; the appended patterns stay hidden.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
    }
    if (!request.DefaultExtension.empty())
        dialog.setDefaultSuffix(FromLocal(request.DefaultExtension));
    if (!request.InitialName.empty())
        dialog.selectFile(FromLocal(request.InitialName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.PromptOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToLocal(dialog.selectedFiles().first());
}

std::optional<std::string> QtUi::SaveFileName(const FileDialogRequest& request) {
    return FileDialog(request, true);
}

std::optional<std::string> QtUi::OpenFileName(const FileDialogRequest& request) {
    return FileDialog(request, false);
}

bool QtUi::RunModal(ModalDialog& dialog) {
    return dialog.ExecModal();
}

bool QtUi::PrintDialog(PrintDialogKind kind) {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    if (kind == PrintDialogKind::PageSetup) {
        QPageSetupDialog dialog(printer_.get(), DialogOwner());
        if (dialog.exec() != QDialog::Accepted) return false;
        // Export PDF lays its pages out as set up here.
        if (CApplication* app = TheApp()) app->SetPageSetup(printer_->pageLayout());
        return true;
    }
    QPrintDialog dialog(printer_.get(), DialogOwner());
    return dialog.exec() == QDialog::Accepted;
}
