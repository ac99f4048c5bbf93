// The calculator window on Qt Widgets: the labels, the drawing panel and the
// timers of the window description, as a window_backend for the view
// operations, and the platform side of start-up.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "notation/text.h"
#include "window/description.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {

// A label painted by the program itself: opaque face colour, no border, the
// caption (GBK) in its font, colour and alignment, on one line or wrapped.
class label_widget : public QWidget {
 public:
  label_widget(const control_description& description, QWidget* parent);

  const control_description& description() const { return description_; }
  const text& caption() const { return caption_; }
  // Stores the caption and schedules a repaint; nothing is drawn here.
  void set_caption(const text& caption);
  QColor text_colour() const;
  Qt::Alignment text_alignment() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const control_description& description_;
  text caption_;
};

// The top-level window. It has no keyboard handling of its own: every key
// press goes to the key handler and then on to Qt's ordinary handling.
class calculator_widget : public QWidget {
 public:
  calculator_widget();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The outer size counts the window manager's frame, which is known only once
  // the window is managed: the client then takes what the frame leaves.
  void moveEvent(QMoveEvent* event) override;
  // Tab moves no focus here, so that it reaches the key handler like any key.
  bool focusNextPrevChild(bool) override { return false; }
};

class qt_window : public window_backend {
 public:
  // Builds the window from its description, hidden, with every timer stopped.
  qt_window();
  ~qt_window() override;
  qt_window(const qt_window&) = delete;
  qt_window& operator=(const qt_window&) = delete;

  // Installs the window for the view operations, raises the window-created
  // event and then shows the window, centred on the screen.
  void open();

  calculator_widget& widget() { return *window_; }
  QWidget* control_widget(control c) const { return widgets_[index(c)]; }
  label_widget* label(control c) const;
  QTimer* timer(control c) const { return timers_[index(c)]; }

  // window_backend
  text caption(control label) override;
  void set_caption(control label, const text& caption) override;
  void set_title(const text& title) override;
  std::int32_t top(control label) override;
  void set_top(control label, std::int32_t top) override;
  std::int32_t period(control timer) override;
  void restart_timer(control timer, std::int32_t period) override;

 private:
  static std::size_t index(control c) { return static_cast<std::size_t>(c); }

  std::unique_ptr<calculator_widget> window_;
  std::array<QWidget*, control_count> widgets_{};
  std::array<QTimer*, control_count> timers_{};
};

// The program's icon, from the PNGs compiled into the program; null when the
// program was built without them.
QIcon program_icon();
// Maps the face "宋体" onto the Song/Ming faces that the system may have.
void install_song_substitutes();
// Puts the text (GBK) on the clipboard as plain text; true when the clipboard
// holds it afterwards.
bool write_clipboard(const text& gbk_text);
// Shows a fatal error report in a message box (and on standard error).
void show_fatal_error(const text& report);

class qt_platform : public window_platform {
 public:
  qt_platform();
  ~qt_platform() override;

  // Creates the application from the program name alone, so that no
  // command-line option reaches Qt. When no display can be opened it ends the
  // process with one line on standard error.
  bool initialise_services() override;
  bool load_window() override;
  void run_event_loop() override;

  qt_window* window() const { return window_.get(); }
  // Closes and destroys the window, so that a new one can be loaded.
  void close_window();

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<qt_window> window_;
};

}  // namespace calc
