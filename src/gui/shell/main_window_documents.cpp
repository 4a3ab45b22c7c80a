// The life of open documents: new, open, save, close and switch, the
// open-files tree, the caption and the commands that need a document.
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <optional>
#include <utility>
#include <vector>

#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/snapshots.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "gui/shell/document_names.h"
#include "gui/shell/main_window.h"
#include "gui/shell/open_files_tree.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

constexpr const char* kProductName = "Tessaro";

bool HasUnsavedWork(const TOtwartePliki& document);

// The Yes/No/Cancel confirmation, asked only while the current document
// differs from its file.
Answer AskToSave(bool modified, const char* text_id, const char* then_id) {
  if (!modified) return Answer::No;
  return CurrentDialogs().PytanieTakNieAnuluj(LangText("msgm00023"),
                                              LangText(text_id) + "\r" + LangText(then_id));
}

// Says why `path` could not be written and asks whether to save under another name.
bool OfferSaveAs(const std::string& path, const std::string& failure) {
  return PytanieTakNie(LangText("msgm00010"), FormatText(LangText("msgm00095"), {Utf8ToCp1250(path), failure}) +
                                                  "\r" + LangText("msgm00096")) == Answer::Yes;
}

QStringList ChooseOpenFiles(QWidget* parent, const QString& folder) {
  return QFileDialog::getOpenFileNames(
      parent, QString(), folder,
      QStringLiteral("Pliki z algorytmem (*.alg);;Wszystkie pliki (*)"));
}

QString ChooseSaveFile(QWidget* parent) {
  // The dialog asks before overwriting an existing file.
  return QFileDialog::getSaveFileName(parent, QString(), QString(),
                                      QStringLiteral("Pliki z algorytmem (*.alg)"));
}

}  // namespace

bool Tmain::DocumentModified() {
  const TOtwartePliki* document = state_.CurrentDocument();
  return document && !SameWork(state_.Bloki, document->Zapisany);
}

void Tmain::UpdateCaption() {
  const TOtwartePliki* document = state_.CurrentDocument();
  QString caption = QString::fromLatin1(kProductName);
  if (document) {
    caption += QStringLiteral(" - ");
    if (DocumentModified()) caption += QLatin1Char('*');
    caption += FromCore(document->Nazwa);
  }
  setWindowTitle(caption);
}

void Tmain::ScheduleCaptionUpdate() {
  if (!caption_timer_.isActive()) caption_timer_.start();
}

void Tmain::RememberSavedDiagram() {
  TOtwartePliki* document = state_.CurrentDocument();
  if (!document) return;
  document->Zapisany = state_.Bloki;
  UpdateCaption();
}

void Tmain::UpdateDocumentCommands() {
  if (!choosers_.open) choosers_.open = ChooseOpenFiles;
  if (!choosers_.save) choosers_.save = ChooseSaveFile;
  const bool document = state_.CurrentDocument() != nullptr;
  UpdateCaption();
  paint_box_->setVisible(document);
  UpdateCommandStates();
}

int Tmain::DocumentOfNode(QTreeWidgetItem* node) const {
  for (size_t i = 0; i < state_.OtwartePliki.size(); ++i)
    if (node && state_.OtwartePliki[i].WezelDrzewa == node) return static_cast<int>(i) + 1;
  return 0;
}

// Makes `node` the tree's current node without the switch its signal causes.
void Tmain::SelectNode(QTreeWidgetItem* node) {
  switching_ = true;
  tree_->setCurrentItem(node);
  switching_ = false;
}

void Tmain::StoreViewState() {
  TOtwartePliki* document = state_.CurrentDocument();
  if (!document) return;
  document->PoczatekX = view_.PoczatekX;
  document->PoczatekY = view_.PoczatekY;
  document->Skala = view_.Skala;
  document->SkalaIndeks = view_.SkalaIndeks;
}

void Tmain::ResetDiagram() {
  state_.Bloki.clear();
  state_.Wybrany = -1;
  state_.GrupaAktywna = false;
  view_ = ViewState{};
  zoom_->setCurrentIndex(view_.SkalaIndeks);
  state_.Repaint();
}

// Edits that push no snapshot of their own (text typed in the block editor,
// style changes) would be lost when the diagram is re-read from Cofnij[0],
// so the current diagram becomes the newest snapshot whenever it differs.
void Tmain::PushSnapshotIfChanged() { state_.ZapiszStan(); }

void Tmain::LoadSnapshot(TOtwartePliki& document) {
  if (document.Cofnij.empty()) {
    state_.Bloki.clear();
    return;
  }
  const TMemoryStream snapshot = document.Cofnij.front();  // the reader may notify and re-enter
  WczytajSchemat(state_, snapshot);
}

void Tmain::NowyDokument() {
  AbandonInput();
  // The current document keeps its view and its latest edits.
  if (state_.CurrentDocument()) {
    StoreViewState();
    // The block editor lets go of its block first: its typing belongs to
    // this document, not to the empty diagram that replaces it.
    CloseBlockEditor();
    PushSnapshotIfChanged();
    emit currentDocumentLeaving();
  }
  ResetDiagram();

  TOtwartePliki record;
  record.Nazwa = NewDocumentName(LangText("msgm00047"), state_.OtwartePliki);
  state_.OtwartePliki.push_back(std::move(record));
  state_.AktualnyPlik = static_cast<int32_t>(state_.OtwartePliki.size());
  TOtwartePliki& document = state_.OtwartePliki.back();
  state_.BreakpointsChanged();
  PushSnapshotIfChanged();  // Cofnij[0] holds the empty diagram
  state_.Zmiana = false;   // a new document holds no work yet
  UpdateCaption();

  QTreeWidgetItem* node = tree_->AddDocument(FromCore(document.Nazwa), OpenFilesTree::kNeverSaved);
  document.WezelDrzewa = node;
  tree_->setCurrentItem(node);  // switches to the same document

  UpdateDocumentCommands();
  tree_->expandAll();
  focus_button_->setFocus();
  // The analysis panel the last close put away comes back with a document.
  if (QDockWidget* analysis = Panel("dpNarzedzia"); analysis && std::exchange(analysis_hidden_by_close_, false))
    analysis->show();
  if (QDockWidget* navigator = Panel("dpNavigator")) navigator->widget()->update();
}

bool Tmain::OtworzDokument(const std::string& path) {
  if (!SprawdzFormat(path)) {
    Komunikat(LangText("msgm00009"), LangText("msgm00071") + "\r" + LangText("msgm00053"));
    return false;
  }
  recent_.Add(path);
  RebuildRecentMenu();
  NowyDokument();
  TOtwartePliki* document = state_.CurrentDocument();
  document->Nazwa = NazwaWyswietlana(path);
  document->Sciezka = path;
  document->PunktyPrzerwania.clear();
  OpenFilesTree::SetNode(static_cast<QTreeWidgetItem*>(document->WezelDrzewa),
                         FromCore(document->Nazwa), OpenFilesTree::kFromFile);
  state_.BreakpointsChanged();
  UpdateCaption();

  if (!WczytajPlik(path)) {
    // A file that passed the probe but does not read leaves no document
    // behind: saving that empty document would overwrite the file.
    ZamknijDokument();
    return false;
  }
  document = state_.CurrentDocument();
  state_.ZwolnijStos();
  PushSnapshotIfChanged();
  RememberSavedDiagram();
  UpdateDocumentCommands();
  return true;
}

bool Tmain::WczytajPlik(const std::string& path) {
  ResetDiagram();
  TMemoryStream bytes;
  bool loaded = ReadAlgorithmFile(path, bytes);
  if (loaded)
    loaded = WczytajSchemat(state_, bytes);  // a damaged stream is reported by the reader
  else if (AlgorithmFileTooLarge(path))
    Komunikat(LangText("msgm00009"), AlgorithmFileTooLargeText(ToCore(FromPath(path))));
  else
    Komunikat(LangText("msgm00009"), LangText("msgm00071") + "\r" + LangText("msgm00053"));
  for (Tobj& element : state_.Bloki) element.Zaznaczony = 0;
  state_.WyznaczObszar();
  view_.PoczatekX = 10 - state_.ObszarSchematu.MinX;
  view_.PoczatekY = 10 - state_.ObszarSchematu.MinY;
  state_.Wybrany = -1;
  state_.GrupaAktywna = false;
  state_.Zmiana = false;
  state_.Repaint();
  return loaded;
}

bool Tmain::ZapiszDokument() {
  TOtwartePliki* document = state_.CurrentDocument();
  if (!document) return false;
  bool saved = false;
  if (document->Sciezka.empty()) {
    saved = ZapiszDokumentJako();
  } else {
    const std::string path = document->Sciezka;
    const TSaveResult result = ZapiszDoPliku(state_, path);
    saved = result.Saved;
    if (saved) RememberSavedDiagram();
    // A file that cannot be written: the user may still keep the work elsewhere.
    if (!saved && !result.Failure.empty() && OfferSaveAs(path, result.Failure)) saved = ZapiszDokumentJako();
  }
  if (saved) state_.Zmiana = false;
  tree_->expandAll();
  if (saved) emit documentSaved();
  return saved;
}

bool Tmain::ZapiszDokumentJako() {
  if (!state_.CurrentDocument()) return false;
  const QString chosen = choosers_.save(this);
  if (chosen.isEmpty()) return false;
  std::string path = ToPath(chosen);
  if (NeedsAlgExtension(path)) path += ".alg";
  const TSaveResult result = ZapiszDoPliku(state_, path);
  if (!result.Saved) {
    // Each further try is the user's own choice of a name.
    return !result.Failure.empty() && OfferSaveAs(path, result.Failure) && ZapiszDokumentJako();
  }
  RememberSavedDiagram();
  state_.Zmiana = false;
  emit documentSaved();
  TOtwartePliki* document = state_.CurrentDocument();
  document->Nazwa = NazwaWyswietlana(path);
  document->Sciezka = path;
  OpenFilesTree::SetNode(static_cast<QTreeWidgetItem*>(document->WezelDrzewa),
                         FromCore(document->Nazwa), OpenFilesTree::kFromFile);
  UpdateCaption();
  return true;
}

void Tmain::ZamknijDokument() {
  const int closing = state_.AktualnyPlik;
  if (!state_.CurrentDocument()) return;
  const Answer answer = AskToSave(DocumentModified(), "msgm00026", "msgm00014");
  // A refused close keeps the changed flag, so the diagram is still guarded.
  if (answer == Answer::Cancel) return;
  // A save that fails or is cancelled keeps the document open rather than
  // discard the diagram.
  if (answer == Answer::Yes && !ZapiszDokument()) return;
  state_.Zmiana = false;

  if (state_.SchowekZrodlo == closing) {
    state_.Schowek.clear();
    state_.SchowekZrodlo = -1;
  } else if (state_.SchowekZrodlo > closing) {
    --state_.SchowekZrodlo;  // the source document moves one place down
  }

  CloseBlockEditor();
  emit currentDocumentLeaving();
  auto* node = static_cast<QTreeWidgetItem*>(state_.CurrentDocument()->WezelDrzewa);
  state_.AktualnyPlik = 0;
  switching_ = true;
  delete node;
  state_.OtwartePliki.erase(state_.OtwartePliki.begin() + (closing - 1));
  switching_ = false;

  if (!state_.OtwartePliki.empty()) {
    auto* first = static_cast<QTreeWidgetItem*>(state_.OtwartePliki.front().WezelDrzewa);
    PrzelaczDokument(first);
  } else {
    state_.Bloki.clear();
    state_.Wybrany = -1;
    state_.GrupaAktywna = false;
    SelectNode(nullptr);
    // Nothing is left to edit or analyse.
    CloseBlockEditor();
    if (QDockWidget* analysis = Panel("dpNarzedzia"); analysis && !analysis->isHidden()) {
      analysis->hide();
      analysis_hidden_by_close_ = true;
    }
    state_.SelectionChanged();
  }
  UpdateDocumentCommands();
  tree_->expandAll();
}

void Tmain::PrzelaczDokument(QTreeWidgetItem* node) {
  AbandonInput();
  const int target = DocumentOfNode(node);
  if (target == 0) return;  // the root, or a node of no document
  CloseBlockEditor();
  state_.Wybrany = -1;
  state_.GrupaAktywna = false;
  if (state_.CurrentDocument()) {
    PushSnapshotIfChanged();
    StoreViewState();
    emit currentDocumentLeaving();
  }
  state_.AktualnyPlik = target;
  UpdateCaption();
  TOtwartePliki& document = *state_.CurrentDocument();
  LoadSnapshot(document);
  for (Tobj& element : state_.Bloki) element.Zaznaczony = 0;
  view_ = {document.PoczatekX, document.PoczatekY, document.Skala, document.SkalaIndeks};
  zoom_->setCurrentIndex(view_.SkalaIndeks);
  state_.BreakpointsChanged();
  focus_button_->setFocus();
  state_.WyznaczObszar();
  // The flag belongs to the diagram now shown: set only when its work is not in its file.
  state_.Zmiana = HasUnsavedWork(document);
  state_.Repaint();
  SelectNode(node);
  UpdateDocumentCommands();
  state_.SelectionChanged();
}

void Tmain::OpenFiles() {
  if (open_folder_.isEmpty()) open_folder_ = FromPath(ProgramFile("Przyklady"));
  const QStringList files = choosers_.open(this, open_folder_);
  for (const QString& file : files) {
    if (!QFileInfo(file).isFile()) continue;
    OtworzDokument(ToPath(file));
  }
  tree_->expandAll();
}

void Tmain::OpenRecentFile(const std::string& path) {
  if (QFileInfo(FromPath(path)).isFile())
    OtworzDokument(path);
  else
    Komunikat(LangText("msgm00023"), LangText("msgm00038"));
}

namespace {

// Whether a document that is not current holds work its file lacks: its
// newest snapshot differs from the diagram as opened or last saved.
bool HasUnsavedWork(const TOtwartePliki& document) {
  if (document.Cofnij.empty()) return false;
  const TAlgRead snapshot = ReadAlgorithm(document.Cofnij.front(), TElementDefaults{});
  return snapshot.ok && !SameWork(snapshot.bloki, document.Zapisany);
}

}  // namespace

bool Tmain::ConfirmQuit() {
  // A running algorithm stops before the question; the stop command is
  // enabled exactly while one runs.
  if (QAction* stop = CommandAction("ActionZakonczWykonywanie"); stop && stop->isEnabled())
    stop->trigger();
  if (state_.OtwartePliki.empty()) return true;
  const Answer answer = AskToSave(DocumentModified(), "msgm00027", "msgm00015");
  if (answer == Answer::Cancel) return false;
  // Quitting after a failed or cancelled save would lose the diagram.
  if (answer == Answer::Yes && !ZapiszDokument()) return false;

  // The other documents live only in memory; quitting would drop their work
  // without a word, so each one with unsaved work is shown and asked about.
  const int current = state_.AktualnyPlik;
  for (size_t i = 0; i < state_.OtwartePliki.size(); ++i) {
    if (static_cast<int>(i) + 1 == current || !HasUnsavedWork(state_.OtwartePliki[i])) continue;
    PrzelaczDokument(static_cast<QTreeWidgetItem*>(state_.OtwartePliki[i].WezelDrzewa));
    const Answer other = CurrentDialogs().PytanieTakNieAnuluj(
        LangText("msgm00023"), LangText("msgm00074") + " " + state_.OtwartePliki[i].Nazwa + "\r" +
                                   LangText("msgm00015"));
    if (other == Answer::Cancel) return false;
    if (other == Answer::Yes && !ZapiszDokument()) return false;
  }
  return true;
}

}  // namespace tessaro::gui
