#include "qt/host_window.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <vector>

#include "qt/realizer.hpp"
#include "qt/theme.hpp"
#include "qt/view_signature.hpp"
#include "qt/wake_bridge.hpp"

namespace qthost {
namespace {

QPointer<QWidget>& host_slot() {
  static QPointer<QWidget> window;
  return window;
}

struct ScrollState {
  std::vector<QPoint> offsets;
  QString focused;
};

ScrollState save_scroll(QWidget* content) {
  ScrollState state;
  if (!content) return state;
  for (QScrollArea* area : content->findChildren<QScrollArea*>()) {
    state.offsets.emplace_back(area->horizontalScrollBar()->value(),
                               area->verticalScrollBar()->value());
  }
  if (QWidget* focus = QApplication::focusWidget();
      focus && content->isAncestorOf(focus) && !focus->objectName().isEmpty()) {
    state.focused = focus->objectName();
  }
  return state;
}

void restore_scroll(QWidget* content, const ScrollState& state) {
  const auto areas = content->findChildren<QScrollArea*>();
  for (qsizetype i = 0; i < areas.size() && i < static_cast<qsizetype>(state.offsets.size()); ++i) {
    areas[i]->horizontalScrollBar()->setValue(state.offsets[i].x());
    areas[i]->verticalScrollBar()->setValue(state.offsets[i].y());
  }
  if (!state.focused.isEmpty()) {
    if (auto* focus = content->findChild<QWidget*>(state.focused)) focus->setFocus();
  }
}

}  // namespace

QWidget* current_host_window() { return host_slot().data(); }

HostWindow::HostWindow(ui::WidgetPtr root, HostOptions options, QWidget* parent)
    : QMainWindow(parent), root_(std::move(root)), options_(std::move(options)) {
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    theme::apply(*application);
  }
  setWindowTitle(options_.title);
  frame_ = new QWidget(this);
  auto* layout = new QVBoxLayout(frame_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(frame_);

  idle_timer_.setInterval(kIdleIntervalMs);
  connect(&idle_timer_, &QTimer::timeout, this, [this] { run_updates(); });
  wake_ = WakeBridge::install(this, [this] { schedule_update(); });
  host_slot() = this;

  root_->sync(context_);
  (void)root_->take_structure_dirty();
  rebuild();
  schedule_update();
}

HostWindow::~HostWindow() {
  wake_->detach();
  idle_timer_.stop();
  if (host_slot() == this) host_slot() = nullptr;
  // The realized widgets go first; they hold no pointers into the tree, but
  // tearing down in this order keeps it that way for anything they own.
  delete frame_;
  frame_ = nullptr;
  current_ = {};
}

void HostWindow::schedule_update() {
  if (update_queued_) return;
  update_queued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        update_queued_ = false;
        run_updates();
      },
      Qt::QueuedConnection);
}

bool HostWindow::run_updates() {
  bool changed = false;
  bool more = false;
  QElapsedTimer slice;
  slice.start();
  for (int i = 0; i < kUpdatesPerSlice; ++i) {
    if (!root_->update(context_)) break;
    changed = true;
    if (slice.elapsed() >= kSliceBudgetMs || i + 1 == kUpdatesPerSlice) {
      // Let painting and input in before the rest of a burst.
      more = true;
      break;
    }
  }
  // The flag is read even when nothing was applied: a resource operation
  // dispatched outside update() may also have replaced the view.
  if (root_->take_structure_dirty()) {
    rebuild();
  } else if (changed && current_.root) {
    pull_bound_values(*current_.root);
  }
  if (more) schedule_update();
  if (root_->needs_idle_sync()) {
    if (!idle_timer_.isActive()) idle_timer_.start();
  } else {
    idle_timer_.stop();
  }
  return changed;
}

void HostWindow::rebuild() {
  ++rebuild_count_;
  QWidget* previous = current_.root;
  std::string signature = view_signature(*root_);
  const bool same_view = previous && signature == signature_;
  const ScrollState saved = same_view ? save_scroll(previous) : ScrollState{};
  signature_ = std::move(signature);

  RealizeOptions realize_options;
  realize_options.frozen = options_.frozen;
  realize_options.after_input = [this] { schedule_update(); };

  const bool was_enabled = updatesEnabled();
  setUpdatesEnabled(false);
  const bool reuse = previous && options_.reuse_widgets;
  current_ = realize_tree(*root_, realize_options, reuse ? &current_ : nullptr);
  QWidget* next = current_.root;
  if (next == previous) {
    // Nothing it shows changed; its controls now act for the new tree.
    pull_bound_values(*next);
    setUpdatesEnabled(was_enabled);
    return;
  }
  frame_->layout()->addWidget(next);
  if (previous) {
    // Out of the window now, deleted once control returns to the event
    // loop: the rebuild may have been asked for by one of its widgets.
    previous->hide();
    frame_->layout()->removeWidget(previous);
    previous->setParent(nullptr);
    previous->deleteLater();
  }
  next->show();
  frame_->layout()->activate();
  if (same_view) {
    // The scroll ranges exist only once the new page is laid out.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    restore_scroll(next, saved);
  }
  setUpdatesEnabled(was_enabled);
}

}  // namespace qthost
