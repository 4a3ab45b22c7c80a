#include "gui/extensions/plugin_kreator.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/extensions/plugin_project.h"
#include "core/i18n/retranslation.h"
#include "core/i18n/windows/plugin_kreator_texts.h"
#include "gui/shell/window_texts.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

QLabel* Advice(QWidget* parent, const char* name) {
  auto* label = Named(new QLabel(parent), name);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);  // the window keeps its designed width in every language
  label->setStyleSheet(QStringLiteral("color: #555555;"));
  return label;
}

}  // namespace

TPlugInKreator::TPlugInKreator(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPlugInKreator"));
  setModal(true);
  Label1 = Named(new QLabel(this), "Label1");
  Label2 = Named(new QLabel(this), "Label2");
  Label3 = Named(new QLabel(this), "Label3");
  Label4 = Named(new QLabel(this), "Label4");
  Label5 = Named(new QLabel(this), "Label5");
  Label6 = Advice(this, "Label6");
  Label7 = Advice(this, "Label7");
  Label8 = Advice(this, "Label8");
  edNazwaRozszerzenia = Named(new QLineEdit(this), "edNazwaRozszerzenia");
  edNazwaPliku = Named(new QLineEdit(this), "edNazwaPliku");
  edOpisRozszerzenia = Named(new QPlainTextEdit(this), "edOpisRozszerzenia");
  edOpisRozszerzenia->setPlainText(QStringLiteral("Informacje\n...\n\nAutor\n..."));
  rbJezykC = Named(new QRadioButton(this), "rbJezykC");
  rbJezykC->setChecked(true);
  // Offered, not available: only C projects are generated.
  RadioButton2 = Named(new QRadioButton(this), "RadioButton2");
  RadioButton3 = Named(new QRadioButton(this), "RadioButton3");
  RadioButton4 = Named(new QRadioButton(this), "RadioButton4");
  for (QRadioButton* r : {RadioButton2, RadioButton3, RadioButton4}) r->setEnabled(false);
  edKatalog = Named(new QLineEdit(this), "edKatalog");
  BitBtn3 = Named(new QPushButton(this), "BitBtn3");
  BitBtn3->setAutoDefault(false);
  BitBtn1 = Named(new QPushButton(this), "BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = Named(new QPushButton(this), "BitBtn2");
  BitBtn2->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(edNazwaRozszerzenia, 1, 0);
  grid->addWidget(Label7, 1, 1);
  grid->addWidget(Label2, 2, 0);
  grid->addWidget(edNazwaPliku, 3, 0);
  grid->addWidget(Label6, 3, 1);
  grid->addWidget(Label3, 4, 0);
  grid->addWidget(edOpisRozszerzenia, 5, 0);
  grid->addWidget(Label8, 5, 1);
  auto* languages = new QVBoxLayout;
  languages->addWidget(Label4);
  for (QRadioButton* r : {rbJezykC, RadioButton2, RadioButton3, RadioButton4}) languages->addWidget(r);
  languages->addStretch(1);
  grid->addLayout(languages, 0, 2, 6, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 0);
  edNazwaRozszerzenia->setMinimumWidth(220);
  auto* folder = new QHBoxLayout;
  folder->addWidget(edKatalog, 1);
  folder->addWidget(BitBtn3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(Label5);
  layout->addLayout(folder);
  layout->addLayout(buttons);
  resize(636, 377);

  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    if (GenerateProject()) accept();
  });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtn3, &QPushButton::clicked, this, [this] { ChooseTargetFolder(); });

  ChooseFolder = [](QWidget* p, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(p, title, start, QFileDialog::ShowDirsOnly);
  };
  TemplateFolder = ProjectTemplateFolder();

  ApplyTranslation();
  // The edits are filled once; a language change must not overwrite what was typed.
  edNazwaRozszerzenia->setText(WindowTextOf(kPlugInKreatorTexts, "edNazwaRozszerzenia"));
  edNazwaPliku->setText(WindowTextOf(kPlugInKreatorTexts, "edNazwaPliku"));
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
}

TPlugInKreator::~TPlugInKreator() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

void TPlugInKreator::ApplyTranslation() { ApplyWindowTexts(*this, kPlugInKreatorTexts); }

void TPlugInKreator::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

bool TPlugInKreator::GenerateProject() {
  if (!rbJezykC->isChecked()) return false;
  TProjectRequest request;
  request.FullName = ToCore(edNazwaRozszerzenia->text());
  request.FileName = ToCore(edNazwaPliku->text());
  request.Description = ToCore(edOpisRozszerzenia->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  request.TargetFolder = ToPath(edKatalog->text().trimmed());
  TProjectOutcome outcome = tessaro::GenerateProject(request, TemplateFolder, ProjectTemplateFromTexts(), nullptr);
  edNazwaPliku->setText(FromCore(outcome.FileName));
  return outcome.Result == ProjectResult::Created;
}

void TPlugInKreator::ChooseTargetFolder() {
  const QString chosen = ChooseFolder ? ChooseFolder(this, Tr("msgpm00011"), edKatalog->text()) : QString();
  if (!chosen.isEmpty()) edKatalog->setText(chosen);
}

}  // namespace tessaro::gui
