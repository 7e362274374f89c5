#pragma once
// The window that owns the application's root widget and shows its tree.
//
// The update loop: root->update() applies at most one event per call, so the
// window calls it repeatedly from a queued slot whenever it is woken (a
// worker's wake, a control's input, an idle tick while the root asks for
// idle updates). When the tree's structure changed, the window realizes it
// anew, from that queued slot and never from inside a widget's own signal.

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "qt/realizer.hpp"
#include "ui/widget.hpp"

namespace qthost {

class WakeBridge;

struct HostOptions {
  QString title = QStringLiteral("Orvane");
  // Animations stand still (reproducible screenshots).
  bool frozen = false;
  // Rebuilds take over the widgets of unchanged parts; off, every rebuild
  // creates the whole page again (for comparison).
  bool reuse_widgets = true;
};

class HostWindow final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kIdleIntervalMs = 30;
  static constexpr int kUpdatesPerSlice = 64;
  static constexpr int kSliceBudgetMs = 12;

  explicit HostWindow(ui::WidgetPtr root, HostOptions options = {}, QWidget* parent = nullptr);
  ~HostWindow() override;

  ui::Widget& root() { return *root_; }
  QWidget* content() const { return current_.root; }

  // Asks for an update soon; safe to call from any signal handler.
  void schedule_update();
  // Runs the pending updates now, as the queued slot would. Returns whether
  // any update call changed something.
  bool run_updates();
  // Realizes the tree again, taking over the widgets of unchanged parts and
  // keeping the scroll position when the view stays the same.
  void rebuild();

  int rebuild_count() const { return rebuild_count_; }
  // Subtrees taken over and nodes created by the last rebuild.
  int last_reused() const { return current_.reused; }
  int last_created() const { return current_.created; }
  bool idle_polling() const { return idle_timer_.isActive(); }

 private:
  ui::WidgetPtr root_;
  ui::Context context_;
  HostOptions options_;
  QWidget* frame_ = nullptr;
  Realization current_;
  std::string signature_;
  QTimer idle_timer_;
  bool update_queued_ = false;
  int rebuild_count_ = 0;
  std::shared_ptr<WakeBridge> wake_;
};

// The host window currently showing the application, for dialogs that need
// a parent. Null when none is open.
QWidget* current_host_window();

}  // namespace qthost
