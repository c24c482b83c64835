#include "app/recovery/recovery_keeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/recovery/lock_file_claims.h"
#include "app/recovery/recovery_offer.h"
#include "app/recovery/recovery_schedule.h"
#include "app/recovery/serial_worker.h"
#include "app/state/app_state.h"
#include "app/units/table_snapshot.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using Clock = RecoverySchedule::Clock;

// A child of the application object, so that it ends with it when nobody ended it
// before (the tests, which never leave the message loop).
class RecoveryKeeper : public QObject {
public:
    explicit RecoveryKeeper(QObject* parent) : QObject(parent) {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { writeCopy(); });
        std::optional<fs::path> root = recoveryRoot();
        if (root) {
            root_ = *root;
            ownFolder_ = makeOwnFolder(*root, QCoreApplication::applicationPid(),
                                       QDateTime::currentMSecsSinceEpoch(), claims_);
        }
    }

    ~RecoveryKeeper() override {
        worker_.drain();
        if (ownFolder_) removeFolder(*ownFolder_, claims_);
    }

    bool offerLeftCopies() {
        if (!root_) return false;
        std::optional<LeftCopy> restored =
            app::offerLeftCopies(claimLeftCopies(*root_, ownFolder_.value_or(fs::path()), claims_), claims_);
        if (!restored) return false;
        // The copy becomes this editor's own at once: the restored work is never
        // without a copy, not even for the moment until the next one is written. The
        // removals that New asked for go first, or they would take the moved copy.
        worker_.drain();
        if (!ownFolder_ || !moveCopy(restored->folder, *ownFolder_)) noteChange();
        removeFolder(restored->folder, claims_);
        return true;
    }

    void noteChange() {
        schedule_.noteChange(Clock::now());
        planNextCopy();
    }

    void discard() {
        schedule_.noteSettled();
        timer_.stop();
        if (ownFolder_) worker_.post([folder = *ownFolder_] { removeCopy(folder); });
    }

private:
    void planNextCopy() {
        std::optional<Clock::time_point> due = schedule_.nextCopyAt();
        if (!due) {
            timer_.stop();
            return;
        }
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now());
        timer_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
    }

    void writeCopy() {
        const AppState& state = appState();
        TableSnapshot snapshot = state.modified != 0 && ownFolder_ ? TableSnapshot::ofMainTable() : TableSnapshot();
        if (!snapshot) {
            schedule_.noteSettled();
            return;
        }
        RecoveryDescription description{state.currentFilePath, state.documentName,
                                        localTimeText(std::chrono::system_clock::now())};
        schedule_.noteCopyStarted(Clock::now());
        worker_.post([this, snapshot = std::move(snapshot), description, folder = *ownFolder_]() mutable {
            // The description first: a copy is never without one.
            if (writeRecoveryDescription(folder / kDescriptionFileName, description)) {
                snapshot.saveTo(folder / kCopyFileName, kPrivateFile);
            }
            // The snapshot is let go on the interface thread. The table writes to a
            // row in place once nobody else holds it, and only a hand-over through
            // the event queue orders this thread's reading before that writing.
            QMetaObject::invokeMethod(
                this, [this, snapshot = std::move(snapshot)] { copyFinished(); }, Qt::QueuedConnection);
        });
    }

    void copyFinished() {
        schedule_.noteCopyFinished();
        planNextCopy();
    }

    LockFileClaims claims_;
    std::optional<fs::path> root_;
    std::optional<fs::path> ownFolder_;
    RecoverySchedule schedule_;
    QTimer timer_;
    SerialWorker worker_;
};

RecoveryKeeper* keeper = nullptr;

RecoveryKeeper& theKeeper() {
    if (!keeper) {
        keeper = new RecoveryKeeper(QCoreApplication::instance());
        QObject::connect(keeper, &QObject::destroyed, [] { keeper = nullptr; });
    }
    return *keeper;
}

}  // namespace

bool startRecovery() { return theKeeper().offerLeftCopies(); }

void noteUnsavedChange() { theKeeper().noteChange(); }

void discardRecoveryCopy() { theKeeper().discard(); }

void endRecovery() { delete keeper; }

}  // namespace app
