#include "gui/extensions/plugin_mgr.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <optional>

#include "core/extensions/plugin_table.h"
#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/i18n/windows/plugin_mgr_texts.h"
#include "gui/extensions/plugin_kreator.h"
#include "gui/shell/window_texts.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// The item's file name as the core spells it, and its last known check.
constexpr int kFileNameRole = Qt::UserRole;
constexpr int kCheckedRole = Qt::UserRole + 1;

// Colours of the details, from the designed 0x00BBGGRR values.
const QColor kNameColour(0x00, 0x00, 0xFF);      // 0xFF0000
const QColor kFunctionColour(0x36, 0x36, 0x36);  // 0x363636

QTextEdit* NewDetailsBox(QWidget* parent, const char* name) {
  auto* box = new QTextEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(true);
  box->setAcceptRichText(false);
  return box;
}

QPushButton* NewButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

// Appends `text` in one format. Texts from a library go in as plain text:
// nothing a library writes is read as markup.
void Append(QTextCursor& cursor, const std::string& text, const QColor& colour, bool bold) {
  QTextCharFormat format;
  format.setForeground(colour);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  cursor.insertText(FromCore(text), format);
}

// The folder of the last library chosen for an import; empty before the first.
QString& LastImportFolder() {
  static QString folder;
  return folder;
}

}  // namespace

QString TPlugInMGR::ImportFolder() {
  const QString& last = LastImportFolder();
  return last.isEmpty() || !QFileInfo(last).isDir() ? QDir::homePath() : last;
}

void TPlugInMGR::SetImportFolder(const QString& folder) { LastImportFolder() = folder; }

std::string FileNameOf(const QListWidgetItem* item) {
  return item->data(kFileNameRole).toByteArray().toStdString();
}

TPlugInMGR::TPlugInMGR(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPlugInMGR"));
  setModal(true);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  listaRozszerzen = new QListWidget(this);
  listaRozszerzen->setObjectName(QStringLiteral("listaRozszerzen"));
  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  reDodatkoweInformacje = NewDetailsBox(this, "reDodatkoweInformacje");
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  RichEditFunkcje = NewDetailsBox(this, "RichEditFunkcje");
  btnDodaj = NewButton(this, "btnDodaj");
  btnUsun = NewButton(this, "btnUsun");
  btnUsun->hide();  // offered by the design, without work
  btnNoweRozszerzenie = NewButton(this, "btnNoweRozszerzenie");
  btnZastosuj = NewButton(this, "btnZastosuj");
  btnZastosuj->setDefault(true);
  btnAnuluj = NewButton(this, "btnAnuluj");

  auto* left = new QVBoxLayout;
  left->addWidget(Label1);
  left->addWidget(listaRozszerzen, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(Label2);
  right->addWidget(reDodatkoweInformacje, 2);
  right->addWidget(Label3);
  right->addWidget(RichEditFunkcje, 3);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 2);
  columns->addLayout(right, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnDodaj);
  buttons->addWidget(btnUsun);
  buttons->addWidget(btnNoweRozszerzenie);
  buttons->addStretch(1);
  buttons->addWidget(btnZastosuj);
  buttons->addWidget(btnAnuluj);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  setFixedSize(720, 379);

  connect(listaRozszerzen, &QListWidget::currentItemChanged, this, [this] { ShowDetails(); });
  connect(listaRozszerzen, &QListWidget::itemChanged, this,
          [this](QListWidgetItem* item) { CheckChanged(item); });
  connect(btnDodaj, &QPushButton::clicked, this, [this] { Import(); });
  connect(btnNoweRozszerzenie, &QPushButton::clicked, this, [this] { OpenCreator(); });
  connect(btnZastosuj, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(btnAnuluj, &QPushButton::clicked, this, [this] { reject(); });

  ChooseLibraryFile = [](QWidget* p, const QString& folder) {
    return QFileDialog::getOpenFileName(p, QString(), folder, Tr("msgpi00006"));
  };
  RunCreator = [](QWidget* p) {
    TPlugInKreator creator(p);
    creator.exec();
  };

  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
  RefreshList();
}

TPlugInMGR::~TPlugInMGR() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

void TPlugInMGR::ApplyTranslation() { ApplyWindowTexts(*this, kPlugInMgrTexts); }

void TPlugInMGR::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TPlugInMGR::FillList(const std::vector<TPlugInItem>& items) {
  filling_ = true;
  listaRozszerzen->clear();
  for (const TPlugInItem& entry : items) {
    auto* item = new QListWidgetItem(FromCore(entry.FileName), listaRozszerzen);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setData(kFileNameRole, QByteArray::fromStdString(entry.FileName));
    item->setData(kCheckedRole, entry.Checked);
    item->setCheckState(entry.Checked ? Qt::Checked : Qt::Unchecked);
  }
  filling_ = false;
  reDodatkoweInformacje->clear();
  RichEditFunkcje->clear();
}

void TPlugInMGR::RefreshList() { FillList(RefreshPlugIns()); }

void TPlugInMGR::ShowDetails() {
  reDodatkoweInformacje->clear();
  RichEditFunkcje->clear();
  QListWidgetItem* item = listaRozszerzen->currentItem();
  if (!item) return;
  std::optional<TPlugInDetails> details = PlugInDetails(FileNameOf(item));
  if (!details) return;
  QTextCursor info(reDodatkoweInformacje->document());
  Append(info, details->Name, kNameColour, true);
  Append(info, "\n", Qt::black, false);
  Append(info, details->Description, Qt::black, false);
  QTextCursor functions(RichEditFunkcje->document());
  for (const TPluginFunction& f : details->Functions) {
    Append(functions, f.name + "\n", kFunctionColour, true);
    Append(functions, f.description + "\n\n", Qt::black, false);
  }
  reDodatkoweInformacje->moveCursor(QTextCursor::Start);
  RichEditFunkcje->moveCursor(QTextCursor::Start);
}

void TPlugInMGR::SetCheck(QListWidgetItem* item, bool checked) {
  filling_ = true;
  item->setData(kCheckedRole, checked);
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  filling_ = false;
}

// The item whose box changed, by mouse or by keyboard, is the one acted on.
void TPlugInMGR::CheckChanged(QListWidgetItem* item) {
  if (filling_ || !item) return;
  const bool checked = item->checkState() == Qt::Checked;
  if (item->data(kCheckedRole).toBool() == checked) return;  // another change of the item
  if (BeforeExtensionsChange) BeforeExtensionsChange();
  SetCheck(item, CheckPlugIn(FileNameOf(item), checked) && checked);
  if (item == listaRozszerzen->currentItem()) ShowDetails();
}

void TPlugInMGR::Import() {
  const QString file = ChooseLibraryFile ? ChooseLibraryFile(this, ImportFolder()) : QString();
  if (file.isEmpty()) return;
  SetImportFolder(QFileInfo(file).absolutePath());
  TImportOutcome outcome = ImportPlugIn(ToPath(file), [this] {
    if (BeforeExtensionsChange) BeforeExtensionsChange();
  });
  if (!outcome.reloaded) return;
  FillList(outcome.items);
  // The table was reloaded from the list file: only "Ok" leaves a state
  // that matches the list shown.
  btnAnuluj->setEnabled(false);
  const QString name = QFileInfo(file).fileName();
  const QList<QListWidgetItem*> found = listaRozszerzen->findItems(name, Qt::MatchExactly);
  if (!found.isEmpty()) listaRozszerzen->setCurrentItem(found.first());
}

void TPlugInMGR::OpenCreator() {
  if (RunCreator) RunCreator(this);
}

void TPlugInMGR::Confirm() {
  SavePlugIns();  // a failure keeps the table in force and says so
  accept();
}

void TPlugInMGR::reject() {
  if (!btnAnuluj->isEnabled()) return;
  QDialog::reject();
}

}  // namespace tessaro::gui
