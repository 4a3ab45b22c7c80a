#include "gui/task/task_results_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

const QColor kPassed(0, 128, 0);
const QColor kFailed(192, 0, 0);
const QColor kDifference(255, 220, 220);

QPlainTextEdit* OutputView(const char* name, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  view->setFont(font);
  return view;
}

// Marks line `line` (1-based) of `view`, or nothing for 0.
void MarkLine(QPlainTextEdit* view, int line) {
  QList<QTextEdit::ExtraSelection> marks;
  const QTextBlock block = view->document()->findBlockByNumber(line - 1);
  if (line > 0 && block.isValid()) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(block);
    mark.format.setBackground(kDifference);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    marks << mark;
  }
  view->setExtraSelections(marks);
}

}  // namespace

TaskResultsPanel::TaskResultsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("WynikiZadania"));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblWynikZadania"));
  cases_ = new QTreeWidget(this);
  cases_->setObjectName(QStringLiteral("lvPrzypadki"));
  cases_->setColumnCount(2);
  cases_->setRootIsDecorated(false);
  cases_->header()->setStretchLastSection(true);

  auto* outputs = new QWidget(this);
  auto* grid = new QHBoxLayout(outputs);
  grid->setContentsMargins(0, 0, 0, 0);
  for (auto [title, view, name] : {std::tuple{&expected_title_, &expected_, "edOczekiwane"},
                                   std::tuple{&got_title_, &got_, "edOtrzymane"}}) {
    auto* column = new QVBoxLayout;
    *title = new QLabel(outputs);
    *view = OutputView(name, outputs);
    column->addWidget(*title);
    column->addWidget(*view);
    grid->addLayout(column);
  }

  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(cases_);
  split->addWidget(outputs);
  split->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(split);

  connect(cases_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { ShowCase(item ? cases_->indexOfTopLevelItem(item) : -1); });
  connect(cases_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const int row = cases_->indexOfTopLevelItem(item);
    if (row >= 0 && row < static_cast<int>(row_cases_.size())) emit caseActivated(row_cases_[row]);
  });
  ApplyTranslation();
}

void TaskResultsPanel::ApplyTranslation() {
  cases_->setHeaderLabels({Tr("msgz00010"), Tr("msgz00011")});
  expected_title_->setText(Tr("msgz00006"));
  got_title_->setText(Tr("msgz00007"));
  QString summary;
  if (total_ > 0) {
    summary = Tr("msgz00009") + QLatin1Char(' ') + QString::number(passed_) + QLatin1Char('/') +
              QString::number(total_);
    if (hidden_ > 0) summary += QStringLiteral("    ") + Tr("msgz00008") + QLatin1Char(' ') + QString::number(hidden_);
  }
  summary_->setText(summary);
  for (int row = 0; row < cases_->topLevelItemCount(); ++row) {
    cases_->topLevelItem(row)->setText(1, Tr(shown_[static_cast<size_t>(row)].Passed() ? "msgz00004" : "msgz00005"));
  }
}

void TaskResultsPanel::ShowResults(const task::Task& task, const task::PupilResult& pupil) {
  const std::vector<bool> visible = task::VisibleCases(task, pupil.cases);
  cases_->clear();
  row_cases_.clear();
  shown_.clear();
  passed_ = pupil.passed;
  total_ = static_cast<int>(pupil.cases.size());
  hidden_ = 0;
  for (size_t i = 0; i < pupil.cases.size(); ++i) {
    if (!visible[i]) {
      ++hidden_;
      continue;
    }
    const task::CaseResult& c = pupil.cases[i];
    auto* item = new QTreeWidgetItem(cases_, {FromCore(c.name), QString()});
    item->setForeground(1, c.Passed() ? kPassed : kFailed);
    if (!c.detail.empty()) item->setToolTip(1, FromCore(c.detail));
    row_cases_.push_back(static_cast<int>(i));
    shown_.push_back(c);
  }
  ApplyTranslation();
  expected_->clear();
  got_->clear();
  // The first failed case is the one to look at.
  int first = 0;
  for (size_t row = 0; row < shown_.size(); ++row) {
    if (!shown_[row].Passed()) {
      first = static_cast<int>(row);
      break;
    }
  }
  if (!shown_.empty()) cases_->setCurrentItem(cases_->topLevelItem(first));
}

void TaskResultsPanel::ShowCase(int row) {
  if (row < 0 || row >= static_cast<int>(shown_.size())) {
    expected_->clear();
    got_->clear();
    return;
  }
  const task::CaseResult& c = shown_[static_cast<size_t>(row)];
  expected_->setPlainText(FromCore(c.expected));
  // A run that stopped before its end says why below what it wrote.
  QString got = FromCore(c.got);
  if (c.status != task::CaseStatus::Pass && c.status != task::CaseStatus::WrongOutput && !c.detail.empty()) {
    got += (got.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("[") + FromCore(c.detail) +
           QStringLiteral("]");
  }
  got_->setPlainText(got);
  const int line = c.difference.same ? 0 : c.difference.line;
  MarkLine(expected_, line);
  MarkLine(got_, line);
}

}  // namespace tessaro::gui
