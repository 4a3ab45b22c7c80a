// Recovery copies of the open documents: written in the background whenever a
// snapshot is pushed (at most once every 10 s) and when a failure is handled,
// removed by a save, a close or a clean quit, and offered at the next start
// when the program did not end cleanly.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <string>

#include "core/document/model.h"
#include "core/services/recovery_store.h"

namespace tessaro {
struct TRecoveryCopy;
}

namespace tessaro::gui {

class Tmain;

class RecoveryCopies : public QObject {
  Q_OBJECT

 public:
  explicit RecoveryCopies(Tmain& window);
  ~RecoveryCopies() override;

  // A snapshot was pushed: a write pass is due within the interval.
  void DiagramChanged();
  // The current document was saved: what it holds now is its clean state.
  void DocumentSaved();
  // Writes every changed document now and waits until the files are on disk.
  void WriteNow();
  // A clean quit: this run's copies go.
  void RemoveAll();
  // Lists the copies a run that did not end cleanly left behind and offers
  // to open them as new documents. Returns how many were opened. A copy
  // whose diagram does not read is kept as ".bad" beside the others, with
  // one notice that says where; no empty document is left for it.
  int OfferLeftBehind();

  std::string Folder() const;
  // The shortest time between two write passes, in ms.
  static constexpr int kInterval = 10000;

 private:
  struct Entry {
    int serial = 0;
    TMemoryStream clean;  // the diagram as opened or last saved
    size_t written = 0;  // hash of the diagram in the copy, 0 for no copy
  };
  void Pass(bool wait);
  void Know();
  void KeepDamagedCopy(const TRecoveryCopy& copy);

  Tmain& window_;
  TRecoveryLock lock_;  // held while the program runs; names this run's copies
  QHash<void*, Entry> entries_;  // by the document's tree node
  int next_serial_ = 1;
  QTimer timer_;
  QElapsedTimer since_pass_;
  QThreadPool writer_;  // one thread, so the files are written in order
};

RecoveryCopies* RecoveryCopiesOf(Tmain& window);
// Creates the window's recovery copies; snapshots and saves drive them.
void InstallRecoveryCopies(Tmain& window);

}  // namespace tessaro::gui
