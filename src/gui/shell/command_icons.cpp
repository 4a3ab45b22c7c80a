#include "gui/shell/command_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace tessaro::gui {

namespace {

// Shapes drawn here; everything else comes from the style's standard icons.
enum class Shape { None, Pan, Select, Start, End, Process, Condition, InOut, Node, Note,
                   CentreV, CentreH, Nodes, Orthogonal, BackInstruction, BackBlock, BackMicro,
                   Code };

struct IconSpec {
  std::string_view command;
  Shape shape;
  QStyle::StandardPixmap standard;
};

constexpr QStyle::StandardPixmap kNoPixmap = QStyle::SP_CustomBase;

constexpr IconSpec kIcons[] = {
    {"ActionNowySchemat", Shape::None, QStyle::SP_FileIcon},
    {"ActionOtworzPlik", Shape::None, QStyle::SP_DialogOpenButton},
    {"ActionZapiszPlik", Shape::None, QStyle::SP_DialogSaveButton},
    {"ActionZamknijProgram", Shape::None, QStyle::SP_DialogCloseButton},
    {"ActionCofnij", Shape::None, QStyle::SP_ArrowBack},
    {"ActionPonow", Shape::None, QStyle::SP_ArrowForward},
    {"ActionPrzesunObszarRoboczy", Shape::Pan, kNoPixmap},
    {"ActionWybieranie", Shape::Select, kNoPixmap},
    {"ActionBlokRozpoczynajacy", Shape::Start, kNoPixmap},
    {"ActionBlokKonczacy", Shape::End, kNoPixmap},
    {"ActionBlokPrzetwarzaniaDanych", Shape::Process, kNoPixmap},
    {"ActionBlokWarunkowy", Shape::Condition, kNoPixmap},
    {"ActionBlokWejsciaWyjscia", Shape::InOut, kNoPixmap},
    {"ActionBlokWezelPomocniczy", Shape::Node, kNoPixmap},
    {"ActionBlokNotaOpis", Shape::Note, kNoPixmap},
    {"ActionWyrownajPionowo", Shape::CentreV, kNoPixmap},
    {"ActionWyrownajPoziomo", Shape::CentreH, kNoPixmap},
    {"ActionWezel", Shape::Nodes, kNoPixmap},
    {"ActionLamana", Shape::Orthogonal, kNoPixmap},
    {"ActionPokazdpKodProgramu", Shape::Code, kNoPixmap},
    {"ActionKompiluj", Shape::None, QStyle::SP_DialogApplyButton},
    {"ActionUruchom", Shape::None, QStyle::SP_MediaPlay},
    {"ActionUruchomKrokPoKroku", Shape::None, QStyle::SP_MediaSeekForward},
    {"ActionWznowWykonywanie", Shape::None, QStyle::SP_ArrowRight},
    {"ActionNastepnaInstrukcja", Shape::None, QStyle::SP_ArrowDown},
    {"ActionNastepnaMikroInstrukcja", Shape::None, QStyle::SP_ToolBarVerticalExtensionButton},
    {"ActionNastepnyBlok", Shape::None, QStyle::SP_MediaSkipForward},
    {"ActionPoprzedniaInstrukcja", Shape::BackInstruction, kNoPixmap},
    {"ActionPoprzedniBlok", Shape::BackBlock, kNoPixmap},
    {"ActionPoprzedniaMikroInstrukcja", Shape::BackMicro, kNoPixmap},
    {"ActionWstrzymaj", Shape::None, QStyle::SP_MediaPause},
    {"ActionZakonczWykonywanie", Shape::None, QStyle::SP_MediaStop},
    {"ActionOtworzZadanie", Shape::None, QStyle::SP_FileDialogDetailedView},
    {"ActionSprawdzRozwiazanie", Shape::None, QStyle::SP_DialogYesButton},
    {"ActionPomoc", Shape::None, QStyle::SP_DialogHelpButton},
    {"ActionOProgramie", Shape::None, QStyle::SP_MessageBoxInformation},
};

const QColor kFill(0xFF, 0xFF, 0xBB);  // the default block fill
const QColor kNoteFill(0xEA, 0xFF, 0xE6);
const QColor kBackArrow(0x20, 0x40, 0x80);  // the steps back, one colour for the three

// A bent arrow from the lower right that comes back up and points left: "undo".
void DrawBackArrow(QPainter& p, qreal top) {
  p.setPen(QPen(kBackArrow, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath bend;
  bend.moveTo(12, top + 9);
  bend.cubicTo(12, top + 2, 9, top + 2, 5, top + 2);
  p.drawPath(bend);
  p.setPen(Qt::NoPen);
  p.setBrush(kBackArrow);
  p.drawPolygon(QPolygonF({{1.5, top + 2}, {6, top - 1.5}, {6, top + 5.5}}));
}

void DrawShape(QPainter& p, Shape shape) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(kFill);
  switch (shape) {
    case Shape::None: break;
    case Shape::Pan:
      p.drawLine(8, 1, 8, 15);
      p.drawLine(1, 8, 15, 8);
      p.drawPolyline(QPolygon({{6, 3}, {8, 1}, {10, 3}}));
      p.drawPolyline(QPolygon({{6, 13}, {8, 15}, {10, 13}}));
      p.drawPolyline(QPolygon({{3, 6}, {1, 8}, {3, 10}}));
      p.drawPolyline(QPolygon({{13, 6}, {15, 8}, {13, 10}}));
      break;
    case Shape::Select:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygon({{4, 1}, {4, 13}, {7, 10}, {9, 15}, {11, 14}, {9, 9}, {13, 9}}));
      break;
    case Shape::Start:
      p.setBrush(QColor(0xB8, 0xE6, 0xB0));
      p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
      break;
    case Shape::End:
      p.setBrush(QColor(0xF4, 0xB8, 0xB0));
      p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
      break;
    case Shape::Process: p.drawRect(QRectF(1.5, 3.5, 13, 9)); break;
    case Shape::Condition: p.drawPolygon(QPolygon({{8, 1}, {15, 8}, {8, 15}, {1, 8}})); break;
    case Shape::InOut: p.drawPolygon(QPolygon({{4, 3}, {15, 3}, {12, 12}, {1, 12}})); break;
    case Shape::Node: p.drawEllipse(QRectF(4.5, 4.5, 7, 7)); break;
    case Shape::Note:
      p.setBrush(kNoteFill);
      p.drawPolygon(QPolygon({{2, 2}, {11, 2}, {14, 5}, {14, 14}, {2, 14}}));
      p.drawLine(4, 7, 11, 7);
      p.drawLine(4, 10, 11, 10);
      break;
    case Shape::CentreV:
      p.drawRect(QRectF(5.5, 1.5, 5, 4));
      p.drawRect(QRectF(3.5, 10.5, 9, 4));
      p.setPen(QPen(Qt::blue, 1, Qt::DotLine));
      p.drawLine(8, 0, 8, 16);
      break;
    case Shape::CentreH:
      p.drawRect(QRectF(1.5, 5.5, 4, 5));
      p.drawRect(QRectF(10.5, 3.5, 4, 9));
      p.setPen(QPen(Qt::blue, 1, Qt::DotLine));
      p.drawLine(0, 8, 16, 8);
      break;
    case Shape::Nodes:
      p.drawLine(8, 1, 8, 15);
      p.setBrush(Qt::black);
      p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
      break;
    case Shape::Orthogonal:
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygon({{2, 2}, {2, 9}, {13, 9}, {13, 15}}));
      break;
    case Shape::BackInstruction:
      // One line of a block under the arrow.
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(3, 13, 13, 13);
      DrawBackArrow(p, 3);
      break;
    case Shape::BackBlock:
      // A whole block under the arrow.
      p.drawRect(QRectF(3.5, 10.5, 10, 4));
      DrawBackArrow(p, 2);
      break;
    case Shape::BackMicro:
      // A node of an expression tree under the arrow.
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(9.5, 10.5, 4, 4));
      p.drawLine(QPointF(11.5, 10.5), QPointF(11.5, 9));
      DrawBackArrow(p, 3);
      break;
    case Shape::Code:
      // "</>" on a sheet: the flowchart as program text.
      p.setBrush(Qt::white);
      p.drawRect(QRectF(0.5, 1.5, 15, 13));
      p.setPen(QPen(QColor(0x20, 0x40, 0x80), 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({{5.5, 4.5}, {2.5, 8}, {5.5, 11.5}}));
      p.drawPolyline(QPolygonF({{10.5, 4.5}, {13.5, 8}, {10.5, 11.5}}));
      p.drawLine(QPointF(9, 4), QPointF(7, 12));
      break;
  }
}

QIcon Drawn(Shape shape) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawShape(p, shape);
  return QIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(std::string_view name) {
  for (const IconSpec& spec : kIcons) {
    if (spec.command != name) continue;
    if (spec.shape != Shape::None) return Drawn(spec.shape);
    return QApplication::style()->standardIcon(spec.standard);
  }
  return {};
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(0x20, 0x40, 0x80), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xBB));
    p.drawRoundedRect(QRectF(4.5, 0.5, 7, 3), 1.5, 1.5);
    p.drawLine(QPointF(8, 3.5), QPointF(8, 5.5));
    p.drawPolygon(QPolygonF({{8, 5.5}, {12.5, 9}, {8, 12.5}, {3.5, 9}}));
    p.drawLine(QPointF(8, 12.5), QPointF(8, 15.5));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tessaro::gui
