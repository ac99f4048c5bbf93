// The Qt window on the offscreen platform: built from its description, its
// labels painted as described, real timers behind write_period, key events
// reaching the key commands, the clipboard, and the failures.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "notation/gbk.h"
#include "tests/qt/qt_test_support.h"
#include "window/fixed_texts.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {
namespace {

using enum control;

// Generous give-up for anything that waits on the event loop; never a limit on speed.
constexpr int give_up_ms = 60000;

text gbk(std::string_view utf8) {
  return gbk_from_utf8(utf8);
}
QString qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

class qt_calculator : public testing::Test {
 protected:
  void SetUp() override {
    init_globals();
    message_index = 0;
    buffer_limit = 0;
    test_platform().load_window();
    window = test_platform().window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window->widget(), give_up_ms));
  }
  void TearDown() override {
    test_platform().close_window();
    release_globals();
  }
  QWidget& top() { return window->widget(); }
  text caption(control c) { return window->caption(c); }
  void stop_strip() {
    for (control t : {滚动板_消息显示时钟, 滚动板_消息滑动时钟, 滚动板_消息等待时钟}) write_period(t, 0);
  }

  qt_window* window = nullptr;
};

TEST(qt_application, takes_only_the_program_name_as_its_arguments) {
  // The test program was started with options of its own; none reach Qt.
  EXPECT_EQ(QCoreApplication::arguments(), QStringList{QStringLiteral("card-calculator")});
  EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}

TEST_F(qt_calculator, window_is_a_fixed_plain_window_centred_on_the_screen) {
  // 380 x 273 with the frame; the client is what the platform's frame leaves.
  EXPECT_EQ(top().frameGeometry().size(), QSize(380, 273));
  EXPECT_EQ(top().minimumSize(), top().maximumSize());
  EXPECT_TRUE(top().isWindow());
  EXPECT_EQ(top().windowType(), Qt::Window);
  const Qt::WindowFlags flags = top().windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  for (Qt::WindowType wanted : {Qt::WindowTitleHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                Qt::WindowCloseButtonHint}) {
    EXPECT_TRUE(flags & wanted) << wanted;
  }
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(top().frameGeometry().topLeft(),
            QPoint((screen.width() - 380) / 2, (screen.height() - 273) / 2) + screen.topLeft());
  EXPECT_EQ(top().windowTitle(), qs(utf8_source::title_eight_cards));
  EXPECT_FALSE(top().windowIcon().isNull());
  EXPECT_TRUE(top().windowIcon().availableSizes().contains(QSize(16, 16)));
  EXPECT_EQ(top().palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
  EXPECT_EQ(top().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(qt_calculator, controls_match_the_window_description) {
  for (const control_description& d : window_description()) {
    SCOPED_TRACE(std::string(d.name));
    if (d.kind == control_kind::timer) {
      QTimer* t = window->timer(d.id);
      ASSERT_NE(t, nullptr);
      EXPECT_EQ(t->objectName(), qs(d.name));
      EXPECT_EQ(t->timerType(), Qt::PreciseTimer);
      EXPECT_EQ(top().findChild<QTimer*>(qs(d.name)), t);
      continue;
    }
    QWidget* w = top().findChild<QWidget*>(qs(d.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, window->control_widget(d.id));
    EXPECT_EQ(w->geometry(), QRect(d.left, d.top, d.width, d.height));
    EXPECT_EQ(w->parentWidget(), d.parent ? window->control_widget(*d.parent) : &top());
    EXPECT_EQ(w->isVisible(), d.shown);
    EXPECT_EQ(w->cursor().shape(), d.id == 滚动板_消息标签 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (d.kind != control_kind::label) continue;
    label_widget* l = window->label(d.id);
    EXPECT_EQ(l->font().pixelSize(), d.font.pixel_height);
    EXPECT_EQ(l->font().bold(), d.font.bold);
    const QString family = QFontInfo(l->font()).family();
    if (d.font.face.empty()) {
      EXPECT_EQ(family, QFontInfo(QApplication::font()).family());
    } else {
      // "宋体" is found through its substitutes.
      EXPECT_TRUE(family.startsWith(QStringLiteral("AR PL UMing"))) << family.toStdString();
    }
    EXPECT_EQ(l->text_colour(), QColor(d.colour.red, d.colour.green, d.colour.blue));
    const Qt::Alignment align = d.align == alignment::left    ? Qt::AlignLeft
                                : d.align == alignment::right ? Qt::AlignRight
                                                              : Qt::AlignHCenter;
    EXPECT_EQ(l->text_alignment(), align);
  }
  // Captions and timers as the window-created event left them.
  EXPECT_EQ(caption(标签_说明), gbk("版本：4.1 可实现方案总数：NULL"));
  EXPECT_EQ(caption(滚动板_消息标签), gbk(utf8_source::messages[0]));
  for (control c : {标签_输入窗口_合计, 标签_回馈数据_副, 标签_不可视, 标签_输入窗口, 标签_回馈数据}) {
    EXPECT_EQ(caption(c), "");
  }
  EXPECT_EQ(buffer_limit, 16);
  EXPECT_TRUE(window->timer(滚动板_消息显示时钟)->isActive());
  EXPECT_EQ(window->timer(滚动板_消息显示时钟)->interval(), 3000);
  EXPECT_FALSE(window->timer(滚动板_消息滑动时钟)->isActive());
  EXPECT_FALSE(window->timer(滚动板_消息等待时钟)->isActive());
}

TEST_F(qt_calculator, siblings_are_stacked_with_the_first_row_on_top) {
  // Qt lists a widget's children from the bottom of the stack to the top.
  std::vector<QWidget*> expected;
  for (const control_description& d : window_description()) {
    if (!d.parent && d.kind != control_kind::timer)
      expected.insert(expected.begin(), window->control_widget(d.id));
  }
  std::vector<QWidget*> stacked;
  for (QObject* child : top().children()) {
    if (auto* w = qobject_cast<QWidget*>(child)) stacked.push_back(w);
  }
  EXPECT_EQ(stacked, expected);
  // Where siblings overlap, the upper one is the one found there.
  EXPECT_EQ(top().childAt(309, 20), window->control_widget(标签_输入窗口_合计));
  EXPECT_EQ(top().childAt(20, 50), window->control_widget(标签_回馈数据_副));
  EXPECT_EQ(top().childAt(20, 100), window->control_widget(标签_回馈数据));
  EXPECT_EQ(top().childAt(20, 220), window->control_widget(滚动板_消息标签));
}

// What a label draws, as ink: the pixels that differ from the face colour.
struct ink {
  QImage image;
  QRect box;  // bounding box of the ink; null when nothing is drawn
  bool any(const std::function<bool(QColor)>& wanted) const {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (wanted(image.pixelColor(x, y))) return true;
      }
    }
    return false;
  }
};

ink render(QWidget* w) {
  ink result{w->grab().toImage().convertToFormat(QImage::Format_RGB32), {}};
  const QRgb face = QApplication::palette().color(QPalette::Window).rgb();
  for (int y = 0; y < result.image.height(); ++y) {
    for (int x = 0; x < result.image.width(); ++x) {
      if (result.image.pixel(x, y) != face) result.box |= QRect(x, y, 1, 1);
    }
  }
  return result;
}

TEST_F(qt_calculator, labels_are_opaque_and_show_nothing_without_a_caption) {
  stop_strip();
  for (const control_description& d : window_description()) {
    if (d.kind != control_kind::label || !d.shown) continue;
    write_caption(d.id, "");
    EXPECT_TRUE(render(window->control_widget(d.id)).box.isNull()) << d.name;
  }
}

struct layout_case {
  const char* what;
  control label;
  std::string caption;  // GBK
  int min_lines, max_lines;
};
void PrintTo(const layout_case& c, std::ostream* os) {
  *os << c.what;
}

class label_layout : public qt_calculator, public testing::WithParamInterface<layout_case> {};

TEST_P(label_layout, draws_the_caption_on_the_right_number_of_lines) {
  const layout_case& c = GetParam();
  stop_strip();
  write_caption(c.label, c.caption);
  label_widget* l = window->label(c.label);
  const ink drawn = render(l);
  ASSERT_FALSE(drawn.box.isNull());
  const int line = QFontMetrics(l->font()).lineSpacing();
  const int lines = (drawn.box.bottom() + line - 1) / line;
  EXPECT_GE(lines, c.min_lines);
  EXPECT_LE(lines, c.max_lines);
  if (l->description().lines == line_mode::single_line) {
    // Centred vertically: about as much room above the ink as below it.
    EXPECT_NEAR(drawn.box.top(), l->height() - 1 - drawn.box.bottom(), QFontMetrics(l->font()).descent() + 2);
  } else {
    EXPECT_LT(drawn.box.top(), line);  // the first line at the top
  }
}

std::string repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    captions, label_layout,
    testing::Values(
        layout_case{"single line ignores CR LF", 标签_输入窗口, "1,\r\n10,\r\nK,", 1, 1},
        layout_case{"wrapping breaks at CR LF", 标签_回馈数据, "5 = 5\r\n5 = 5\r\n5 = 5\r\n", 3, 3},
        layout_case{"wrapping breaks a wide line at blanks", 标签_回馈数据, repeat("5+5 = 5+5 ", 5), 2, 6},
        layout_case{"more lines than fit are cut off", 标签_回馈数据, repeat("1+1 = 2\r\n", 20), 5, 7},
        layout_case{"the first-line label shows one line", 标签_回馈数据_副, "10+3 = K", 1, 1}),
    case_name<testing::TestParamInfo<layout_case>>);

TEST_F(qt_calculator, text_is_aligned_cut_and_engraved_as_described) {
  stop_strip();
  // Right-aligned version line, engraved: white one pixel right and down.
  const ink version = render(window->label(标签_说明));
  EXPECT_GE(version.box.right(), window->label(标签_说明)->width() - 3);
  EXPECT_GT(version.box.left(), 20);
  EXPECT_TRUE(version.any([](QColor c) { return c == Qt::white; }));
  EXPECT_TRUE(version.any([](QColor c) { return c.lightness() < 60; }));

  // Centred: the ink is balanced about the middle.
  write_caption(标签_回馈数据, "10+3 = K\r\n");
  const ink results = render(window->label(标签_回馈数据));
  EXPECT_NEAR(results.box.left(), 340 - 1 - results.box.right(), 4);
  EXPECT_FALSE(results.any([](QColor c) { return c == Qt::white; }));  // no effect here

  // Left-aligned strip message.
  const ink strip = render(window->label(滚动板_消息标签));
  EXPECT_LT(strip.box.left(), 4);

  // Centred text too wide for one line loses both ends.
  write_caption(标签_输入窗口, repeat("1,10,K,", 12));
  const ink wide = render(window->label(标签_输入窗口));
  EXPECT_EQ(wide.box.left(), 0);
  EXPECT_EQ(wide.box.right(), 294);
  EXPECT_TRUE(wide.any([](QColor c) { return c.blue() > 100 && c.red() < 60 && c.green() < 60; }));  // navy

  write_caption(标签_回馈数据_副, "10+3 = K");
  EXPECT_TRUE(render(window->label(标签_回馈数据_副)).any([](QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
  }));
}

// Records the caption that each paint of a label actually drew.
class paint_recorder : public QObject {
 public:
  explicit paint_recorder(label_widget* label) : label_(label) { label->installEventFilter(this); }
  std::vector<text> painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.push_back(label_->caption());
    return false;
  }

 private:
  label_widget* label_;
};

TEST_F(qt_calculator, a_caption_write_is_drawn_only_at_the_next_repaint) {
  stop_strip();
  QApplication::processEvents();
  paint_recorder recorder(window->label(标签_回馈数据));
  write_caption(标签_回馈数据, fixed_texts().busy);
  write_caption(标签_回馈数据, "5 = 5\r\n");
  EXPECT_TRUE(recorder.painted.empty());  // nothing drawn inside the handler
  QTRY_VERIFY_WITH_TIMEOUT(!recorder.painted.empty(), give_up_ms);
  for (const text& t : recorder.painted) EXPECT_EQ(t, "5 = 5\r\n");
}

TEST_F(qt_calculator, hidden_label_keeps_its_caption_without_showing_it) {
  write_caption(标签_不可视, "1,2,");
  EXPECT_EQ(read_caption(标签_不可视), "1,2,");
  EXPECT_FALSE(window->control_widget(标签_不可视)->isVisible());
  EXPECT_EQ(top().childAt(5, 5), nullptr);
}

TEST_F(qt_calculator, tops_move_the_strip_label_within_its_clipping_panel) {
  for (int t : {16, -16, 7, 0}) {
    write_top(滚动板_消息标签, t);
    EXPECT_EQ(read_top(滚动板_消息标签), t);
    EXPECT_EQ(window->control_widget(滚动板_消息标签)->x(), 0);
  }
  stop_strip();
  write_top(滚动板_消息标签, 16);  // wholly below the 16-pixel viewport
  EXPECT_TRUE(render(window->control_widget(滚动板_画板1)).box.isNull());
  write_top(滚动板_消息标签, 0);
  EXPECT_FALSE(render(window->control_widget(滚动板_画板1)).box.isNull());
}

TEST_F(qt_calculator, write_period_runs_the_real_timers) {
  stop_strip();
  QTimer* pause = window->timer(滚动板_消息等待时钟);
  QTimer* slide = window->timer(滚动板_消息滑动时钟);

  write_period(滚动板_消息等待时钟, 60000);
  EXPECT_TRUE(pause->isActive());
  EXPECT_EQ(window->period(滚动板_消息等待时钟), 60000);
  QTest::qWait(300);
  const int remaining = pause->remainingTime();
  EXPECT_LT(remaining, 60000 - 200);
  write_period(滚动板_消息等待时钟, 60000);  // the same period: the countdown goes on
  EXPECT_LE(pause->remainingTime(), remaining);

  write_period(滚动板_消息等待时钟, 0);
  EXPECT_FALSE(pause->isActive());

  // A period of 1 ticks as soon as the loop is idle: the pause tick stops the
  // pause timer and starts the slide.
  write_period(滚动板_消息等待时钟, 1);
  QTRY_VERIFY_WITH_TIMEOUT(slide->isActive(), give_up_ms);
  EXPECT_FALSE(pause->isActive());
  EXPECT_EQ(slide->interval(), 100);
}

TEST_F(qt_calculator, strip_slides_on_the_real_timers) {
  // Message 1 stands still, then the display tick sends it sliding out.
  QTRY_VERIFY_WITH_TIMEOUT(read_top(滚动板_消息标签) < 0, give_up_ms);
  EXPECT_EQ(message_index, 1);
}

TEST_F(qt_calculator, minimising_leaves_the_timers_running) {
  top().showMinimized();
  QApplication::processEvents();
  EXPECT_TRUE(window->timer(滚动板_消息显示时钟)->isActive());
}

struct key_case {
  const char* what;
  int key;
  Qt::KeyboardModifiers modifiers;
  std::string buffer;  // after the key, from an empty buffer
};
void PrintTo(const key_case& c, std::ostream* os) {
  *os << c.what;
}

class qt_keys : public qt_calculator, public testing::WithParamInterface<key_case> {};

TEST_P(qt_keys, reach_the_card_commands) {
  const key_case& c = GetParam();
  QTest::keyClick(&top(), static_cast<Qt::Key>(c.key), c.modifiers);
  EXPECT_EQ(caption(标签_不可视), c.buffer);
  EXPECT_EQ(top().windowTitle(), qs(utf8_source::title_eight_cards));
}

constexpr auto none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
               alt = Qt::AltModifier, keypad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    keys, qt_keys,
    testing::Values(key_case{"7", Qt::Key_7, none, "7,"}, key_case{"keypad 7", Qt::Key_7, keypad, "7,"},
                    key_case{"0", Qt::Key_0, none, "N,"}, key_case{"keypad 0", Qt::Key_0, keypad, "N,"},
                    key_case{"Shift+8 arrives as asterisk", Qt::Key_Asterisk, shift, "8,"},
                    key_case{"keypad asterisk", Qt::Key_Asterisk, keypad, "Q,"},
                    key_case{"q", Qt::Key_Q, none, "Q,"}, key_case{"j", Qt::Key_J, none, "J,"},
                    key_case{"Ctrl+J", Qt::Key_J, ctrl, "J,"}, key_case{"Alt+J", Qt::Key_J, alt, "J,"},
                    key_case{"slash", Qt::Key_Slash, none, "J,"},
                    key_case{"keypad slash", Qt::Key_Slash, keypad, "J,"},
                    key_case{"Shift+slash arrives as question mark", Qt::Key_Question, shift, "J,"},
                    key_case{"k", Qt::Key_K, none, "K,"}, key_case{"minus", Qt::Key_Minus, none, "K,"},
                    key_case{"keypad minus", Qt::Key_Minus, keypad, "K,"},
                    key_case{"Shift+minus arrives as underscore", Qt::Key_Underscore, shift, "K,"},
                    key_case{"Shift+1 arrives as exclamation mark", Qt::Key_Exclam, shift, "1,"},
                    key_case{"keypad 7 with Num Lock off", Qt::Key_Home, keypad, ""},
                    key_case{"keypad decimal point does nothing", Qt::Key_Period, keypad, ""},
                    key_case{"main equals does nothing", Qt::Key_Equal, none, ""},
                    key_case{"main plus does nothing", Qt::Key_Plus, shift, ""},
                    key_case{"N is no card key", Qt::Key_N, none, ""},
                    key_case{"C alone", Qt::Key_C, none, ""}),
    case_name<testing::TestParamInfo<key_case>>);

TEST_F(qt_calculator, keys_calculate_clear_switch_and_copy) {
  stop_strip();
  QTest::keyClicks(&top(), QStringLiteral("30k"));
  EXPECT_EQ(caption(标签_输入窗口), "3,10,K,");
  EXPECT_EQ(caption(标签_输入窗口_合计), "=26");
  QTest::keyClick(&top(), Qt::Key_Enter, keypad);
  EXPECT_EQ(caption(标签_回馈数据), "10+3 = K\r\n");
  EXPECT_EQ(caption(标签_回馈数据_副), "10+3 = K");

  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("before"));
  QTest::keyClick(&top(), Qt::Key_C, ctrl | shift);
  QTest::keyClick(&top(), Qt::Key_C, ctrl | alt);
  EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
  QTest::keyClick(&top(), Qt::Key_C, ctrl);
  EXPECT_EQ(clipboard->text(), QStringLiteral("10+3 = K"));

  QTest::keyClick(&top(), Qt::Key_Plus, keypad);
  EXPECT_EQ(top().windowTitle(), qs(utf8_source::title_ten_cards));
  EXPECT_EQ(buffer_limit, 20);
  QTest::keyClick(&top(), Qt::Key_Plus, keypad);
  EXPECT_EQ(top().windowTitle(), qs(utf8_source::title_eight_cards));

  QTest::keyClick(&top(), Qt::Key_Backspace);
  EXPECT_EQ(caption(标签_不可视), "3,N,");
  EXPECT_EQ(caption(标签_回馈数据), "");
  QTest::keyClick(&top(), Qt::Key_Return);
  EXPECT_EQ(caption(标签_回馈数据_副), "");
  EXPECT_EQ(caption(标签_说明), gbk("版本：4.0 作者ID：Pellivar 可实现方案总数：0"));
  QTest::keyClick(&top(), Qt::Key_Escape);
  EXPECT_EQ(caption(标签_不可视), "");
  EXPECT_TRUE(top().isVisible());  // Esc does not close the window
}

TEST_F(qt_calculator, held_key_repeats_until_full_and_is_never_cancelled) {
  stop_strip();
  for (int i = 0; i < 10; ++i) {
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"), i > 0);
    QApplication::sendEvent(&top(), &repeat);
    EXPECT_FALSE(repeat.isAccepted());  // passed on to Qt's ordinary handling
  }
  EXPECT_EQ(caption(标签_不可视), "5,5,5,5,5,5,5,5,");
  EXPECT_EQ(caption(标签_回馈数据_副), "5+5+5+5 = 5+5+5+5");
}

TEST(qt_clipboard, holds_the_text_written_in_gbk_as_plain_text) {
  for (const text& t : {text(), text("10+3 = K"), gbk("版本：4.0")}) {
    EXPECT_TRUE(write_clipboard(t));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasText());
    EXPECT_EQ(data->text().toStdString(), utf8_from_gbk(t));
  }
}

TEST_F(qt_calculator, window_after_a_calculation_shows_the_results) {
  stop_strip();
  // 2, 4, 6, 8, 10, Q (keypad *), 1, 3: the eighth card calculates.
  for (auto [key, mods] : std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_2, none},
                                                                                 {Qt::Key_4, none},
                                                                                 {Qt::Key_6, keypad},
                                                                                 {Qt::Key_8, none},
                                                                                 {Qt::Key_0, none},
                                                                                 {Qt::Key_Asterisk, keypad},
                                                                                 {Qt::Key_1, keypad},
                                                                                 {Qt::Key_3, none}}) {
    QTest::keyClick(&top(), key, mods);
  }
  EXPECT_EQ(caption(标签_回馈数据_副), "1+10+6+4+2 = 3+Q+8");
  EXPECT_EQ(caption(标签_说明), gbk("版本：4.0 作者ID：Pellivar 可实现方案总数：111"));
  QApplication::processEvents();
  const QImage shot = top().grab().toImage();
  const std::filesystem::path file =
      std::filesystem::path(CARD_CALC_BUILD_DIR) / "window-after-calculation.png";
  EXPECT_TRUE(shot.save(QString::fromStdString(file.string())));
  // The first line in red over the black list.
  bool red = false;
  for (int x = 17; x < 357 && !red; ++x) {
    for (int y = 41; y < 65 && !red; ++y) {
      const QColor c = shot.pixelColor(x, y);
      red = c.red() > 200 && c.green() < 60 && c.blue() < 60;
    }
  }
  EXPECT_TRUE(red);
}

TEST(qt_fatal_error, shows_a_message_box_and_ends_the_process) {
  const auto fail = [] {
    // Reads the message box that the handler shows, then closes it.
    auto* watcher = new QTimer;
    QObject::connect(watcher, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "box[%d]: %s\n", static_cast<int>(box->icon()),
                     box->text().toUtf8().constData());
        box->accept();
      }
    });
    watcher->start(10);
    text_list empty;
    list_at(empty, 1);
  };
  EXPECT_EXIT(fail(), testing::ExitedWithCode(1),
              "box\\[" + std::to_string(static_cast<int>(QMessageBox::Critical)) +
                  "\\]: index out of range: the position is beyond the defined range");
}

// Runs the program against a display where nothing answers.
struct display_case {
  const char* what;
  bool set_display;
};
void PrintTo(const display_case& c, std::ostream* os) {
  *os << c.what;
}

class display_failure : public testing::TestWithParam<display_case> {};

QString free_display() {
  for (int n = 97;; ++n) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n),
                      lock = "/tmp/.X" + std::to_string(n) + "-lock";
    if (!std::filesystem::exists(socket) && !std::filesystem::exists(lock))
      return QStringLiteral(":%1").arg(n);
  }
}

TEST_P(display_failure, ends_with_one_line_and_a_failure_status) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
    env.remove(QString::fromLatin1(name));
  if (GetParam().set_display) env.insert(QStringLiteral("DISPLAY"), free_display());
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(CARD_CALCULATOR_PROGRAM), {});
  ASSERT_TRUE(program.waitForFinished(give_up_ms));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no abort
  EXPECT_NE(program.exitCode(), 0);
  const QString err = QString::fromLocal8Bit(program.readAllStandardError());
  EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
  EXPECT_TRUE(err.startsWith(QStringLiteral("card-calculator: cannot open"))) << err.toStdString();
  EXPECT_TRUE(err.contains(QStringLiteral("display"))) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(displays, display_failure,
                         testing::Values(display_case{"display_not_answering", true},
                                         display_case{"no_display_set", false}),
                         case_name<testing::TestParamInfo<display_case>>);

}  // namespace
}  // namespace calc
