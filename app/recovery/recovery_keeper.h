#pragma once

namespace app {

// The recovery copy of the document: while the document has unsaved changes, the
// table is written to this editor's recovery folder a moment after the person
// pauses (see RecoverySchedule), so a crash costs at most the last few seconds of
// work. The interface thread only takes a snapshot of the table; a worker thread
// writes it.

// Start-up: makes this editor's recovery folder and offers, one by one, the copies
// that editors no longer running left behind. True when one of them became the
// current document.
bool startRecovery();
// The table changed while the document has unsaved changes.
void noteUnsavedChange();
// The document has no unsaved changes any more (saved, or replaced by New or Open):
// its copy goes.
void discardRecoveryCopy();
// A normal end: once the writes under way are done, this editor's folder goes with
// everything in it. A crash never gets here, which is what leaves the copy behind.
void endRecovery();

}  // namespace app
