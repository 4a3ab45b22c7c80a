// Printing, page setup, export to a picture file and to the clipboard: the
// commands ActionDrukuj, ActionUstawieniaDrukarki, ActionEksportujDoPliku
// and ActionEksportujDoSchowka, all drawing the same print-mode picture.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/document/document_state.h"

class QPrinter;
class QWidget;

namespace tessaro::gui {

class DiagramView;

// The save dialog's filters; the first two keep the names the users know,
// the others are the formats this platform's programs expect.
struct ExportFilter {
  const char* filter;
  const char* extension;  // appended when the name does not contain it
};
inline constexpr ExportFilter kExportFilters[] = {
    {"Rozszerzony metaplik (*.emf)", ".emf"}, {"*.jpg", ".jpg"},         {"Obraz SVG (*.svg)", ".svg"},
    {"Dokument PDF (*.pdf)", ".pdf"},          {"Obraz PNG (*.png)", ".png"},
};

// The file name the chosen filter asks for: its extension is appended
// unless the lower-cased name already contains it anywhere.
QString ExportFileName(const QString& chosen, int filter_index);

class DiagramCommands {
 public:
  DiagramCommands(TDocumentState& state, DiagramView& view, QWidget* parent);
  ~DiagramCommands();

  // The active document's name (the job title and the proposed file name).
  std::function<QString()> DocumentName;
  // Status panel 0.
  std::function<void(const QString&)> ShowStatus;
  // The dialogs; tests replace them. The print dialog returns false when
  // cancelled; the save dialog returns an empty name when cancelled and sets
  // the index of the chosen filter.
  std::function<bool(QPrinter& printer, QWidget* parent)> PrintDialog;
  std::function<void(QPrinter& printer, QWidget* parent)> PageSetupDialog;
  std::function<QString(QWidget* parent, const QString& proposed, int& filter_index)> SaveDialog;

  void ActionUstawieniaDrukarkiExecute();
  void ActionDrukujExecute();
  void ActionEksportujDoPlikuExecute();
  void ActionEksportujDoSchowkaExecute();
  // Copying blocks: the picture of the clipboard's members, framed by their
  // own extents, goes to the system clipboard.
  void CopyBlocksPicture();

  QPrinter& Printer() { return *printer_; }

 private:
  TDocumentState& state_;
  DiagramView& view_;
  QWidget* parent_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace tessaro::gui
