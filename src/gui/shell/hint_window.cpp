#include "gui/shell/hint_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>

#include "gui/shell/fonts.h"

namespace tessaro::gui {

namespace {

constexpr int kTextFlags = Qt::TextWordWrap;  // no mnemonic processing of '&'

bool g_picture_visible = false;

// Made on first use: a pixmap needs the application object.
QPixmap& Picture() {
  static QPixmap picture;
  return picture;
}

QFont HintFont() { return QFont(QString::fromLatin1(kInterfaceFont), 9); }

class HintFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->toolTip().isEmpty()) return false;
      auto* help = static_cast<QHelpEvent*>(event);
      Window().ShowHint(help->globalPos() + QPoint(0, 20), widget->toolTip());
      return true;
    }
    if (event->type() == QEvent::Leave || event->type() == QEvent::MouseButtonPress ||
        event->type() == QEvent::KeyPress)
      if (window_ && window_->isVisible() && watched != window_) window_->hide();
    return false;
  }

 private:
  HintWindow& Window() {
    if (!window_) window_ = new HintWindow;
    return *window_;
  }
  QPointer<HintWindow> window_;
};

}  // namespace

QRect HintRect(const QFontMetrics& metrics, const QString& text, int max_width,
               const QSize& picture) {
  QRect rect = metrics.boundingRect(QRect(0, 0, max_width, 0), kTextFlags, text);
  rect.moveTopLeft(QPoint(0, 0));
  rect.setRight(rect.right() + 8);
  rect.setBottom(rect.bottom() + 4);
  if (!picture.isEmpty()) {
    if (rect.width() < picture.width()) {
      rect.setLeft(0);
      rect.setWidth(picture.width() + 10);
    }
    rect.setBottom(rect.bottom() + picture.height() + 2);
  }
  return rect;
}

HintWindow::HintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TMyHintWindow"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(HintFont());
  hide_timer_.setSingleShot(true);
  connect(&hide_timer_, &QTimer::timeout, this, &QWidget::hide);
}

void HintWindow::ShowHint(const QPoint& where, const QString& text) {
  text_ = text;
  shown_picture_ = g_picture_visible ? Picture() : QPixmap();
  QScreen* screen = QApplication::screenAt(where);
  const int max_width = screen ? screen->geometry().width() : 1024;
  const QRect rect = HintRect(QFontMetrics(font()), text_, max_width, shown_picture_.size());
  setGeometry(QRect(where, rect.size() + QSize(2, 2)));  // the border
  show();
  raise();
  update();
  hide_timer_.start(kHidePauseMs);
}

void HintWindow::SetPicture(const QPixmap& picture) {
  Picture() = picture;
  g_picture_visible = !picture.isNull();
}

bool HintWindow::PictureVisible() { return g_picture_visible; }

void HintWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect client = rect();
  p.fillRect(client, palette().color(QPalette::ToolTipBase));
  p.setPen(QColor(0x76, 0x76, 0x76));
  p.drawRect(client.adjusted(0, 0, -1, -1));
  if (!shown_picture_.isNull())
    p.drawPixmap(5, client.bottom() - shown_picture_.height() - 3, shown_picture_);
  g_picture_visible = false;  // a picture belongs to one hint only
  p.setPen(Qt::black);
  p.setFont(HintFont());
  p.drawText(client.adjusted(4, 2, 2, 0), kTextFlags, text_);
}

void InstallHintWindow() {
  static HintFilter* filter = nullptr;
  if (filter) return;
  filter = new HintFilter;
  qApp->installEventFilter(filter);
}

}  // namespace tessaro::gui
