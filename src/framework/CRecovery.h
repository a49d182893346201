#pragma once
// Recovery copies: while a project is modified, a copy of it stays in the
// recovery folder, so that a crash or a killed program loses no change the
// user confirmed more than a second before.
//
// For each watched document that is modified the folder holds
//   NAME.zvp    the project as Save writes it, through the same safe write;
//   NAME.info   its own path, title and model (JSON), written after the copy;
//   NAME.lock   a lock file held by the process that keeps the copy.
// The copy is written kDelayMs after a change (changes in between wait for the
// same write) and removed once the document is saved, undone back to its
// saved state or closed. A copy whose lock nobody holds was left by a process
// that ended without closing its project; OfferEnded asks about those. The
// copies of a running program stay locked, so two instances never take each
// other's.

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CDocument;

class CRecovery : public QObject {
    Q_OBJECT
public:
    // What a copy left by an ended session holds.
    struct Copy {
        std::string project;  // the copy, a project file
        std::string path;     // the project's own file; empty for one never saved
        std::string title;    // its window's title ("board.zvp", "Q7R20 1")
        std::string model;    // "Q7R20" ...
    };
    // Opens a copy as a modified project with its own path and title;
    // returns the document, or nullptr when the copy cannot be read (the user
    // has been told why).
    using Opener = std::function<CDocument*(const Copy&)>;

    // How long after a change its copy is written.
    static constexpr int kDelayMs = 1000;

    explicit CRecovery(QString folder = DefaultFolder());
    // The program ends normally: its projects were saved or discarded, and
    // the copies still kept go.
    ~CRecovery() override;

    // <the application's data folder>/recovery.
    static QString DefaultFolder();
    const QString& Folder() const { return folder_; }

    // Keeps a copy of `doc` whenever it is modified, until it is destroyed;
    // one that is modified already is copied at once.
    void Watch(CDocument* doc);
    // Asks about each copy left by an ended session, "Recover unsaved changes
    // to FILE?" (its path, or the title of a project never saved), in the
    // order of those names: Recover opens it through `open` and watches the
    // project (whose new copy replaces the old one), Discard deletes it.
    // Returns how many projects were recovered.
    int OfferEnded(const Opener& open);

private:
    struct Kept;
    // Writes or removes the copy of `doc`, as its state asks.
    void Update(CDocument* doc);

    QString folder_;
    std::map<const CDocument*, std::unique_ptr<Kept>> kept_;
};
