// A text window with both rulers in the real frame.
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "FrameTest.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/common/AppSettings.h"
#include "qt/QtDocumentView.h"
#include "qt/QtLineBar.h"
#include "qt/QtRulerBar.h"
#include "qt/QtTextWindow.h"

namespace quarn::qt {
namespace {

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 60; }

// The dark pixels of row y from x = from (or of column x from y = from).
std::vector<int> DarkAlong(const QImage& image, bool row, int at, int from) {
  std::vector<int> dark;
  for (int i = from; i < (row ? image.width() : image.height()); ++i)
    if (row ? Dark(image, i, at) : Dark(image, at, i)) dark.push_back(i);
  return dark;
}

// from, from + step, ... below limit, without skip.
std::vector<int> Steps(int from, int step, int limit, int skip = -1) {
  std::vector<int> steps;
  for (int v = from; v < limit; v += step)
    if (v != skip) steps.push_back(v);
  return steps;
}

// The rows where the line bar shows the caret mark (green, the default
// cursor colour) in the pixels on screen, from the window's backing store:
// what earlier paints left there, not a fresh paint.
std::vector<int> MarkedRows(QtLineBar& bar, const TextLayout& layout) {
  QWidget* port = bar.viewport();
  const QPixmap shot = port->screen()->grabWindow(port->window()->winId());
  const QImage image = shot.toImage().copy(QRect(port->mapTo(port->window(), QPoint(0, 0)), port->size()));
  std::vector<int> rows;
  for (int y = layout.TopMargin(); y < image.height(); ++y) {
    const QRgb p = image.pixel(image.width() - 3, y);
    if (qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60) {
      const int row = (y - layout.TopMargin()) / layout.RowPitch() + int(layout.FirstRow());
      if (rows.empty() || rows.back() != row) rows.push_back(row);
    }
  }
  return rows;
}

class QtRulersTest : public testing::FrameTest {
 protected:
  QtRulersTest() {
    gSettings.DisplayRulerBar = gSettings.DisplayLineBar = 1;
    frame.resize(700, 500);
  }
  ~QtRulersTest() override {
    Documents().CloseAll();
    gSettings = saved_;
    gCabinet.ResetToType(kDocTypeGeneral);
  }
  // Forty lines of ten digits in a new file.
  QtDocumentView* Open(const QString& name = QStringLiteral("ruled.txt")) {
    CVeskDoc* doc = FrameTest::Open(name, QByteArray("0123456789\r\n").repeated(40), kOpenText);
    EXPECT_TRUE(doc && doc->DocKind() == kTextDoc);
    for (QtDocumentView* view : frame.findChildren<QtDocumentView*>())
      if (&view->View().GetDocument() == doc) return view;
    return nullptr;
  }
  AppSettings saved_ = gSettings;
};

TEST_F(QtRulersTest, TicksFallOnTheTextCellsAndTheLineBarMarksOnlyTheCaretRow) {
  struct Case {
    int points, charSpacing, lineSpacing;
  };
  for (const Case& c : {Case{10, 0, 0}, Case{20, 3, 10}, Case{14, 10, 5}}) {
    SCOPED_TRACE(::testing::Message() << c.points << "pt " << c.charSpacing << " " << c.lineSpacing);
    gCabinet.Current().record.Font.height = c.points;
    gCabinet.Current().record.CharSpacing = c.charSpacing;
    gSettings.LineSpacesLM = c.lineSpacing;
    QtDocumentView* view = Open();
    ASSERT_TRUE(view);  // drawn at each size, not only the first
    auto* ruler = view->findChild<QtRulerBar*>();
    auto* bar = view->findChild<QtLineBar*>();
    auto* text = view->findChild<QtTextWindow*>();
    ASSERT_TRUE(ruler && bar && text);
    const int r = view->View().RulerHeight();
    const int l = view->View().LineBarWidth();
    // A click on the line bar's third row selects it; its cells invert.
    const TextLayout& layout = text->Window().Layout();
    const int pitch = layout.CharPitch();
    const int rowPitch = layout.RowPitch();
    const QPoint inRow2(5, layout.TopMargin() + 2 * rowPitch + rowPitch / 2);
    for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                        std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
      QMouseEvent event(type, inRow2, bar->viewport()->mapToGlobal(inRow2), Qt::LeftButton, buttons, Qt::NoModifier);
      QApplication::sendEvent(bar->viewport(), &event);
    }
    EXPECT_EQ(text->Window().SelectedText(), "0123456789\r\n");
    const QImage image = view->grab().toImage();
    // The ruler's black ticks (the line width's is red) start at the text's
    // left edge and step by the character pitch.
    const int origin = l + layout.LeftMargin();
    const int width = view->View().GetDocument().Format().charsPerLine;
    EXPECT_EQ(DarkAlong(image, true, ruler->Bar().Ticks().base - 2, l),
              Steps(origin, pitch, image.width(), origin + width * pitch));
    // The line bar's ticks mark the tops of the rows.
    EXPECT_EQ(DarkAlong(image, false, l - 3, r), Steps(r + layout.TopMargin(), rowPitch, image.height()));
    // The selected row's inverted cells begin on the first tick and the row's top.
    const int top = r + layout.TopMargin() + 2 * rowPitch;
    EXPECT_TRUE(Dark(image, origin, top + 1));
    EXPECT_FALSE(Dark(image, origin - 1, top + 1));
    EXPECT_TRUE(Dark(image, origin + 1, top));
    EXPECT_FALSE(Dark(image, origin + 1, top - 1));
    Documents().CloseAll();
  }
  // The line bar marks only the caret row; the switch commands show and hide
  // the bars of every view.
  QtDocumentView* view = Open();
  ASSERT_TRUE(view);
  auto* bar = view->findChild<QtLineBar*>();
  auto* text = view->findChild<QtTextWindow*>();
  CVeskEV& window = text->Window();
  const auto expectOneMark = [&](const char* step) {
    QApplication::processEvents();
    EXPECT_EQ(MarkedRows(*bar, window.Layout()), std::vector<int>{int(window.Caret().row)}) << step;
  };
  expectOneMark("opened");
  for (int i = 0; i < 35; ++i) window.OnKeyDown(vk::kDown, 1, KeyState{});
  expectOneMark("down");
  for (int i = 0; i < 20; ++i) window.OnKeyDown(vk::kUp, 1, KeyState{});
  expectOneMark("up");
  window.OnKeyDown(vk::kNext, 1, KeyState{});
  window.OnKeyDown(vk::kUp, 1, KeyState{false, true});
  expectOneMark("page, ctrl+up");
  for (int i = 0; i < 30; ++i) {
    const std::string line = "appended " + std::to_string(i) + "\r\n";
    window.AppendText(reinterpret_cast<const std::uint8_t*>(line.data()), std::uint32_t(line.size()), true);
  }
  // Appended output is shown at the window's next frame tick.
  QElapsedTimer tick;
  tick.start();
  while (tick.elapsed() < 100) QApplication::processEvents(QEventLoop::AllEvents, 10);
  expectOneMark("appended");
  QtDocumentView* second = Open(QStringLiteral("other.txt"));
  ASSERT_TRUE(second && second != view);
  for (unsigned command : {32806u, 32807u}) {
    EXPECT_TRUE(frame.runCommand(command));
    QApplication::processEvents();
    for (QtDocumentView* each : {view, second}) {
      EXPECT_EQ(each->findChild<QtRulerBar*>()->isVisible(), gSettings.DisplayRulerBar != 0);
      EXPECT_EQ(each->findChild<QtLineBar*>()->isVisible(), gSettings.DisplayLineBar != 0);
      const QRect area = each->findChild<QtTextWindow*>()->geometry();
      EXPECT_EQ(area.left(), gSettings.DisplayLineBar ? each->View().LineBarWidth() : 0);
      EXPECT_EQ(area.top(), gSettings.DisplayRulerBar ? each->View().RulerHeight() : 0);
    }
  }
  EXPECT_EQ(gSettings.DisplayRulerBar, 0);
  EXPECT_EQ(gSettings.DisplayLineBar, 0);
}

}  // namespace
}  // namespace quarn::qt
