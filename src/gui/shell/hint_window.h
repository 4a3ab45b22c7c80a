// The hint window used for every hint of the program: Tahoma 9 pt on the
// hint colour, word-wrapped, optionally with a picture under the text that
// the diagram prepares for the next hint.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tessaro::gui {

// The hint's rectangle for `text` measured at most `max_width` wide, with
// room for `picture` when it is not empty.
QRect HintRect(const QFontMetrics& metrics, const QString& text, int max_width,
               const QSize& picture);

class HintWindow : public QWidget {
  Q_OBJECT

 public:
  // How long a hint stays up.
  static constexpr int kHidePauseMs = 20000;

  HintWindow();

  // Shows `text` with its top-left at `where` (global coordinates).
  void ShowHint(const QPoint& where, const QString& text);

  // The picture the next hint shows, once.
  static void SetPicture(const QPixmap& picture);
  static bool PictureVisible();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QPixmap shown_picture_;
  QTimer hide_timer_;
};

// Routes the tool tips of every widget to one HintWindow. Installed once on
// the application.
void InstallHintWindow();

}  // namespace tessaro::gui
