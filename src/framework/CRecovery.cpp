#include "framework/CRecovery.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <algorithm>
#include <set>
#include <vector>

#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/LocalText.h"
#include "model/FileIo.h"
#include "model/Ui.h"

namespace {

const QString kProject = QStringLiteral(".zvp");
const QString kInfo = QStringLiteral(".info");
const QString kLock = QStringLiteral(".lock");

// A lock that is stale only when the process that took it is gone, however
// old it is.
std::unique_ptr<QLockFile> TakeLock(const QString& base) {
    auto lock = std::make_unique<QLockFile>(base + kLock);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

// The three files of the copy `base` go; the lock last, so nobody else
// takes the copy meanwhile.
void RemoveCopy(const QString& base, QLockFile* lock) {
    QFile::remove(base + kInfo);
    QFile::remove(base + kProject);
    if (lock) lock->unlock();
}

}  // namespace

struct CRecovery::Kept {
    QTimer timer;
    QString base;  // the copy's files without their extensions, once it has some
    std::unique_ptr<QLockFile> lock;

    void Remove() {
        if (base.isEmpty()) return;
        RemoveCopy(base, lock.get());
        lock.reset();
        base.clear();
    }
};

CRecovery::CRecovery(QString folder) : folder_(std::move(folder)) {}

CRecovery::~CRecovery() {
    for (auto& [doc, kept] : kept_) kept->Remove();
}

QString CRecovery::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

void CRecovery::Watch(CDocument* doc) {
    if (!doc || kept_.count(doc)) return;
    auto kept = std::make_unique<Kept>();
    kept->timer.setSingleShot(true);
    kept->timer.setInterval(kDelayMs);
    connect(&kept->timer, &QTimer::timeout, this, [this, doc] { Update(doc); });
    // A change starts the wait unless one is running: a stream of changes
    // is still copied every kDelayMs.
    QTimer* timer = &kept->timer;
    connect(doc, &CDocument::changed, this, [timer] {
        if (!timer->isActive()) timer->start();
    });
    // Saved, or undone back to the saved state: nothing left to recover.
    connect(doc, &CDocument::modifiedChanged, this, [this, doc](bool modified) {
        if (!modified) Update(doc);
    });
    // Closed (only the address is left by now).
    connect(doc, &QObject::destroyed, this, [this, doc] {
        const auto it = kept_.find(doc);
        if (it == kept_.end()) return;
        it->second->Remove();
        kept_.erase(it);
    });
    kept_[doc] = std::move(kept);
    if (doc->IsModified()) Update(doc);
}

void CRecovery::Update(CDocument* doc) {
    Kept& kept = *kept_.at(doc);
    kept.timer.stop();
    if (!doc->IsModified()) {
        kept.Remove();
        return;
    }
    if (kept.base.isEmpty()) {
        if (!QDir().mkpath(folder_)) {
            qWarning("cannot keep recovery copies in %s", qPrintable(folder_));
            return;
        }
        const QString base =
            folder_ + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
        kept.lock = TakeLock(base);
        if (!kept.lock) {
            qWarning("cannot lock the recovery copy %s", qPrintable(base));
            return;
        }
        kept.base = base;
    }
    // The copy first, then what it belongs to: a copy without its .info is
    // one whose first write did not finish.
    std::string error = doc->WriteCopy(ToLocal(kept.base + kProject));
    if (error.empty()) {
        const CDocTemplate* docTemplate = doc->GetDocTemplate();
        const QJsonObject info{
            {QStringLiteral("path"), FromLocal(doc->GetPathName())},
            {QStringLiteral("title"), FromLocal(doc->GetTitle())},
            {QStringLiteral("model"),
             FromLocal(docTemplate ? docTemplate->FileNewName() : std::string())}};
        const QByteArray json = QJsonDocument(info).toJson();
        error = fileio::WriteFileSafely(
            ToLocal(kept.base + kInfo),
            std::string_view(json.constData(), static_cast<std::size_t>(json.size())));
    }
    if (!error.empty()) qWarning("recovery copy: %s", error.c_str());
}

int CRecovery::OfferEnded(const Opener& open) {
    // Every copy, whichever of its files is left.
    std::set<QString> bases;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList(QDir::Files))
        for (const QString& ext : {kProject, kInfo, kLock})
            if (name.endsWith(ext) && name.size() > ext.size())
                bases.insert(dir.filePath(name.chopped(ext.size())));
    for (const auto& [doc, kept] : kept_) bases.erase(kept->base);

    struct Offer {
        QString base;
        std::unique_ptr<QLockFile> lock;
        Copy copy;
        std::string shown;
    };
    std::vector<Offer> offers;
    for (const QString& base : bases) {
        // Held: its program is still running.
        std::unique_ptr<QLockFile> lock = TakeLock(base);
        if (!lock) continue;
        std::string text;
        QJsonObject info;
        if (QFile::exists(base + kProject) &&
            fileio::ReadFileBounded(ToLocal(base + kInfo), 64 * 1024, text).empty())
            info = QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
        if (info.isEmpty()) {
            // A write that never finished; nothing to offer.
            RemoveCopy(base, lock.get());
            continue;
        }
        Copy copy{ToLocal(base + kProject), ToLocal(info.value(QStringLiteral("path")).toString()),
                  ToLocal(info.value(QStringLiteral("title")).toString()),
                  ToLocal(info.value(QStringLiteral("model")).toString())};
        std::string shown = copy.path.empty() ? copy.title : copy.path;
        offers.push_back({base, std::move(lock), std::move(copy), std::move(shown)});
    }
    std::sort(offers.begin(), offers.end(),
              [](const Offer& a, const Offer& b) { return a.shown < b.shown; });

    int recovered = 0;
    for (Offer& offer : offers) {
        const MsgResult answer =
            TheUi().Message("Recover unsaved changes to " + offer.shown + "?",
                            MsgButtons::RecoverDiscard, MsgIcon::Question, "Zorvant");
        if (answer == MsgResult::Recover) {
            if (CDocument* doc = open(offer.copy)) {
                // Its own copy is written now, before the old one goes.
                Watch(doc);
                ++recovered;
            }
        }
        // Recovered, refused as unreadable (the user was told) or discarded.
        RemoveCopy(offer.base, offer.lock.get());
    }
    return recovered;
}
