#include "gui/shell/message_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <utility>
#include <vector>

#include "core/i18n/retranslation.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

struct ButtonSpec {
  Answer answer;
  const char* id;
  QMessageBox::ButtonRole role;
};

constexpr ButtonSpec kYes = {Answer::Yes, kYesId, QMessageBox::YesRole};
constexpr ButtonSpec kNo = {Answer::No, kNoId, QMessageBox::NoRole};
constexpr ButtonSpec kCancel = {Answer::Cancel, kCancelId, QMessageBox::RejectRole};
constexpr ButtonSpec kOk = {Answer::Yes, kOkId, QMessageBox::AcceptRole};

// Shows one modal box and returns the answer of the button pressed; closing
// the box without a button gives the answer of `escape`.
Answer Show(const std::string& caption, const std::string& text, QMessageBox::Icon icon,
            const QPixmap& picture, std::initializer_list<ButtonSpec> buttons,
            const ButtonSpec& escape) {
  QMessageBox box(icon, FromCore(caption), FromCore(text).replace(QStringLiteral("\r\n"), "\n"),
                  QMessageBox::NoButton, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  if (!picture.isNull()) box.setIconPixmap(picture);
  std::vector<std::pair<QPushButton*, const ButtonSpec*>> made;
  for (const ButtonSpec& b : buttons) made.emplace_back(box.addButton(Tr(b.id), b.role), &b);
  for (auto& [button, spec] : made)
    if (spec->id == escape.id) box.setEscapeButton(button);
  box.setDefaultButton(made.front().first);

  const RetranslationHandle handle = AddRetranslationObserver([&made] {
    for (auto& [button, spec] : made) button->setText(Tr(spec->id));
  });
  box.adjustSize();
  if (QScreen* screen = QApplication::primaryScreen())
    box.move(screen->availableGeometry().center() - box.rect().center());
  box.exec();
  RemoveRetranslationObserver(handle);

  for (auto& [button, spec] : made)
    if (box.clickedButton() == button) return spec->answer;
  return escape.answer;
}

QPixmap ApplicationPicture() { return QApplication::windowIcon().pixmap(48); }

}  // namespace

void MessageDialogs::Komunikat(const std::string& caption, const std::string& text) {
  Show(caption, text, QMessageBox::Information, ApplicationPicture(), {kOk}, kOk);
}

Answer MessageDialogs::PytanieTakNie(const std::string& caption, const std::string& text,
                                     QuestionIcon icon) {
  QPixmap picture;
  if (icon == QuestionIcon::Application) picture = ApplicationPicture();
  if (icon == QuestionIcon::Internet) picture = internet_;
  return Show(caption, text, QMessageBox::Question, picture, {kYes, kNo}, kNo);
}

Answer MessageDialogs::PytanieTakNieAnuluj(const std::string& caption, const std::string& text) {
  return Show(caption, text, QMessageBox::Question, ApplicationPicture(), {kYes, kNo, kCancel},
              kCancel);
}

}  // namespace tessaro::gui
