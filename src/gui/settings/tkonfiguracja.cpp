#include "gui/settings/tkonfiguracja.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <iterator>

#include "core/i18n/language.h"
#include "core/i18n/windows/konfiguracja_texts.h"
#include "core/language/value_memory.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "core/runtime/run_history.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"
#include "gui/shell/themes.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

namespace {

// The theme radio buttons: settings value and object, in dialog order.
struct ThemeChoice {
  const char* theme;
  const char* object;
};

constexpr ThemeChoice kThemeChoices[] = {
    {"Office2003", "rbOffice2003"},
    {"Default", "rbDefault"},
    {"Aluminum", "rbAluminum"},
};

// Colours are kept as 0x00BBGGRR.
QColor ColourOf(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

QCheckBox* Check(QWidget* parent, const char* name) { return Named(new QCheckBox(parent), name); }

}  // namespace

Tkonfiguracja::Tkonfiguracja(const TSettings& current, QWidget* parent) : QDialog(parent), start_(current) {
  setObjectName(QStringLiteral("Tkonfiguracja"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(false);

  auto* pages = Named(new QTabWidget(this), "PageControl1");

  // "Wygląd": colours and font of new blocks.
  auto* look = Named(new QWidget(pages), "tsWyglad");
  auto* look_grid = new QGridLayout(look);
  auto swatch_row = [&](int row, const char* label, const char* swatch_name, const char* button_name,
                        QFrame*& swatch, int32_t& colour) {
    look_grid->addWidget(Named(new QLabel(look), label), row, 0);
    swatch = Named(new QFrame(look), swatch_name);
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(60, 22);
    swatch->setAutoFillBackground(true);
    look_grid->addWidget(swatch, row, 1);
    auto* button = Named(new QPushButton(QStringLiteral("..."), look), button_name);
    button->setFixedWidth(30);
    connect(button, &QPushButton::clicked, this, [this, &swatch, &colour] { ChooseColour(swatch, colour); });
    look_grid->addWidget(button, row, 2);
  };
  swatch_row(0, "lblWypelnienie", "shpWypelnienie", "btnWypelnienie", fill_swatch_, fill_);
  swatch_row(1, "lblObrys", "shpObrys", "btnObrys", outline_swatch_, outline_);
  auto* note = Named(new QLabel(look), "lblUwaga");
  note->setWordWrap(true);
  look_grid->addWidget(note, 2, 0, 1, 4);
  sample_ = Named(new QLabel(look), "lblPrzykladowyTekst");
  sample_->setFrameShape(QFrame::StyledPanel);
  sample_->setMinimumHeight(30);
  look_grid->addWidget(sample_, 3, 0, 1, 3);
  auto* font_button = Named(new QPushButton(look), "btnCzcionka");
  connect(font_button, &QPushButton::clicked, this, &Tkonfiguracja::ChooseFont);
  look_grid->addWidget(font_button, 3, 3);
  look_grid->setColumnStretch(3, 1);
  look_grid->setRowStretch(4, 1);
  pages->addTab(look, QString());

  // "Kompilator".
  auto* compiler = Named(new QWidget(pages), "tsKompilator");
  auto* compiler_box = new QVBoxLayout(compiler);
  dynamic_arrays_ = Check(compiler, "cbDynamiczneTablice");
  highlight_ = Check(compiler, "cbPodswietlajBloki");
  case_sensitive_ = Check(compiler, "cbWielkoscLiter");
  replace_operators_ = Check(compiler, "cbZamieniajOperator");
  auto* explanation = Named(new QLabel(compiler), "lblOpisZamiany");
  explanation->setWordWrap(true);
  for (QWidget* w : std::initializer_list<QWidget*>{dynamic_arrays_, highlight_, case_sensitive_, replace_operators_,
                                                     explanation})
    compiler_box->addWidget(w);
  // The memory budget of a running program's values.
  auto* memory_row = new QHBoxLayout;
  auto* memory_label = Named(new QLabel(Tr("msgk00008"), compiler), "lblLimitPamieci");
  memory_limit_ = Named(new QSpinBox(compiler), "seLimitPamieci");
  memory_limit_->setRange(static_cast<int>(kMinMemoryBudgetMB), static_cast<int>(kMaxMemoryBudgetMB));
  memory_limit_->setSingleStep(64);
  memory_label->setBuddy(memory_limit_);
  memory_row->addWidget(memory_label);
  memory_row->addWidget(memory_limit_);
  memory_row->addStretch();
  compiler_box->addLayout(memory_row);
  // The memory the history of a run may take for stepping back; 0 keeps none.
  auto* history_row = new QHBoxLayout;
  auto* history_label = Named(new QLabel(Tr("msgk00009"), compiler), "lblLimitHistorii");
  history_limit_ = Named(new QSpinBox(compiler), "seLimitHistorii");
  history_limit_->setRange(0, kMaxHistoryBudgetMB);
  history_limit_->setSingleStep(16);
  history_label->setBuddy(history_limit_);
  history_row->addWidget(history_label);
  history_row->addWidget(history_limit_);
  history_row->addStretch();
  compiler_box->addLayout(history_row);
  compiler_box->addStretch();
  pages->addTab(compiler, QString());

  // "Analiza algorytmu": where read and write go.
  auto* analysis = Named(new QWidget(pages), "tsAnaliza");
  auto* analysis_box = new QVBoxLayout(analysis);
  console_input_ = Check(analysis, "cbKonsolaWejscie");
  console_output_ = Check(analysis, "cbKonsolaWyjscie");
  analysis_box->addWidget(console_input_);
  analysis_box->addWidget(console_output_);
  analysis_box->addStretch();
  pages->addTab(analysis, QString());

  // "Interfejs użytkownika": the theme and the layout reset.
  auto* ui = Named(new QWidget(pages), "tsInterfejs");
  auto* ui_box = new QVBoxLayout(ui);
  ui_box->addWidget(Named(new QLabel(ui), "lblMotyw"));
  themes_ = new QButtonGroup(this);
  for (int i = 0; i < std::ssize(kThemeChoices); ++i) {
    auto* radio = Named(new QRadioButton(ui), kThemeChoices[i].object);
    themes_->addButton(radio, i);
    ui_box->addWidget(radio);
  }
  // Off by default: nothing goes over the network unless the user asks for it.
  check_updates_ = Named(new QCheckBox(Tr("msgk00006"), ui), "cbSprawdzajAktualizacje");
  ui_box->addWidget(check_updates_);
  auto* reset_layout = Named(new QPushButton(ui), "btnDomyslnePolozenieOkien");
  connect(reset_layout, &QPushButton::clicked, this, &Tkonfiguracja::ResetWindowLayout);
  ui_box->addWidget(reset_layout, 0, Qt::AlignLeft);
  ui_box->addStretch();
  pages->addTab(ui, QString());

  // The row below the pages.
  auto* restore = Named(new QPushButton(this), "btnPrzywrocDomyslne");
  pilot_ = Check(this, "cbWersjaPilotazowa");
  auto* cancel = Named(new QPushButton(this), "btnAnuluj");
  auto* ok = Named(new QPushButton(this), "btnOk");
  ok->setDefault(true);
  connect(restore, &QPushButton::clicked, this, &Tkonfiguracja::RestoreDefaults);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &Tkonfiguracja::Confirm);
  auto* row = new QHBoxLayout;
  row->addWidget(restore);
  row->addWidget(pilot_);
  row->addStretch();
  row->addWidget(cancel);
  row->addWidget(ok);

  auto* main = new QVBoxLayout(this);
  main->addWidget(pages);
  main->addLayout(row);
  ApplyWindowTexts(*this, kKonfiguracjaTexts);
  explanation->setText(FromCore(ExpandTextEscapes(LangText(WindowTextId(kKonfiguracjaTexts, "lblOpisZamiany")))));
  resize(483, 293);

  Load(current);
  // Attached after the first check, so showing the dialog switches nothing.
  connect(themes_, &QButtonGroup::idClicked, this, [](int id) { ApplyTheme(kThemeChoices[id].theme); });
  // Whatever ends the dialog but "Ok" gives the theme in force back.
  connect(this, &QDialog::rejected, this, [this] { ApplyTheme(start_.Interfejs); });
}

void Tkonfiguracja::Load(const TSettings& s) {
  fill_ = s.KolorWypelnienia;
  outline_ = s.KolorObrysu;
  SetSwatch(fill_swatch_, fill_);
  SetSwatch(outline_swatch_, outline_);
  SetSampleFont(FromCore(s.NazwaCzcionki), s.RozmiarCzcionki);
  dynamic_arrays_->setChecked(s.DynamiczneTablice);
  highlight_->setChecked(s.PodswietlajBloki);
  case_sensitive_->setChecked(s.WielkoscLiter);
  replace_operators_->setChecked(s.ZamieniajOperator);
  console_input_->setChecked(s.KonsolaWejscie);
  console_output_->setChecked(s.KonsolaWyjscie);
  pilot_->setChecked(s.WersjaPilotazowa);
  check_updates_->setChecked(s.SprawdzajAktualizacje);
  memory_limit_->setValue(s.LimitPamieci);
  history_limit_->setValue(s.LimitHistorii);
  int theme = 0;
  for (int i = 0; i < std::ssize(kThemeChoices); ++i)
    if (s.Interfejs == kThemeChoices[i].theme) theme = i;
  themes_->button(theme)->setChecked(true);
}

TSettings Tkonfiguracja::Values() const {
  TSettings s = start_;
  s.KolorWypelnienia = fill_;
  s.KolorObrysu = outline_;
  s.NazwaCzcionki = ToCore(block_font_.family());
  s.RozmiarCzcionki = block_font_.pointSize();
  s.DynamiczneTablice = dynamic_arrays_->isChecked();
  s.PodswietlajBloki = highlight_->isChecked();
  s.WielkoscLiter = case_sensitive_->isChecked();
  s.ZamieniajOperator = replace_operators_->isChecked();
  s.KonsolaWejscie = console_input_->isChecked();
  s.KonsolaWyjscie = console_output_->isChecked();
  s.WersjaPilotazowa = pilot_->isChecked();
  s.SprawdzajAktualizacje = check_updates_->isChecked();
  s.LimitPamieci = memory_limit_->value();
  s.LimitHistorii = history_limit_->value();
  s.Interfejs = kThemeChoices[std::max(0, themes_->checkedId())].theme;
  return s;
}

void Tkonfiguracja::SetSwatch(QFrame* swatch, int32_t colour) {
  QPalette p = swatch->palette();
  p.setColor(QPalette::Window, ColourOf(colour));
  swatch->setPalette(p);
}

void Tkonfiguracja::SetSampleFont(const QString& family, int size) {
  block_font_ = QFont(family, size);
  QFont shown = block_font_;
  shown.setPointSize(9);
  sample_->setFont(shown);
}

void Tkonfiguracja::ChooseColour(QFrame* swatch, int32_t& colour) {
  const QColor chosen = QColorDialog::getColor(ColourOf(colour), this);
  if (!chosen.isValid()) return;
  colour = picture::FromQColor(chosen);
  SetSwatch(swatch, colour);
}

void Tkonfiguracja::ChooseFont() {
  if (PytanieTakNie(LangText("mgsr00018"), LangText("msgk00003")) != Answer::Yes) return;
  QFontDialog dialog(block_font_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QFont chosen = dialog.selectedFont();
  // New blocks are drawn at 8 to 13 points.
  chosen.setPointSize(std::clamp(chosen.pointSize(), 8, 13));
  SetSampleFont(chosen.family(), chosen.pointSize());
}

void Tkonfiguracja::RestoreDefaults() {
  const TSettings defaults = RestoredDefaults();
  Load(defaults);
  ApplyTheme(defaults.Interfejs);
}

void Tkonfiguracja::ResetWindowLayout() {
  if (PytanieTakNie(LangText("mgsr00018"), LangText("msgk00001")) != Answer::Yes) return;
  // Without the file the layout is not saved at exit; the next start shows
  // the designed one.
  std::error_code ec;
  std::filesystem::remove(UserFile("tsview.dat"), ec);
}

void Tkonfiguracja::Confirm() {
  if (pilot_->isChecked() &&
      PytanieTakNie(LangText("mgsr00018"), LangText("msgk00002"), QuestionIcon::Application) != Answer::Yes)
    pilot_->setChecked(false);
  accept();
}

}  // namespace tessaro::gui
