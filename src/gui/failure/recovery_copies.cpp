#include "gui/failure/recovery_copies.h"

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <system_error>
#include <string_view>

#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/snapshots.h"
#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "core/services/recovery_store.h"
#include "gui/shell/main_window.h"
#include "gui/shell/open_files_tree.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

size_t Hash(const TMemoryStream& bytes) {
  const size_t h = std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return h == 0 ? 1 : h;  // 0 stands for "no copy"
}

}  // namespace

RecoveryCopies::RecoveryCopies(Tmain& window)
    : QObject(&window), window_(window), lock_(RecoveryFolder(UserDataDir()), static_cast<int>(::getpid())) {
  setObjectName(QStringLiteral("RecoveryCopies"));
  writer_.setMaxThreadCount(1);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Pass(false); });
}

// The window goes away only on a clean end (a crash or a kill never gets
// here), so this run's copies go with it.
RecoveryCopies::~RecoveryCopies() {
  writer_.waitForDone();
  RemoveRecoveryCopies(Folder(), lock_.Writer());
}

std::string RecoveryCopies::Folder() const { return RecoveryFolder(UserDataDir()); }

// Every open document gets an entry the first time it is seen; its oldest
// snapshot is the diagram as it was opened.
void RecoveryCopies::Know() {
  for (const TOtwartePliki& document : window_.State().OtwartePliki) {
    if (entries_.contains(document.WezelDrzewa)) continue;
    Entry entry;
    entry.serial = next_serial_++;
    if (!document.Cofnij.empty()) entry.clean = document.Cofnij.back();
    entries_.insert(document.WezelDrzewa, entry);
  }
}

void RecoveryCopies::DiagramChanged() {
  Know();
  if (timer_.isActive()) return;
  const qint64 waited = since_pass_.isValid() ? since_pass_.elapsed() : kInterval;
  timer_.start(static_cast<int>(std::max<qint64>(0, kInterval - waited)));
}

void RecoveryCopies::DocumentSaved() {
  TDocumentState& state = window_.State();
  TOtwartePliki* document = state.CurrentDocument();
  if (!document) return;
  Know();
  TMemoryStream bytes;
  if (!ZapiszSchemat(state.Bloki, bytes)) return;
  entries_[document->WezelDrzewa].clean = std::move(bytes);
  DiagramChanged();
}

void RecoveryCopies::WriteNow() {
  Know();
  timer_.stop();
  Pass(true);
}

// The diagram of each document is taken on this thread (the current one from
// Bloki, the others from their newest snapshot); only the file work runs on
// the writer thread, so an edit never waits for the disk.
void RecoveryCopies::Pass(bool wait) {
  since_pass_.start();
  TDocumentState& state = window_.State();
  const std::string folder = Folder();
  const int process = lock_.Writer();
  QHash<void*, Entry> seen;
  for (size_t i = 0; i < state.OtwartePliki.size(); ++i) {
    const TOtwartePliki& document = state.OtwartePliki[i];
    auto it = entries_.find(document.WezelDrzewa);
    if (it == entries_.end()) continue;
    Entry entry = std::move(*it);
    TMemoryStream bytes;
    const bool current = static_cast<int32_t>(i) + 1 == state.AktualnyPlik;
    if (current) {
      if (!ZapiszSchemat(state.Bloki, bytes)) continue;
    } else if (!document.Cofnij.empty()) {
      bytes = document.Cofnij.front();
    }
    const size_t hash = Hash(bytes);
    // Sizes refitted by the renderer are not work.
    if (bytes == entry.clean || (!bytes.empty() && !entry.clean.empty() && SameWork(bytes, entry.clean))) {
      if (entry.written != 0)
        writer_.start([folder, process, serial = entry.serial] { RemoveRecoveryCopy(folder, process, serial); });
      entry.written = 0;
    } else if (hash != entry.written) {
      writer_.start([folder, process, serial = entry.serial, nazwa = document.Nazwa, sciezka = document.Sciezka,
                     bytes = std::move(bytes)] {
        WriteRecoveryCopy(folder, process, serial, nazwa, sciezka, bytes);
      });
      entry.written = hash;
    }
    seen.insert(document.WezelDrzewa, std::move(entry));
  }
  // Closed documents take their copies with them.
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (!seen.contains(it.key()) && it->written != 0)
      writer_.start([folder, process, serial = it->serial] { RemoveRecoveryCopy(folder, process, serial); });
  entries_ = seen;
  if (wait) writer_.waitForDone();
}

void RecoveryCopies::RemoveAll() {
  timer_.stop();
  writer_.waitForDone();
  RemoveRecoveryCopies(Folder(), lock_.Writer());
  for (Entry& entry : entries_) entry.written = 0;
}

void RecoveryCopies::KeepDamagedCopy(const TRecoveryCopy& copy) {
  const std::string kept = copy.File + ".bad";
  std::error_code ec;
  std::filesystem::rename(copy.File, kept, ec);
  Komunikat(LangText("msgrec00001"),
            FormatText(LangText("msgrec00005"), {copy.Nazwa, ToCore(FromPath(ec ? copy.File : kept))}));
}

int RecoveryCopies::OfferLeftBehind() {
  const std::string folder = Folder();
  const auto copies = LeftBehindCopies(folder);
  if (copies.empty()) return 0;
  std::string names;
  for (const TRecoveryCopy& copy : copies) names += "\r" + copy.Nazwa;
  const Answer answer = PytanieTakNie(LangText("msgrec00001"), LangText("msgrec00002") + names + "\r\r" + LangText("msgrec00004"));
  int opened = 0;
  if (answer == Answer::Yes) {
    for (const TRecoveryCopy& copy : copies) {
      // A copy whose diagram does not read opens nothing; it is kept aside
      // for the user, who is told where.
      if (!ReadAlgorithm(copy.Diagram, window_.State().DefaultStyle()).ok) {
        KeepDamagedCopy(copy);
        continue;
      }
      window_.NowyDokument();
      TDocumentState& state = window_.State();
      TOtwartePliki* document = state.CurrentDocument();
      if (!document) continue;
      if (!WczytajSchemat(state, copy.Diagram)) {
        window_.ZamknijDokument();
        KeepDamagedCopy(copy);
        continue;
      }
      // A recovered document is new work: it keeps its name for the user to
      // recognise and has to be saved under a name of the user's choice.
      document->Nazwa = copy.Nazwa + " " + LangText("msgrec00003");
      OpenFilesTree::SetNode(static_cast<QTreeWidgetItem*>(document->WezelDrzewa), FromCore(document->Nazwa),
                             OpenFilesTree::kNeverSaved);
      state.WyznaczObszar();
      state.Zmiana = true;
      state.Repaint();
      ++opened;
    }
    window_.UpdateDocumentCommands();
    DiagramChanged();
  }
  RemoveLeftBehindCopies(folder);
  return opened;
}

RecoveryCopies* RecoveryCopiesOf(Tmain& window) { return window.Part<RecoveryCopies>(); }

void InstallRecoveryCopies(Tmain& window) {
  auto* copies = new RecoveryCopies(window);
  window.AddPart(copies);
  // Every real change of the diagram ends in a snapshot, or, for text typed
  // into a block, is announced by the window; the pass reads the diagram itself.
  QObject::connect(&window, &Tmain::diagramEdited, copies, &RecoveryCopies::DiagramChanged);
  QObject::connect(&window, &Tmain::documentChanged, copies, &RecoveryCopies::DiagramChanged);
  QObject::connect(&window, &Tmain::documentSaved, copies, &RecoveryCopies::DocumentSaved);
}

}  // namespace tessaro::gui
