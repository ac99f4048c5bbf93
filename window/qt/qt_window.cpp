#include "window/qt/qt_window.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "notation/gbk.h"
#include "window/fixed_texts.h"
#include "window/qt/key_mapping.h"

namespace calc {
namespace {

QString from_gbk(const text& gbk_text) {
  return QString::fromStdString(utf8_from_gbk(gbk_text));
}

QString from_utf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont font_of(const font_spec& wanted) {
  QFont font = QApplication::font();
  if (!wanted.face.empty()) font.setFamily(from_utf8(wanted.face));
  font.setPixelSize(wanted.pixel_height);
  font.setBold(wanted.bold);
  return font;
}

}  // namespace

label_widget::label_widget(const control_description& description, QWidget* parent)
    : QWidget(parent), description_(description) {
  setObjectName(from_utf8(description.name));
  setGeometry(description.left, description.top, description.width, description.height);
  setFont(font_of(description.font));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (description.id == control::滚动板_消息标签) setCursor(Qt::PointingHandCursor);
  caption_ = gbk_from_utf8(description.starting_caption);
}

void label_widget::set_caption(const text& caption) {
  caption_ = caption;
  update();
}

QColor label_widget::text_colour() const {
  const rgb c = description_.colour;
  return QColor(c.red, c.green, c.blue);
}

Qt::Alignment label_widget::text_alignment() const {
  switch (description_.align) {
    case alignment::left:
      return Qt::AlignLeft;
    case alignment::right:
      return Qt::AlignRight;
    case alignment::centre:
      break;
  }
  return Qt::AlignHCenter;
}

void label_widget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (caption_.empty()) return;

  QString shown = from_gbk(caption_);
  int flags = static_cast<int>(text_alignment());
  if (description_.lines == line_mode::single_line) {
    // Line breaks count as blanks; what does not fit is cut at the edges.
    flags |= Qt::AlignVCenter | Qt::TextSingleLine;
  } else {
    // A new line at every CR LF, breaks at blanks, first line at the top; the
    // rest is cut off at the bottom.
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    flags |= Qt::AlignTop | Qt::TextWordWrap;
  }
  if (description_.effect == text_effect::engraved) {
    painter.setPen(Qt::white);
    painter.drawText(rect().translated(1, 1), flags, shown);
  }
  painter.setPen(text_colour());
  painter.drawText(rect(), flags, shown);
}

calculator_widget::calculator_widget() {
  // A plain window: title bar with system menu, minimise and close, but no
  // maximise; fixed size, so the frame cannot be dragged either.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(calculator_window.client_width, calculator_window.client_height);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  setObjectName(QStringLiteral("calculator_window"));
}

void calculator_widget::keyPressEvent(QKeyEvent* event) {
  const key_press key = map_key_event(*event);
  handle_key_down(key.key_code, key.modifier_state);
  // The key is never cancelled: Qt's ordinary handling still sees it.
  QWidget::keyPressEvent(event);
}

void calculator_widget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  if (frame.isNull()) return;  // no frame (yet): keep the client size of the description
  // Never less than the controls cover: under a thick frame the window grows instead.
  const QSize client(std::max(calculator_window.outer_width - frame.left() - frame.right(),
                              calculator_window.least_client_width),
                     std::max(calculator_window.outer_height - frame.top() - frame.bottom(),
                              calculator_window.least_client_height));
  if (client != size()) setFixedSize(client);
}

qt_window::qt_window() : window_(std::make_unique<calculator_widget>()) {
  const text& title = fixed_texts().title_eight_cards;
  window_->setWindowTitle(from_gbk(title));
  window_->setWindowIcon(program_icon());

  for (const control_description& d : window_description()) {
    QWidget* parent = d.parent ? widgets_[index(*d.parent)] : window_.get();
    switch (d.kind) {
      case control_kind::timer: {
        auto* t = new QTimer(window_.get());
        t->setObjectName(from_utf8(d.name));
        t->setTimerType(Qt::PreciseTimer);
        t->setInterval(0);
        const control id = d.id;
        QObject::connect(t, &QTimer::timeout, t, [id] { deliver_tick(id); });
        timers_[index(d.id)] = t;
        break;
      }
      case control_kind::drawing_panel: {
        auto* panel = new QWidget(parent);
        panel->setObjectName(from_utf8(d.name));
        panel->setGeometry(d.left, d.top, d.width, d.height);
        panel->setAutoFillBackground(true);  // the face colour, and it clips its label
        widgets_[index(d.id)] = panel;
        break;
      }
      case control_kind::label:
        widgets_[index(d.id)] = new label_widget(d, parent);
        break;
    }
  }
  // Qt puts the sibling created last on top; the table wants the first row
  // on top, so raise the rows from the last to the first.
  const auto& rows = window_description();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (QWidget* w = widgets_[index(row->id)]) w->raise();
  }
  for (const control_description& d : rows) {
    if (QWidget* w = widgets_[index(d.id)]) w->setVisible(d.shown);
  }
}

qt_window::~qt_window() {
  if (installed_window() == this) install_window(nullptr);
}

void qt_window::open() {
  install_window(this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    window_->move(area.x() + (area.width() - calculator_window.outer_width) / 2,
                  area.y() + (area.height() - calculator_window.outer_height) / 2);
  }
  handle_window_ready();
  window_->show();
  window_->activateWindow();
}

label_widget* qt_window::label(control c) const {
  return dynamic_cast<label_widget*>(widgets_[index(c)]);
}

text qt_window::caption(control c) {
  return label(c)->caption();
}

void qt_window::set_caption(control c, const text& caption) {
  label(c)->set_caption(caption);
}

void qt_window::set_title(const text& title) {
  window_->setWindowTitle(from_gbk(title));
}

std::int32_t qt_window::top(control c) {
  return widgets_[index(c)]->y();
}

void qt_window::set_top(control c, std::int32_t top) {
  QWidget* w = widgets_[index(c)];
  w->move(w->x(), top);
}

std::int32_t qt_window::period(control c) {
  return timers_[index(c)]->interval();
}

void qt_window::restart_timer(control c, std::int32_t period) {
  QTimer* t = timers_[index(c)];
  t->stop();
  t->setInterval(period);
  if (period > 0) t->start();
}

QIcon program_icon() {
  QIcon icon;
  QDirIterator pngs(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
  while (pngs.hasNext()) icon.addFile(pngs.next());
  return icon;
}

void install_song_substitutes() {
  // Song (Ming) faces under their usual family names; the first one present wins.
  QFont::insertSubstitutions(
      from_utf8(utf8_source::song_face),
      {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing HK"),
       QStringLiteral("AR PL UMing TW MBE"), QStringLiteral("AR PL SungtiL GB"),
       QStringLiteral("AR PL New Sung"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
       QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC")});
}

bool write_clipboard(const text& gbk_text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  const QString wanted = from_gbk(gbk_text);
  clipboard->setText(wanted, QClipboard::Clipboard);
  const QMimeData* now = clipboard->mimeData(QClipboard::Clipboard);
  return now && now->hasText() && now->text() == wanted;
}

void show_fatal_error(const text& report) {
  const std::string utf8 = utf8_from_gbk(report);
  std::fprintf(stderr, "card-calculator: fatal error: %s\n", utf8.c_str());
  std::fflush(stderr);
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    QMessageBox::critical(nullptr, QStringLiteral("card-calculator"), QString::fromStdString(utf8));
  }
}

namespace {

// While the application is being created, Qt's messages are held back: if
// no display can be opened, Qt ends with a fatal message after several
// warnings, and the user gets one clear line instead.
QtMessageHandler previous_handler = nullptr;
struct held_message {
  QtMsgType type;
  QString category, file, function, message;
  int line;
};
std::vector<held_message>& held_messages() {
  static std::vector<held_message> messages;
  return messages;
}

void hold_start_up_message(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
      std::fprintf(stderr,
                   "card-calculator: cannot open the display \"%s\": no window system answered there\n",
                   display);
    } else {
      std::fprintf(stderr, "card-calculator: cannot open a display: DISPLAY is not set\n");
    }
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  held_messages().push_back({type, QString::fromUtf8(context.category), QString::fromUtf8(context.file),
                             QString::fromUtf8(context.function), message, context.line});
}

void pass_on_held_messages() {
  for (const held_message& m : held_messages()) {
    const QByteArray category = m.category.toUtf8(), file = m.file.toUtf8(), function = m.function.toUtf8();
    const QMessageLogContext context(file.constData(), m.line, function.constData(), category.constData());
    if (previous_handler) {
      previous_handler(m.type, context, m.message);
    } else {
      std::fprintf(stderr, "%s\n", m.message.toLocal8Bit().constData());
    }
  }
  held_messages().clear();
}

}  // namespace

qt_platform::qt_platform() = default;

qt_platform::~qt_platform() {
  window_.reset();
  set_clipboard_writer(nullptr);
  set_fatal_error_handler(nullptr);
  application_.reset();
}

bool qt_platform::initialise_services() {
  if (!QCoreApplication::instance()) {
    // Only the program name: options such as -style or -reverse never reach Qt.
    static char program_name[] = "card-calculator";
    static char* arguments[] = {program_name, nullptr};
    static int argument_count = 1;
    previous_handler = qInstallMessageHandler(hold_start_up_message);
    application_ = std::make_unique<QApplication>(argument_count, arguments);
    qInstallMessageHandler(previous_handler);
    pass_on_held_messages();
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cardcalc.Calculator"));
  }
  QGuiApplication::setWindowIcon(program_icon());
  install_song_substitutes();
  set_clipboard_writer(write_clipboard);
  set_fatal_error_handler(show_fatal_error);
  return true;
}

bool qt_platform::load_window() {
  window_.reset();
  window_ = std::make_unique<qt_window>();
  window_->open();
  return true;
}

void qt_platform::run_event_loop() {
  QApplication::exec();
}

void qt_platform::close_window() {
  if (window_) window_->widget().close();
  window_.reset();
}

}  // namespace calc
